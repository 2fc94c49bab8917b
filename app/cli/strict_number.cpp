#include "strict_number.h"

#include <charconv>

#include "engine/arithmetic_error.h"
#include "engine/number_text.h"
#include "results/shown_file_name.h"

namespace folix {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::size_t skipDigits(std::string_view text, std::size_t i)
{
    while (i < text.size() && isDigit(text[i])) ++i;
    return i;
}

bool isDecimalNumber(std::string_view text)
{
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    const std::size_t integerEnd = skipDigits(text, i);
    std::size_t digits = integerEnd - i;
    i = integerEnd;
    if (i < text.size() && text[i] == '.') {
        const std::size_t fractionEnd = skipDigits(text, i + 1);
        digits += fractionEnd - (i + 1);
        i = fractionEnd;
    }
    if (digits == 0) return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
        const std::size_t exponentEnd = skipDigits(text, i);
        if (exponentEnd == i) return false;
        i = exponentEnd;
    }
    return i == text.size();
}

// The text as a message quotes it: its first characters only, and where they
// hold control characters (a binary file's bytes) in the escaped form of a
// file name, so that a message stays one line of text.
std::string quoted(std::string_view text)
{
    constexpr std::size_t kShownCharacters = 40;
    const std::string part(text.substr(0, kShownCharacters));
    const std::string more = text.size() > part.size() ? "..." : "";
    const std::string escaped = shownFileName(part);
    return escaped != part ? escaped + more : "'" + part + more + "'";
}

}  // namespace

std::optional<double> readStrictNumber(std::string_view text, std::string& problem)
{
    if (!isDecimalNumber(text)) {
        problem = quoted(text) + " is not a number";
        return std::nullopt;
    }
    try {
        return readLeadingNumber(text);
    } catch (const ArithmeticError&) {
        problem = quoted(text) + " is out of range";
        return std::nullopt;
    }
}

std::optional<long long> readStrictCount(std::string_view text, std::string& problem)
{
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || !isDigit(text.front()) || end != text.data() + text.size()) {
        problem = quoted(text) + " is not a whole number";
        return std::nullopt;
    }
    if (error != std::errc()) {
        problem = quoted(text) + " is out of range";
        return std::nullopt;
    }
    return value;
}

}  // namespace folix
