#include "shown_file_name.h"

#include <array>

namespace folix {

namespace {

constexpr unsigned char kDelete = 0x7F;

bool isContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// The length of the UTF-8 sequence that starts at `at`, 0 when the bytes
// there are no text or a control character.
std::size_t printableSequence(std::string_view name, std::size_t at)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(name[i]); };
    const unsigned char lead = byte(at);
    if (lead < 0x20 || lead == kDelete) return 0;
    if (lead < 0x80) return 1;
    std::size_t length = 0;
    char32_t code = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        code = lead & 0x1Fu;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        code = lead & 0x0Fu;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        code = lead & 0x07u;
    } else {
        return 0;
    }
    if (at + length > name.size()) return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if (!isContinuation(byte(at + i))) return 0;
        code = (code << 6) | (byte(at + i) & 0x3Fu);
    }
    constexpr std::array<char32_t, 5> kSmallest = {0, 0, 0x80, 0x800, 0x10000};
    const bool overlong = code < kSmallest[length];
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    const bool c1Control = code >= 0x80 && code <= 0x9F;
    if (overlong || surrogate || c1Control || code > 0x10FFFF) return 0;
    return length;
}

void appendEscaped(std::string& text, unsigned char byte)
{
    constexpr const char* kHex = "0123456789abcdef";
    switch (byte) {
    case '\n': text += "\\n"; return;
    case '\r': text += "\\r"; return;
    case '\t': text += "\\t"; return;
    default: break;
    }
    text += "\\x";
    text += kHex[byte >> 4];
    text += kHex[byte & 0x0F];
}

}  // namespace

std::string shownFileName(std::string_view name)
{
    std::size_t at = 0;
    while (at < name.size()) {
        const std::size_t length = printableSequence(name, at);
        if (length == 0) break;
        at += length;
    }
    if (at == name.size()) return std::string(name);

    std::string quoted = "\"";
    for (at = 0; at < name.size();) {
        const std::size_t length = printableSequence(name, at);
        if (length == 0) {
            appendEscaped(quoted, static_cast<unsigned char>(name[at++]));
            continue;
        }
        if (name[at] == '"' || name[at] == '\\') quoted += '\\';
        quoted.append(name.substr(at, length));
        at += length;
    }
    return quoted + '"';
}

}  // namespace folix
