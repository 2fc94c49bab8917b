#pragma once

#include <cstddef>
#include <streambuf>
#include <string>
#include <string_view>
#include <vector>

namespace folix {

// One record of a CSV text as it was read: its lines without the line end
// that closed it. A quoted field may hold line ends, so a record may span
// several lines.
struct CsvRecord {
    std::string text;
    std::size_t lines = 0;  // the lines it took, its last one included
    bool tooLong = false;   // it went on beyond the length kept; `text` holds its beginning
};

// Reads the next record: up to a line end outside quotes. A quote opens a
// quoted field only where a field starts (blanks before it allowed); two
// quotes in one stand for one, and a single quote closes it. Once `longest`
// characters are kept, quotes count no more and the record ends with its
// line, so that a quote left open cannot take the rest of the input. A
// quote still open at the end of the input ends there, without the last
// line end. False at the end of the input.
bool nextCsvRecord(std::streambuf& in, CsvRecord& record, std::size_t longest);

// The fields of one record, split at the commas outside quotes, each without
// the blanks around it. A field that starts with a quote is read as CSV
// writes it ("a,b", "say ""x""", a line end inside); text after its closing
// quote belongs to the field; a quote still open takes the rest of the
// record. A trailing CR (a CR LF file) is dropped first.
std::vector<std::string> splitCsvRecord(std::string_view record);

// A field as CSV writes it: quoted when it holds a comma, a quote or a line end.
std::string csvField(std::string_view text);

// A header's name in small letters: column names match in any case.
std::string lowerCase(std::string_view text);

}  // namespace folix
