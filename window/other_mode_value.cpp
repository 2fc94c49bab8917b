#include "other_mode_value.h"

#include "engine/number_text.h"
#include "engine/real.h"

namespace folix {

std::string otherModeText(const DesignOutcome& outcome, bool locationMode, std::string_view decimalSeparator)
{
    if (outcome.error || !outcome.outline) return {};
    if (!locationMode) {
        if (!outcome.maxThicknessAt || !outcome.measuredShownSection) return {};
        return "max thickness at x/c = " + displayText(*outcome.maxThicknessAt, decimalSeparator);
    }
    try {
        const Real degrees = (2 - Real(outcome.record.m)) * 180;
        return "\u03c4 = (2 \u2212 m)\u00b7180\u00b0 = " + displayText(degrees.value(), decimalSeparator) + "\u00b0";
    } catch (const ArithmeticError&) {
        return {};
    }
}

}  // namespace folix
