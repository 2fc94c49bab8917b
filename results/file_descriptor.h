#pragma once

#include <cerrno>
#include <utility>

#include <unistd.h>

namespace folix {

// An open file of the system, closed when it goes out of scope, so no path
// through the save command can leave a handle open.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor()
    {
        if (fd_ >= 0) ::close(fd_);
    }

    int get() const { return fd_; }

    // Closes now; the system's error number when it reports a failure, else 0.
    // The descriptor is released either way, so there is nothing to retry.
    int close()
    {
        const int fd = std::exchange(fd_, -1);
        return ::close(fd) == 0 ? 0 : errno;
    }

private:
    int fd_;
};

}  // namespace folix
