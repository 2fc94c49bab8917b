#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace folix {

// A kind of file a batch writes for each row into a folder of the user's:
// its name's ending and what messages call it.
struct RowFiles {
    std::string_view suffix;
    std::string_view role;
};

inline constexpr RowFiles kCoordinateFiles{".dat", "the coordinate file"};
inline constexpr RowFiles kPolarFiles{".csv", "the polar file"};

// The name of a batch row's file: line-000012.dat, the input line number
// with at least six digits, so that the files list in line order.
std::string rowFileName(const RowFiles& kind, std::size_t line);

// The input line whose file of this kind has this name; none for any other name.
std::optional<std::size_t> rowFileLine(const RowFiles& kind, std::string_view name);

}  // namespace folix
