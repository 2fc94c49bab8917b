#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace folix {

// The fields of one CSV line, split at the commas outside quotes, each without
// the blanks around it. A field that starts with a quote is read as CSV
// writes it ("a,b", "say ""x"""); a quote still open at the line end takes
// the rest of the line. A trailing CR (a CR LF file) is dropped first.
std::vector<std::string> splitCsvLine(std::string_view line);

// A field as CSV writes it: quoted when it holds a comma, a quote or a line end.
std::string csvField(std::string_view text);

}  // namespace folix
