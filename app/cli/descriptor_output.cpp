#include "descriptor_output.h"

#include <string_view>

#include "results/file_output.h"

namespace folix {

namespace {

constexpr std::size_t kOutputBufferSize = std::size_t{64} * 1024;

}  // namespace

DescriptorOutput::DescriptorOutput(int fd) : fd_(fd), buffer_(kOutputBufferSize)
{
    setp(buffer_.data(), buffer_.data() + buffer_.size());
}

bool DescriptorOutput::writePending()
{
    const std::string_view pending(pbase(), static_cast<std::size_t>(pptr() - pbase()));
    setp(buffer_.data(), buffer_.data() + buffer_.size());
    // After a failure nothing more is written: the stream's text has a gap.
    if (error_ == 0) error_ = writeAll(fd_, pending);
    return error_ == 0;
}

DescriptorOutput::int_type DescriptorOutput::overflow(int_type c)
{
    if (!writePending()) return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
        *pptr() = traits_type::to_char_type(c);
        pbump(1);
    }
    return traits_type::not_eof(c);
}

int DescriptorOutput::sync() { return writePending() ? 0 : -1; }

}  // namespace folix
