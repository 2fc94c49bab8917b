#include "row_files.h"

#include <charconv>

namespace folix {

namespace {

constexpr std::size_t kDigits = 6;
constexpr std::string_view kPrefix = "line-";

}  // namespace

std::string rowFileName(const RowFiles& kind, std::size_t line)
{
    std::string number = std::to_string(line);
    if (number.size() < kDigits) number.insert(0, kDigits - number.size(), '0');
    return std::string(kPrefix) + number + std::string(kind.suffix);
}

std::optional<std::size_t> rowFileLine(const RowFiles& kind, std::string_view name)
{
    const std::string_view suffix = kind.suffix;
    if (name.size() <= kPrefix.size() + suffix.size() || name.substr(0, kPrefix.size()) != kPrefix ||
        name.substr(name.size() - suffix.size()) != suffix)
        return std::nullopt;
    const std::string_view digits = name.substr(kPrefix.size(), name.size() - kPrefix.size() - suffix.size());
    std::size_t line = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), line);
    if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
    // Only the name the batch itself would give that line.
    if (rowFileName(kind, line) != name) return std::nullopt;
    return line;
}

}  // namespace folix
