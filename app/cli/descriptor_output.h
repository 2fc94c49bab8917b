#pragma once

#include <streambuf>
#include <vector>

namespace folix {

// A stream buffer onto an open file descriptor that remembers why writing
// failed, so that a full disk or a closed pipe behind standard output can be
// reported with the system's reason. Flushed by the stream's flush().
class DescriptorOutput : public std::streambuf {
public:
    explicit DescriptorOutput(int fd);

    // 0, or the system's error number of the first write that failed.
    int error() const { return error_; }

protected:
    int_type overflow(int_type c) override;
    int sync() override;

private:
    bool writePending();

    int fd_;
    int error_ = 0;
    std::vector<char> buffer_;
};

}  // namespace folix
