#include "reading_hint.h"

#include <cctype>

#include "engine/arithmetic_error.h"
#include "engine/number_text.h"

namespace folix {

namespace {

constexpr std::size_t kLongestQuotedRest = 10;  // bytes of the unread rest quoted in a hint

bool isDigitOf(char c, int radix)
{
    const auto byte = static_cast<unsigned char>(c);
    if (radix == 16) return std::isxdigit(byte) != 0;
    if (radix == 8) return c >= '0' && c <= '7';
    return std::isdigit(byte) != 0;
}

std::size_t digitsFrom(std::string_view s, std::size_t at, int radix = 10)
{
    std::size_t end = at;
    while (end < s.size() && isDigitOf(s[end], radix)) ++end;
    return end - at;
}

// How many leading characters of a blank-free text make up its number, by
// the grammar readLeadingNumber reads; 0 when none do.
std::size_t numberLength(std::string_view s)
{
    if (s.size() >= 2 && s[0] == '&') {
        const char radix = static_cast<char>(std::toupper(static_cast<unsigned char>(s[1])));
        if (radix == 'H') return 2 + digitsFrom(s, 2, 16);
        if (radix == 'O') return 2 + digitsFrom(s, 2, 8);
        return 0;
    }
    std::size_t at = s.empty() || (s[0] != '+' && s[0] != '-') ? 0 : 1;
    const std::size_t whole = digitsFrom(s, at);
    at += whole;
    std::size_t fraction = 0;
    if (at < s.size() && s[at] == '.') {
        fraction = digitsFrom(s, at + 1);
        at += 1 + fraction;
    }
    if (whole + fraction == 0) return 0;
    if (at < s.size() && std::string_view("EeDd").find(s[at]) != std::string_view::npos) {
        const std::size_t sign = at + 1 < s.size() && (s[at + 1] == '+' || s[at + 1] == '-') ? 1 : 0;
        const std::size_t exponent = digitsFrom(s, at + 1 + sign);
        if (exponent > 0) at += 1 + sign + exponent;
    }
    return at;
}

// The start of the unread rest as it may be quoted: short, and never cut inside a character.
std::string quoted(std::string_view rest)
{
    if (rest.size() <= kLongestQuotedRest) return "'" + std::string(rest) + "'";
    std::size_t cut = kLongestQuotedRest;
    while (cut > 0 && (static_cast<unsigned char>(rest[cut]) & 0xC0) == 0x80) --cut;
    return "'" + std::string(rest.substr(0, cut)) + "\u2026'";
}

}  // namespace

std::string readingHint(std::string_view text)
{
    std::string compact;
    for (const char c : text)
        if (c != ' ' && c != '\t' && c != '\n') compact += c;
    if (compact.empty()) return "empty: reads as 0";

    double value = 0;
    try {
        value = readLeadingNumber(compact);
    } catch (const ArithmeticError&) {
        return "beyond the largest number: the run stops on Overflow";
    }
    const std::size_t length = numberLength(compact);
    const std::string_view rest = std::string_view(compact).substr(length);
    if (rest.empty()) return {};

    const std::string readsAs = "reads as " + formatGeneral(value);
    if (rest.front() == ',') return readsAs + ": use '.' for the decimal point";
    if (length == 0) return readsAs + ": not a number";
    if (rest.front() == '%') return readsAs + ": '%' is ignored; " + formatGeneral(value) + " % is " + formatGeneral(value / 100);
    return readsAs + ": " + quoted(rest) + " is ignored";
}

}  // namespace folix
