#include "number_text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>

#include "arithmetic_error.h"

namespace folix {

namespace {

// Room for every fixed-point double with up to 20 decimals: 309 integer digits at most.
constexpr std::size_t kFixedBuffer = 400;
constexpr int kDisplayDecimals = 5;
constexpr int kSignificantDigits = 15;

double parseCanonical(std::string_view digits)
{
    double value = 0.0;
    std::from_chars(digits.data(), digits.data() + digits.size(), value);
    return value;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

int hexDigit(char c)
{
    if (isDigit(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

double readRadixInteger(std::string_view s, int radix)
{
    double value = 0.0;
    for (char c : s) {
        const int d = hexDigit(c);
        if (d < 0 || d >= radix) break;
        value = value * radix + d;
        if (std::isinf(value)) throw ArithmeticError(ErrorKind::Overflow);
    }
    return value;
}

}  // namespace

std::string fixedText(double x, int decimals, std::string_view decimalSeparator)
{
    std::array<char, kFixedBuffer> buffer{};
    const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), x, std::chars_format::fixed, decimals).ptr;
    std::string text(buffer.data(), end);
    if (text.front() == '-' && text.find_first_not_of("-0.") == std::string::npos) text.erase(0, 1);
    const std::size_t point = text.find('.');
    if (point != std::string::npos) text.replace(point, 1, decimalSeparator);
    return text;
}

SignificantDigits significantDigits(double x)
{
    std::array<char, 64> buffer{};
    const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), x, std::chars_format::scientific,
                                   kSignificantDigits - 1).ptr;
    const std::string_view text(buffer.data(), static_cast<std::size_t>(end - buffer.data()));

    SignificantDigits form;
    form.negative = text.front() == '-';
    const std::size_t ePos = text.find('e');
    for (char c : text.substr(0, ePos))
        if (isDigit(c)) form.digits += c;
    std::string_view exponentText = text.substr(ePos + 1);
    if (exponentText.front() == '+') exponentText.remove_prefix(1);
    std::from_chars(exponentText.data(), exponentText.data() + exponentText.size(), form.exponent);
    return form;
}

double roundForDisplay(double x) { return parseCanonical(fixedText(x, kDisplayDecimals)); }

std::string formatGeneral(double x, std::string_view decimalSeparator)
{
    if (x == 0.0 || !std::isfinite(x)) return "0";

    const SignificantDigits form = significantDigits(x);
    const bool negative = form.negative;
    const int exponent = form.exponent;
    std::string digits = form.digits;
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

    std::string text = negative ? "-" : "";
    if (exponent >= -5 && exponent < 15) {
        if (exponent < 0) {
            text += "0";
            text += decimalSeparator;
            text.append(static_cast<std::size_t>(-exponent - 1), '0');
            text += digits;
        } else {
            const auto integerDigits = static_cast<std::size_t>(exponent) + 1;
            if (digits.size() <= integerDigits) {
                text += digits;
                text.append(integerDigits - digits.size(), '0');
            } else {
                text += digits.substr(0, integerDigits);
                text += decimalSeparator;
                text += digits.substr(integerDigits);
            }
        }
        return text;
    }

    text += digits.substr(0, 1);
    if (digits.size() > 1) {
        text += decimalSeparator;
        text += digits.substr(1);
    }
    const int magnitude = std::abs(exponent);
    text += exponent < 0 ? "E-" : "E+";
    if (magnitude < 10) text += '0';
    text += std::to_string(magnitude);
    return text;
}

std::string displayText(double x, std::string_view decimalSeparator)
{
    return formatGeneral(roundForDisplay(x), decimalSeparator);
}

double readLeadingNumber(std::string_view text)
{
    std::string s;
    s.reserve(text.size());
    for (char c : text)
        if (c != ' ' && c != '\t' && c != '\n') s += c;

    if (s.size() >= 2 && s[0] == '&') {
        if (s[1] == 'H' || s[1] == 'h') return readRadixInteger(std::string_view(s).substr(2), 16);
        if (s[1] == 'O' || s[1] == 'o') return readRadixInteger(std::string_view(s).substr(2), 8);
        return 0.0;
    }

    // Collect the number in a canonical form that from_chars reads in any locale.
    std::string canonical;
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        if (s[i] == '-') canonical += '-';
        ++i;
    }
    bool anyDigit = false;
    bool nonZeroSeen = false;
    long long decimalExponent = 0;  // position of the first non-zero digit, for range decisions
    for (; i < s.size() && isDigit(s[i]); ++i) {
        canonical += s[i];
        anyDigit = true;
        if (s[i] != '0') nonZeroSeen = true;
        if (nonZeroSeen) ++decimalExponent;
    }
    if (i < s.size() && s[i] == '.') {
        canonical += '.';
        for (++i; i < s.size() && isDigit(s[i]); ++i) {
            canonical += s[i];
            anyDigit = true;
            if (!nonZeroSeen && s[i] != '0') nonZeroSeen = true;
            else if (!nonZeroSeen) --decimalExponent;
        }
    }
    if (!anyDigit || !nonZeroSeen) return 0.0;

    if (i < s.size() && (s[i] == 'E' || s[i] == 'e' || s[i] == 'D' || s[i] == 'd')) {
        std::size_t j = i + 1;
        bool negativeExponent = false;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) {
            negativeExponent = s[j] == '-';
            ++j;
        }
        if (j < s.size() && isDigit(s[j])) {
            long long exponentValue = 0;
            std::string exponentDigits;
            for (; j < s.size() && isDigit(s[j]); ++j) {
                exponentDigits += s[j];
                if (exponentValue < 1'000'000'000) exponentValue = exponentValue * 10 + (s[j] - '0');
            }
            canonical += 'e';
            if (negativeExponent) canonical += '-';
            canonical += exponentDigits;
            decimalExponent += negativeExponent ? -exponentValue : exponentValue;
        }
    }

    double value = 0.0;
    const auto result = std::from_chars(canonical.data(), canonical.data() + canonical.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        if (decimalExponent > 0) throw ArithmeticError(ErrorKind::Overflow);
        return 0.0;
    }
    return value == 0.0 ? 0.0 : value;
}

}  // namespace folix
