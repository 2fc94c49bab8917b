#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace folix {

// A JSON string literal, quotes included.
std::string jsonString(std::string_view text);

// The shortest decimal text that reads back as the same double (at most 17
// significant digits); "null" for no value.
std::string jsonNumber(double value);
std::string jsonNumber(const std::optional<double>& value);

}  // namespace folix
