#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace folix {

// The name of a batch row's coordinate file: line-000012.dat, the input line
// number with at least six digits, so that the files list in line order.
std::string coordinateFileName(std::size_t line);

// The input line whose coordinate file has this name; none for any other name.
std::optional<std::size_t> coordinateFileLine(std::string_view name);

}  // namespace folix
