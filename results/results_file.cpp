#include "results_file.h"

#include <cerrno>
#include <chrono>
#include <cmath>
#include <limits>
#include <system_error>
#include <thread>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "engine/real.h"
#include "results/file_descriptor.h"
#include "results/file_output.h"
#include "results/record_reader.h"
#include "results/record_text.h"

namespace folix {

namespace {

// Half a unit of the last decimal that the file holds for each column.
constexpr double kXDltCTolerance = 0.000005;
constexpr double kTauTolerance = 0.005;

constexpr int kOpenFlags = O_CLOEXEC | O_NOCTTY | O_NONBLOCK;

// Long enough for any number of savers to take their turns, short enough for a person waiting.
constexpr auto kLockWait = std::chrono::seconds(5);
constexpr const char* kLockedReason = "the results file is locked by another program";
constexpr const char* kNotRegularReason = "Not a regular file";
constexpr auto kSharedLockPoll = std::chrono::milliseconds(10);

// The results file as the save reaches it, and as its messages name it.
struct ResultsFileName {
    std::filesystem::path name;
    std::filesystem::path shown;
};

SaveResult failed(const std::filesystem::path& file, std::string reason)
{
    return {SaveOutcome::Failed, file, std::move(reason)};
}

SaveResult failed(const std::filesystem::path& file, int error)
{
    return {SaveOutcome::Failed, file, systemReason(error), error};
}

// |recorded − current| ≤ tolerance as the doubles compute it. A difference
// beyond the double range (a damaged file) is no match.
bool agrees(const RecordedField& recorded, double current, double tolerance)
{
    if (!recorded) return false;
    const double difference = std::fabs(*recorded - current);
    return std::isfinite(difference) && difference <= tolerance;
}

bool recordsDesign(const RecordedDesign& record, const DesignState& state)
{
    return record[0] == state.Delta
        && record[1] == state.Gamma
        && agrees(record[2], state.XDltC, kXDltCTolerance)
        && agrees(record[3], state.Tau, kTauTolerance);
}

bool holdsDuplicate(const RecordedFile& recorded, const DesignState& state)
{
    bool duplicate = false;
    for (const RecordedDesign& record : recorded.records)
        if (recordsDesign(record, state)) duplicate = true;
    return duplicate;
}

std::string creationText(const DesignState& state)
{
    return std::string(kHeaderLine) + kLineEnd + kLineEnd + recordLine(state) + kLineEnd;
}

// What an existing file lacks before a record can follow: the end of its last
// line, and the empty second line when it stopped short of it.
std::string missingLineEnds(const RecordedFile& recorded)
{
    std::string text;
    int linesEnded = recorded.linesBeforeRecords;
    if (recorded.lastByte == '\r') {
        text += '\n';  // a lone CR already ends the line; make it a CR LF
    } else if (recorded.lastByte != '\n') {
        text += kLineEnd;
        ++linesEnded;
    }
    if (linesEnded < 2) text += kLineEnd;
    return text;
}

// A whole new file takes the name in one step, and only while the name is
// free: a saver that loses the race finds the winner's file and goes through
// its lock, and a failed creation leaves nothing behind.
SaveResult create(const ResultsFileName& file, const std::string& text, bool& nameTaken)
{
    int error = 0;
    const std::filesystem::path landing = finalTarget(file.name, error);
    if (error != 0) return failed(file.shown, error);
    TemporaryFile created(landing, 0666);
    error = created.error();
    if (error == 0) error = created.fill(text);
    if (error == 0) error = created.createTarget();
    nameTaken = error == EEXIST;
    if (error != 0) return failed(file.shown, error);
    return {SaveOutcome::Created, file.shown, {}};
}

// Appends through the locked handle. The data reach the disk before the lock
// goes, so that a failure can still cut off the part that was written.
SaveResult append(int fd, off_t previousSize, const std::string& text, SaveOutcome outcome,
                  const std::filesystem::path& file)
{
    int error = writeAll(fd, text);
    if (error == 0 && ::fsync(fd) != 0) error = errno;
    if (error != 0) {
        while (::ftruncate(fd, previousSize) != 0 && errno == EINTR) {}
        return failed(file, error);
    }
    return {outcome, file, {}};
}

// Whether the name still stands for the open file: a saver may have waited
// for the lock on a file that was replaced or removed meanwhile.
bool stillNamed(const std::filesystem::path& file, int fd)
{
    struct stat named {};
    struct stat opened {};
    return ::stat(file.c_str(), &named) == 0 && ::fstat(fd, &opened) == 0 && named.st_dev == opened.st_dev &&
           named.st_ino == opened.st_ino;
}

// Reads, tests and appends under the lock. `notWritable`: why the file could
// only be opened for reading, else 0.
SaveResult recordInLockedFile(int fd, int notWritable, const DesignState& state, const std::filesystem::path& file)
{
    RecordedFile recorded;
    try {
        recorded = readRecordedFile(fd);
    } catch (const std::system_error& error) {
        return failed(file, error.code().value());
    }
    if (holdsDuplicate(recorded, state)) return {SaveOutcome::Duplicate, file, {}};
    if (notWritable != 0) return failed(file, notWritable);
    if (recorded.size == 0) return append(fd, 0, creationText(state), SaveOutcome::Created, file);
    return append(fd, recorded.size, missingLineEnds(recorded) + recordLine(state) + kLineEnd, SaveOutcome::Appended,
                  file);
}

// The lock is held from the first read through the duplicate test to the end
// of the append, so that concurrent savers (the window, batches) take turns.
SaveResult recordDesign(const DesignState& state, const ResultsFileName& file)
{
    const auto deadline = std::chrono::steady_clock::now() + kLockWait;
    const std::filesystem::path& shown = file.shown;
    for (;;) {
        int fd = ::open(file.name.c_str(), O_RDWR | O_APPEND | kOpenFlags);
        // A file that may not be written can still hold the design already.
        const int notWritable = fd < 0 && (errno == EACCES || errno == EROFS) ? errno : 0;
        if (notWritable != 0) fd = ::open(file.name.c_str(), O_RDONLY | kOpenFlags);
        if (fd < 0) {
            // Any other reason means a file may be there: creating would risk it.
            if (errno != ENOENT) return failed(shown, errno);
            bool nameTaken = false;
            SaveResult created = create(file, creationText(state), nameTaken);
            if (nameTaken && std::chrono::steady_clock::now() < deadline) continue;
            return created;
        }
        FileDescriptor locked(fd);

        struct stat status {};
        if (::fstat(locked.get(), &status) != 0) return failed(shown, errno);
        if (S_ISDIR(status.st_mode)) return failed(shown, EISDIR);
        if (!S_ISREG(status.st_mode)) return failed(shown, kNotRegularReason);

        const int lockError = lockExclusively(locked.get(), deadline);
        if (lockError == EWOULDBLOCK) return failed(shown, kLockedReason);
        // NFS locks only what may be written; a read-only saver can at most find a duplicate.
        if (lockError != 0 && !(notWritable != 0 && lockError == EBADF)) return failed(shown, lockError);
        if (stillNamed(file.name, locked.get())) return recordInLockedFile(locked.get(), notWritable, state, shown);
        if (std::chrono::steady_clock::now() >= deadline) return failed(shown, kLockedReason);
    }
}

// Messages name the file in full where the system can tell the working
// folder; the file itself is always reached by the name as given, which
// works from a folder of any depth.
std::filesystem::path nameInMessages(const std::filesystem::path& file)
{
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(file, error);
    return error ? file : absolute;
}

}  // namespace

SaveResult saveResult(DesignState& state, const std::filesystem::path& file)
{
    state.Tau = ((2 - Real(state.EM)) * 180).value();
    return recordDesign(state, {file, nameInMessages(file)});
}

RecordedResults readResultsFile(const std::filesystem::path& file, std::size_t mostRecords)
{
    const std::filesystem::path shown = nameInMessages(file);
    const int fd = ::open(file.c_str(), O_RDONLY | kOpenFlags);
    if (fd < 0) return {{}, failed(shown, errno)};
    const FileDescriptor opened(fd);
    struct stat status {};
    if (::fstat(fd, &status) != 0) return {{}, failed(shown, errno)};
    if (S_ISDIR(status.st_mode)) return {{}, failed(shown, EISDIR)};
    if (!S_ISREG(status.st_mode)) return {{}, failed(shown, kNotRegularReason)};

    const auto deadline = std::chrono::steady_clock::now() + kLockWait;
    while (::flock(fd, LOCK_SH | LOCK_NB) != 0) {
        if (errno == EINTR) continue;
        if (errno != EWOULDBLOCK) return {{}, failed(shown, errno)};
        if (std::chrono::steady_clock::now() >= deadline) return {{}, failed(shown, kLockedReason)};
        std::this_thread::sleep_for(kSharedLockPoll);
    }
    try {
        const std::size_t everyByte = std::numeric_limits<std::size_t>::max();
        return {readRecordedFile(fd, mostRecords, everyByte).records, std::nullopt};
    } catch (const std::system_error& error) {
        return {{}, failed(shown, error.code().value())};
    }
}

}  // namespace folix
