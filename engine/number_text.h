#pragma once

#include <string>
#include <string_view>

namespace folix {

// x with exactly `decimals` decimals (0 to 20), correctly rounded from its exact
// binary value (an exact half to the even digit); every integer digit, never an
// exponent; "-" for negatives, but never on a value that rounds to zero.
std::string fixedText(double x, int decimals, std::string_view decimalSeparator = ".");

// x correctly rounded to 15 significant decimal digits.
struct SignificantDigits {
    bool negative = false;
    std::string digits;  // all 15, the first non-zero unless x is 0
    int exponent = 0;    // the first digit's power of ten
};
SignificantDigits significantDigits(double x);

// Rounds to 5 decimal places, an exact half going to the even last digit.
// Decided on the exact binary value, so 0.015625 gives 0.01562.
double roundForDisplay(double x);

// The general number format: the shortest form with at most 15 significant
// digits, no trailing zeros, a leading zero below 1 and "-" for negatives.
// Plain decimals for magnitudes from 1E-05 up to (not including) 1E+15;
// outside that range the exponent form "1.5E-06" / "2E+15", whose digits
// plain decimals could only pad with zeros or cut short.
std::string formatGeneral(double x, std::string_view decimalSeparator = ".");

// What the window and the history list show for a value: rounded, then formatted.
std::string displayText(double x, std::string_view decimalSeparator = ".");

// Reads the longest leading number of a text: blanks, tabs and line feeds are
// ignored anywhere; optional sign, digits, "." as the decimal point, exponent
// with E or D; &H / &O integers; 0 when there is no number. A number beyond
// the double range raises the overflow error; one below it reads as 0.
double readLeadingNumber(std::string_view text);

}  // namespace folix
