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
