#pragma once

#include <string>
#include <string_view>

namespace folix {

// What an input box's text reads as when the run would not take it whole, to
// be shown beside the box as it is typed: "reads as 0: use '.' for the
// decimal point" for "0,02", "reads as 12: '%' is ignored; 12 % is 0.12" for
// "12%", "reads as 0: not a number" for "abc", "empty: reads as 0". Empty when
// the text reads entirely as one number. The reading itself is
// readLeadingNumber's: blanks count for nothing, "." is the decimal point.
std::string readingHint(std::string_view text);

}  // namespace folix
