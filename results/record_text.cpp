#include "record_text.h"

#include <algorithm>
#include <cstddef>

#include "engine/number_text.h"

namespace folix {

namespace {

// Adds one unit in the last place of a digit string, growing it on a carry out of the front.
void incrementDigits(std::string& digits)
{
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return;
        }
        *it = '0';
    }
    digits.insert(digits.begin(), '1');
}

}  // namespace

std::string fileNumberText(double value, int decimals)
{
    const SignificantDigits form = significantDigits(value);
    const auto places = static_cast<std::size_t>(decimals);

    std::string integerDigits;
    std::string fractionDigits;
    if (form.exponent >= 0) {
        const auto integerCount = static_cast<std::size_t>(form.exponent) + 1;
        integerDigits = form.digits.substr(0, integerCount);
        integerDigits.resize(integerCount, '0');
        if (form.digits.size() > integerCount) fractionDigits = form.digits.substr(integerCount);
    } else {
        integerDigits = "0";
        fractionDigits = std::string(static_cast<std::size_t>(-form.exponent - 1), '0') + form.digits;
    }
    fractionDigits.resize(std::max(fractionDigits.size(), places + 1), '0');

    const bool roundsAway = fractionDigits[places] >= '5';
    std::string kept = integerDigits + fractionDigits.substr(0, places);
    if (roundsAway) incrementDigits(kept);

    const bool zero = std::all_of(kept.begin(), kept.end(), [](char c) { return c == '0'; });
    std::string text = form.negative && !zero ? "-" : "";
    text += kept.substr(0, kept.size() - places);
    text += '.';
    text += kept.substr(kept.size() - places);
    return text;
}

std::string recordLine(const DesignState& state)
{
    std::string line = " " + fileNumberText(state.Delta, 2);
    line += "   " + fileNumberText(state.Gamma, 2);
    line += "   " + fileNumberText(state.XDltC, 5);
    line += "   " + fileNumberText(state.Tau, 2);
    line += "   " + fileNumberText(state.F, 5);
    line += "   " + fileNumberText(state.G, 5);
    line += "   " + fileNumberText(state.EM, 5);
    return line;
}

}  // namespace folix
