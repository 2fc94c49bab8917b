#include "descriptor_input.h"

#include <cerrno>

#include <unistd.h>

namespace folix {

namespace {

constexpr std::size_t kInputBufferSize = std::size_t{64} * 1024;

}  // namespace

DescriptorInput::DescriptorInput(int fd, bool (*stop)()) : fd_(fd), stop_(stop), buffer_(kInputBufferSize)
{
    setg(buffer_.data(), buffer_.data(), buffer_.data());
}

DescriptorInput::int_type DescriptorInput::underflow()
{
    if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
    if (error_ != 0) return traits_type::eof();
    ssize_t count = 0;
    do {
        if (stop_ && stop_()) return traits_type::eof();
        count = ::read(fd_, buffer_.data(), buffer_.size());
    } while (count < 0 && errno == EINTR);
    if (count < 0) error_ = errno;
    if (count <= 0) return traits_type::eof();
    setg(buffer_.data(), buffer_.data(), buffer_.data() + count);
    return traits_type::to_int_type(*gptr());
}

}  // namespace folix
