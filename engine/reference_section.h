#pragma once

#include <cstddef>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "selig_export.h"

namespace folix {

// Larger than any coordinate file of kMostSeligPoints points.
inline constexpr std::size_t kLargestReferenceFile = std::size_t{4} << 20;

// A section read from a coordinate file: its name and its points in Selig
// order (trailing edge, upper surface to the leading edge, lower surface back).
struct ReferenceSection {
    std::string name;
    std::vector<SectionPoint> points;
};

// Why a coordinate file cannot be read: "line 7: ..." for a line of it, the
// bare reason for the file as a whole (line 0).
class ReferenceFileError : public std::runtime_error {
public:
    ReferenceFileError(int line, const std::string& reason)
        : std::runtime_error(line > 0 ? "line " + std::to_string(line) + ": " + reason : reason), line_(line)
    {
    }
    int line() const { return line_; }

private:
    int line_;
};

// Reads a coordinate file's text in either layout: Selig (a name line, then
// "x y" per line from the trailing edge over the upper surface to the leading
// edge and back over the lower one) or Lednicer (a name line, a line with the
// point counts of the upper and lower surfaces, then the upper surface from
// the leading edge to the trailing edge and the lower one likewise, each
// after a blank line). A first line of two numbers is a point: the section
// then takes fallbackName. Numbers are plain decimals with "." (an exponent
// allowed), separated by blanks or tabs; lines may end in CR LF. Raises
// ReferenceFileError at the first line that does not fit, for a control
// character anywhere, and for fewer than kFewestSeligPoints or more than
// kMostSeligPoints points.
ReferenceSection parseReferenceSection(std::string_view text, const std::string& fallbackName);

// Reads the regular file at path, of at most kLargestReferenceFile bytes
// (anything else is refused before it is read), named after its stem when
// it has no name line. Raises ReferenceFileError.
ReferenceSection readReferenceSection(const std::filesystem::path& path);

}  // namespace folix
