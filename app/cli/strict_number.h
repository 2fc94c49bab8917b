#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace folix {

// A number given on the command line or in a batch row. Unlike the window's
// leading-number reading, the whole text must be one decimal number: an
// optional sign, digits with an optional ".", an optional exponent with E.
// The value is then read exactly as the window reads the same text. Gives no
// value, and the problem in `problem`, for anything else; the problem quotes
// at most the text's first 40 characters, escaped where they hold control
// characters.
std::optional<double> readStrictNumber(std::string_view text, std::string& problem);

// A count: decimal digits only.
std::optional<long long> readStrictCount(std::string_view text, std::string& problem);

}  // namespace folix
