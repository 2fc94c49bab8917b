#include "target_failure.h"

#include <array>
#include <charconv>

namespace folix {

std::string messageNumber(double value, int digits)
{
    std::array<char, 64> buffer{};
    const double positiveZero = value == 0 ? 0.0 : value;
    const auto end =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), positiveZero, std::chars_format::general, digits).ptr;
    return std::string(buffer.data(), end);
}

}  // namespace folix
