#include "json_text.h"

#include <array>
#include <charconv>
#include <cmath>

namespace folix {

std::string jsonString(std::string_view text)
{
    static constexpr char kHex[] = "0123456789abcdef";
    std::string json = "\"";
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
        case '"': json += "\\\""; break;
        case '\\': json += "\\\\"; break;
        case '\n': json += "\\n"; break;
        case '\r': json += "\\r"; break;
        case '\t': json += "\\t"; break;
        default:
            if (byte < 0x20) {
                json += "\\u00";
                json += kHex[byte >> 4];
                json += kHex[byte & 0xF];
            } else {
                json += c;  // UTF-8 passes through
            }
        }
    }
    json += '"';
    return json;
}

std::string jsonNumber(double value)
{
    if (!std::isfinite(value)) return "null";  // never produced by checked arithmetic
    std::array<char, 32> buffer{};
    const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value).ptr;
    return std::string(buffer.data(), end);
}

std::string jsonNumber(const std::optional<double>& value) { return value ? jsonNumber(*value) : "null"; }

}  // namespace folix
