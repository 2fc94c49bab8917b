#include "typed_inputs.h"

#include "engine/arithmetic_error.h"
#include "engine/number_text.h"

namespace folix {

DesignInputs readTypedInputs(const TypedInputs& typed)
{
    DesignInputs inputs;
    inputs.thickness = readLeadingNumber(typed.delta);
    inputs.camber = readLeadingNumber(typed.gamma);
    inputs.teAngleDegrees = readLeadingNumber(typed.tau);
    if (typed.locationMode) inputs.maxThicknessAt = readLeadingNumber(typed.xDltc);
    return inputs;
}

bool sameReading(const TypedInputs& ran, const TypedInputs& now)
{
    if (ran.locationMode != now.locationMode) return false;
    try {
        const DesignInputs a = readTypedInputs(ran);
        const DesignInputs b = readTypedInputs(now);
        return a.thickness == b.thickness && a.camber == b.camber && a.teAngleDegrees == b.teAngleDegrees &&
               a.maxThicknessAt == b.maxThicknessAt;
    } catch (const ArithmeticError&) {
        return ran.delta == now.delta && ran.gamma == now.gamma && ran.tau == now.tau &&
               (!ran.locationMode || ran.xDltc == now.xDltc);
    }
}

DesignOutcome typedDesignOutcome(const TypedInputs& typed, const std::string& decimalSeparator)
{
    DesignInputs inputs;
    try {
        inputs = readTypedInputs(typed);
    } catch (const ArithmeticError& error) {
        return stoppedOnInputs(error);
    }
    return designOutcome(inputs, decimalSeparator);
}

}  // namespace folix
