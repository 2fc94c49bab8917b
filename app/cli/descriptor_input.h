#pragma once

#include <streambuf>
#include <vector>

namespace folix {

// A stream buffer reading an open file descriptor that remembers why reading
// failed, so that a batch file that breaks off can be reported with the
// system's reason instead of passing for a shorter file.
class DescriptorInput : public std::streambuf {
public:
    // With `stop`, a read that a signal interrupts while stop() is true ends
    // the input there instead of waiting on.
    explicit DescriptorInput(int fd, bool (*stop)() = nullptr);

    // 0, or the system's error number of the read that failed.
    int error() const { return error_; }

protected:
    int_type underflow() override;

private:
    int fd_;
    bool (*stop_)();
    int error_ = 0;
    std::vector<char> buffer_;
};

}  // namespace folix
