#pragma once

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

#include <sys/types.h>

namespace folix {

// Every program calls this first: a write beyond the file-size limit (ulimit
// -f) then fails with EFBIG, as on a full disk, and the file keeps its bytes,
// instead of the process being killed half-way through a record.
void ignoreFileSizeSignal();

// The system's text for an error number, e.g. "No space left on device".
std::string systemReason(int error);

// Writes all of `text`, resuming after interruptions and short writes: 0, or
// the system's error number.
int writeAll(int fd, std::string_view text);

// Reads what is there, up to `size` bytes, resuming after interruptions:
// 0 with the byte count in `count` (0 at the end), or the system's error number.
int readSome(int fd, char* buffer, std::size_t size, std::size_t& count);

// What a name finally stands for: symbolic links followed, each relative to
// its own folder, to a name that is not a link (and need not exist). `error`
// receives 0 or the system's error number.
std::filesystem::path finalTarget(const std::filesystem::path& name, int& error);

// Takes an exclusive advisory lock on the open file, polling until `deadline`:
// 0, EWOULDBLOCK when another holder kept it that long, or the system's error.
int lockExclusively(int fd, std::chrono::steady_clock::time_point deadline);

// A new file under a hidden name (".folix-<12 digits>.tmp", whatever the
// target's name) in the folder of `target`, so that it can take the target's
// name in one step. Removed again unless it took it.
class TemporaryFile {
public:
    // Creates it with `mode` less the umask; error() tells whether that worked.
    TemporaryFile(const std::filesystem::path& target, mode_t mode);
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile();

    int error() const { return error_; }
    int fd() const { return fd_; }

    // Writes the contents, forces them to the disk and closes: 0 or an error number.
    int fill(std::string_view contents);

    // Renames it over the target, whatever is there: 0 or an error number.
    int replaceTarget();

    // Gives it the target's name only while nothing else has that name: 0,
    // EEXIST when something does, or another error number.
    int createTarget();

private:
    std::filesystem::path target_;
    std::filesystem::path path_;
    int fd_ = -1;
    int error_ = 0;
    bool placed_ = false;
};

struct FileWrite {
    bool written = false;
    std::string reason;  // when not written: the system's reason
};

// Writes a file the user named, never damaging what is there. A regular file
// (or a link to one) is replaced in one step: a new file in the folder of the
// link's final target, with the old file's mode, owner and group (as far as
// the process may set them), renamed over it; a new name gets 0666 less the
// umask. On failure the old file keeps its bytes. Anything else (a pipe, a
// character device, a socket, the process's own standard output) is written
// through in place, never replaced. A block device is refused.
FileWrite writeTextFile(const std::filesystem::path& target, std::string_view contents);

}  // namespace folix
