#include "record_reader.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <string>
#include <system_error>

#include <sys/stat.h>
#include <unistd.h>

#include "engine/arithmetic_error.h"
#include "engine/number_text.h"
#include "results/file_output.h"

namespace folix {

namespace {

constexpr std::size_t kChunkSize = std::size_t{64} * 1024;
constexpr std::size_t kTokenLimit = 1024;  // a written field has at most 316 characters
constexpr int kEnd = -1;

[[noreturn]] void raiseSystemError(int error)
{
    throw std::system_error(error, std::generic_category());
}

// The file's bytes from its start, up to `limit`: the end of that part reads
// as the end of the file, but is told apart by cutShort().
class FileBytes {
public:
    FileBytes(int fd, off_t size, std::size_t limit) : fd_(fd), size_(size), limit_(limit), buffer_(kChunkSize) {}

    // The next byte, or kEnd at the end of the file or of the part read.
    int peek()
    {
        if (position_ == filled_ && !refill()) return kEnd;
        return static_cast<unsigned char>(buffer_[position_]);
    }

    int get()
    {
        const int c = peek();
        if (c != kEnd) ++position_;
        return c;
    }

    void skip() { ++position_; }

    // Whether the reading stopped at the limit rather than at the end of the file.
    bool cutShort() const { return cutShort_; }

private:
    bool refill()
    {
        if (read_ >= limit_) {
            cutShort_ = static_cast<std::uintmax_t>(size_) > limit_;
            return false;
        }
        std::size_t count = 0;
        const std::size_t wanted = std::min(buffer_.size(), limit_ - read_);
        if (const int error = readSome(fd_, buffer_.data(), wanted, count)) raiseSystemError(error);
        read_ += count;
        position_ = 0;
        filled_ = count;
        return count > 0;
    }

    int fd_;
    off_t size_;
    std::size_t limit_;
    std::vector<char> buffer_;
    std::size_t position_ = 0;
    std::size_t filled_ = 0;
    std::size_t read_ = 0;
    bool cutShort_ = false;
};

bool isBlank(int c) { return c == ' ' || c == '\t'; }
bool isLineEnd(int c) { return c == '\r' || c == '\n'; }

// Passes over one line and its end; false when the file ends first.
bool passLine(FileBytes& bytes)
{
    for (;;) {
        const int c = bytes.get();
        if (c == kEnd) return false;
        if (c == '\n') return true;
        if (c == '\r') {
            if (bytes.peek() == '\n') bytes.skip();
            return true;
        }
    }
}

// A damaged file must never stop a save: a number beyond the double range
// becomes a field that matches nothing instead of an overflow.
RecordedField leadingNumber(const std::string& text)
{
    try {
        return readLeadingNumber(text);
    } catch (const ArithmeticError&) {
        return std::nullopt;
    }
}

// Reads the next field; false when the file ends before one starts, or when
// the part read ends inside it (its number may go on).
bool readField(FileBytes& bytes, RecordedField& field)
{
    int c = bytes.peek();
    while (isBlank(c) || isLineEnd(c)) {
        bytes.skip();
        c = bytes.peek();
    }
    if (c == kEnd) return false;
    if (c == ',') {
        bytes.skip();
        field = 0.0;
        return true;
    }

    std::string text;
    while (c != kEnd && c != ',' && !isBlank(c) && !isLineEnd(c)) {
        if (text.size() < kTokenLimit) text += static_cast<char>(c);
        bytes.skip();
        c = bytes.peek();
    }
    if (c == kEnd && bytes.cutShort()) return false;
    while (isBlank(c)) {
        bytes.skip();
        c = bytes.peek();
    }
    if (c == ',') bytes.skip();

    field = leadingNumber(text);
    return true;
}

char lastByteOf(int fd, off_t size)
{
    char byte = '\0';
    for (;;) {
        const ssize_t count = ::pread(fd, &byte, 1, size - 1);
        if (count < 0 && errno == EINTR) continue;
        if (count < 0) raiseSystemError(errno);
        return byte;
    }
}

}  // namespace

RecordedFile readRecordedFile(int fd, std::size_t mostRecords, std::size_t readBytes)
{
    RecordedFile file;
    struct stat status {};
    if (::fstat(fd, &status) != 0) raiseSystemError(errno);
    file.size = status.st_size;
    if (file.size > 0) file.lastByte = lastByteOf(fd, file.size);

    FileBytes bytes(fd, file.size, readBytes);
    while (file.linesBeforeRecords < 2) {
        if (!passLine(bytes)) {
            // Lines that long are no header; the file is far beyond one anyway.
            if (bytes.cutShort()) file.linesBeforeRecords = 2;
            return file;
        }
        ++file.linesBeforeRecords;
    }

    while (file.records.size() < mostRecords) {
        RecordedDesign record;
        for (RecordedField& field : record)
            if (!readField(bytes, field)) return file;
        file.records.push_back(record);
    }
    return file;
}

}  // namespace folix
