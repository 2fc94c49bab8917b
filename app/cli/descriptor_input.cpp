#include "descriptor_input.h"

#include "results/file_output.h"

namespace folix {

namespace {

constexpr std::size_t kBufferSize = std::size_t{64} * 1024;

}  // namespace

DescriptorInput::DescriptorInput(int fd) : fd_(fd), buffer_(kBufferSize)
{
    setg(buffer_.data(), buffer_.data(), buffer_.data());
}

DescriptorInput::int_type DescriptorInput::underflow()
{
    if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
    if (error_ != 0) return traits_type::eof();
    std::size_t count = 0;
    error_ = readSome(fd_, buffer_.data(), buffer_.size(), count);
    if (error_ != 0 || count == 0) return traits_type::eof();
    setg(buffer_.data(), buffer_.data(), buffer_.data() + count);
    return traits_type::to_int_type(*gptr());
}

}  // namespace folix
