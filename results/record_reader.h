#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <sys/types.h>
#include <vector>

namespace folix {

inline constexpr int kRecordsTested = 100;
inline constexpr int kFieldsPerRecord = 7;
// The part of the file a save reads: 100 records as the programs write them
// take a few kilobytes, and never more than a tenth of this. Beyond it nothing
// is read, so that a save takes the same time on a file of any size.
inline constexpr std::size_t kReadBytes = std::size_t{4} << 20;

// A number of a record line as read back. Empty for a number beyond the double
// range (only a hand-edited file holds one): it equals no design value.
using RecordedField = std::optional<double>;
using RecordedDesign = std::array<RecordedField, kFieldsPerRecord>;

// What a save needs to know of an existing results file.
struct RecordedFile {
    off_t size = 0;
    char lastByte = '\0';           // meaningful when size > 0
    int linesBeforeRecords = 0;     // 2 once the header and the empty line have ended
    std::vector<RecordedDesign> records;  // the first complete records, at most the number asked for
};

// Reads the open regular file `fd` from its start: passes over two lines (each
// ended by LF, CR LF or a lone CR), then reads up to `mostRecords` records of
// seven numbers (by default the 100 a save compares). Fields are separated by
// blanks or tabs, one comma or line ends; blanks and line ends before a field
// are skipped, and a comma with no text before it is an empty field, read as
// 0. Each field reads as the leading number of its text (0 when there is
// none); only its first 1024 characters are looked at. The end of the file
// inside a record drops that record; a number that the end of the file closes
// is complete. Only the first `readBytes` are read (by default kReadBytes, all
// a save needs): a record that goes on beyond them is dropped like one cut by
// the end of the file, and header lines that do not end within them count as
// both header lines. The file is read in fixed chunks. Raises
// std::system_error when the system fails a read.
RecordedFile readRecordedFile(int fd, std::size_t mostRecords = kRecordsTested, std::size_t readBytes = kReadBytes);

}  // namespace folix
