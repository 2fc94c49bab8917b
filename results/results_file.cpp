#include "results_file.h"

#include <cerrno>
#include <cmath>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "engine/real.h"
#include "results/file_descriptor.h"
#include "results/record_reader.h"
#include "results/record_text.h"

namespace folix {

namespace {

// Half a unit of the last decimal that the file holds for each column.
constexpr double kXDltCTolerance = 0.000005;
constexpr double kTauTolerance = 0.005;

constexpr int kOpenFlags = O_CLOEXEC | O_NOCTTY | O_NONBLOCK;

std::string systemReason(int error) { return std::generic_category().message(error); }

SaveResult failed(const std::filesystem::path& file, std::string reason)
{
    return {SaveOutcome::Failed, file, std::move(reason)};
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

// 0 when all of `text` was written, else the system's error number.
int writeAll(int fd, const std::string& text)
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

SaveResult create(const std::filesystem::path& file, const std::string& text)
{
    // O_EXCL: whatever appeared at the name in the meantime is never overwritten.
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | kOpenFlags, 0666);
    if (fd < 0) return failed(file, systemReason(errno));
    FileDescriptor created(fd);

    int error = writeAll(created.get(), text);
    const int closeError = created.close();
    if (error == 0) error = closeError;
    if (error != 0) {
        ::unlink(file.c_str());  // it did not exist before
        return failed(file, systemReason(error));
    }
    return {SaveOutcome::Created, file, {}};
}

SaveResult append(const std::filesystem::path& file, const std::string& text, SaveOutcome outcome)
{
    const int fd = ::open(file.c_str(), O_WRONLY | O_APPEND | kOpenFlags);
    if (fd < 0) return failed(file, systemReason(errno));
    FileDescriptor appending(fd);

    struct stat status {};
    if (::fstat(appending.get(), &status) != 0) return failed(file, systemReason(errno));
    const off_t previousSize = status.st_size;

    const int writeError = writeAll(appending.get(), text);
    if (writeError != 0) {
        // No partial line may stay behind.
        while (::ftruncate(appending.get(), previousSize) != 0 && errno == EINTR) {}
        return failed(file, systemReason(writeError));
    }
    const int closeError = appending.close();
    if (closeError != 0) {
        ::truncate(file.c_str(), previousSize);
        return failed(file, systemReason(closeError));
    }
    return {outcome, file, {}};
}

SaveResult recordDesign(const DesignState& state, const std::filesystem::path& file)
{
    const int fd = ::open(file.c_str(), O_RDONLY | kOpenFlags);
    if (fd < 0) {
        // Any other reason means a file may be there: creating would risk it.
        if (errno == ENOENT) return create(file, creationText(state));
        return failed(file, systemReason(errno));
    }
    FileDescriptor reading(fd);

    struct stat status {};
    if (::fstat(reading.get(), &status) != 0) return failed(file, systemReason(errno));
    if (S_ISDIR(status.st_mode)) return failed(file, systemReason(EISDIR));
    if (!S_ISREG(status.st_mode)) return failed(file, "Not a regular file");

    RecordedFile recorded;
    try {
        recorded = readRecordedFile(reading.get());
    } catch (const std::system_error& error) {
        return failed(file, error.code().message());
    }
    reading.close();  // a read-only handle has nothing left to lose

    if (holdsDuplicate(recorded, state)) return {SaveOutcome::Duplicate, file, {}};
    if (recorded.size == 0) return append(file, creationText(state), SaveOutcome::Created);
    return append(file, missingLineEnds(recorded) + recordLine(state) + kLineEnd, SaveOutcome::Appended);
}

std::filesystem::path absoluteOrAsGiven(const std::filesystem::path& file)
{
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(file, error);
    return error ? file : absolute;
}

}  // namespace

SaveResult saveResult(DesignState& state, const std::filesystem::path& file)
{
    state.Tau = ((2 - Real(state.EM)) * 180).value();
    return recordDesign(state, absoluteOrAsGiven(file));
}

}  // namespace folix
