#include "file_output.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <random>
#include <system_error>
#include <thread>
#include <utility>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "results/file_descriptor.h"

namespace folix {

namespace {

constexpr int kNameAttempts = 100;
constexpr int kMostLinks = 40;  // as the system follows at most
constexpr auto kLockPoll = std::chrono::milliseconds(10);

// Twelve digits.
std::string randomSuffix()
{
    // One generator per thread: the batch writes files from several at once.
    thread_local std::mt19937_64 generator{std::random_device{}()};
    const std::string digits = std::to_string(generator() % 1'000'000'000'000ULL);
    return std::string(12 - digits.size(), '0') + digits;
}

FileWrite failure(int error) { return {false, systemReason(error)}; }

bool sameFile(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

// Replacing the file behind our own standard output or error would send the
// rest of that stream into the replaced file, lost.
bool isStandardStream(const struct stat& file)
{
    for (const int fd : {STDOUT_FILENO, STDERR_FILENO}) {
        struct stat stream {};
        if (::fstat(fd, &stream) == 0 && sameFile(stream, file)) return true;
    }
    return false;
}

FileWrite writeThrough(const std::filesystem::path& target, std::string_view contents)
{
    // Appending: a pipe or a device ignores it, a standard stream's file keeps what it was given.
    const int fd = ::open(target.c_str(), O_WRONLY | O_APPEND | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return failure(errno);
    FileDescriptor file(fd);
    int error = writeAll(file.get(), contents);
    const int closeError = file.close();
    if (error == 0) error = closeError;
    return error != 0 ? failure(error) : FileWrite{true, {}};
}

// The new file should be the old one in all but its bytes. The system may
// refuse some of it (another owner, a file system without modes); the file is
// written all the same, and a group that could not be kept gets no more than
// everyone else.
void takeOwnerAndMode(int fd, const struct stat& old)
{
    if (::fchown(fd, old.st_uid, old.st_gid) != 0) {
        [[maybe_unused]] const int grouped = ::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
    }
    mode_t mode = old.st_mode & 07777;
    struct stat now {};
    if (::fstat(fd, &now) != 0 || now.st_gid != old.st_gid) mode = (mode & ~mode_t{070}) | ((mode & 07) << 3);
    [[maybe_unused]] const int moded = ::fchmod(fd, mode);
}

FileWrite replaceRegularFile(const std::filesystem::path& target, std::string_view contents)
{
    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    // Private until it has the old file's mode.
    TemporaryFile temporary(target, exists ? 0600 : 0666);
    if (temporary.error() != 0) return failure(temporary.error());
    if (exists) takeOwnerAndMode(temporary.fd(), old);
    int error = temporary.fill(contents);
    if (error == 0) error = temporary.replaceTarget();
    return error != 0 ? failure(error) : FileWrite{true, {}};
}

}  // namespace

void ignoreFileSizeSignal()
{
    std::signal(SIGXFSZ, SIG_IGN);
}

std::string systemReason(int error)
{
    return error != 0 ? std::generic_category().message(error) : "write failed";
}

int readSome(int fd, char* buffer, std::size_t size, std::size_t& count)
{
    for (;;) {
        const ssize_t got = ::read(fd, buffer, size);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return errno;
        count = static_cast<std::size_t>(got);
        return 0;
    }
}

int writeAll(int fd, std::string_view text)
{
    std::size_t written = 0;
    while (written < text.size()) {
        const ssize_t count = ::write(fd, text.data() + written, text.size() - written);
        if (count < 0 && errno == EINTR) continue;
        if (count < 0) return errno;
        if (count == 0) return EIO;
        written += static_cast<std::size_t>(count);
    }
    return 0;
}

std::filesystem::path finalTarget(const std::filesystem::path& name, int& error)
{
    error = 0;
    std::filesystem::path current = name;
    for (int link = 0; link <= kMostLinks; ++link) {
        struct stat status {};
        if (::lstat(current.c_str(), &status) != 0) {
            if (errno == ENOENT) return current;
            error = errno;
            return {};
        }
        if (!S_ISLNK(status.st_mode)) return current;
        std::error_code code;
        const std::filesystem::path pointsTo = std::filesystem::read_symlink(current, code);
        if (code) {
            error = code.value();
            return {};
        }
        current = pointsTo.is_absolute() ? pointsTo : current.parent_path() / pointsTo;
    }
    error = ELOOP;
    return {};
}

int lockExclusively(int fd, std::chrono::steady_clock::time_point deadline)
{
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) return 0;
        if (errno == EINTR) continue;
        if (errno != EWOULDBLOCK) return errno;
        if (std::chrono::steady_clock::now() >= deadline) return EWOULDBLOCK;
        std::this_thread::sleep_for(kLockPoll);
    }
}

TemporaryFile::TemporaryFile(const std::filesystem::path& target, mode_t mode) : target_(target)
{
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        // Hidden, beside the target, so that a rename stays within one file system;
        // of one length whatever the target's name, which may be as long as a name can be.
        path_ = target;
        path_.replace_filename(".folix-" + randomSuffix() + ".tmp");
        // O_EXCL: never reuse a file that exists, whoever made it.
        fd_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOCTTY | O_CLOEXEC, mode);
        if (fd_ >= 0) return;
        error_ = errno;
        if (error_ != EEXIST) break;
    }
    path_.clear();
}

TemporaryFile::~TemporaryFile()
{
    if (fd_ >= 0) ::close(fd_);
    if (!placed_ && !path_.empty()) ::unlink(path_.c_str());
}

int TemporaryFile::fill(std::string_view contents)
{
    int problem = writeAll(fd_, contents);
    // A full disk may show only when the data reach it.
    if (problem == 0 && ::fsync(fd_) != 0) problem = errno;
    const int closed = ::close(std::exchange(fd_, -1));
    if (problem == 0 && closed != 0) problem = errno;
    return problem;
}

int TemporaryFile::replaceTarget()
{
    if (::rename(path_.c_str(), target_.c_str()) != 0) return errno;
    placed_ = true;
    return 0;
}

int TemporaryFile::createTarget()
{
    if (::renameat2(AT_FDCWD, path_.c_str(), AT_FDCWD, target_.c_str(), RENAME_NOREPLACE) == 0) {
        placed_ = true;
        return 0;
    }
    if (errno != EINVAL && errno != ENOSYS) return errno;
    // A file system without that rename (NFS) still links a name only where there is none.
    if (::link(path_.c_str(), target_.c_str()) != 0) return errno;
    return 0;  // the temporary name goes with the destructor
}

FileWrite writeTextFile(const std::filesystem::path& target, std::string_view contents)
{
    if (!target.has_filename()) return {false, "not a file name"};
    struct stat status {};
    if (::stat(target.c_str(), &status) == 0) {
        if (S_ISBLK(status.st_mode)) return {false, "Is a block device"};
        if (!S_ISREG(status.st_mode) || isStandardStream(status)) return writeThrough(target, contents);
    } else if (errno != ENOENT) {
        return failure(errno);
    }
    int error = 0;
    const std::filesystem::path landing = finalTarget(target, error);
    if (error != 0) return failure(error);
    return replaceRegularFile(landing, contents);
}

}  // namespace folix
