#include "coordinate_files.h"

#include <charconv>

namespace folix {

namespace {

constexpr std::size_t kDigits = 6;
constexpr std::string_view kPrefix = "line-";
constexpr std::string_view kSuffix = ".dat";

}  // namespace

std::string coordinateFileName(std::size_t line)
{
    std::string number = std::to_string(line);
    if (number.size() < kDigits) number.insert(0, kDigits - number.size(), '0');
    return std::string(kPrefix) + number + std::string(kSuffix);
}

std::optional<std::size_t> coordinateFileLine(std::string_view name)
{
    if (name.size() <= kPrefix.size() + kSuffix.size() || name.substr(0, kPrefix.size()) != kPrefix ||
        name.substr(name.size() - kSuffix.size()) != kSuffix)
        return std::nullopt;
    const std::string_view digits = name.substr(kPrefix.size(), name.size() - kPrefix.size() - kSuffix.size());
    std::size_t line = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), line);
    if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
    // Only the name the batch itself would give that line.
    if (coordinateFileName(line) != name) return std::nullopt;
    return line;
}

}  // namespace folix
