#include "design_inputs.h"

#include "engine/number_text.h"

namespace folix {

DesignInputs exactInputs(double thickness, double camber, double teAngle, std::optional<double> maxThicknessAt)
{
    DesignInputs inputs;
    inputs.delta = exactNumberText(thickness);
    inputs.gamma = exactNumberText(camber);
    inputs.tau = exactNumberText(teAngle);
    if (maxThicknessAt) {
        inputs.xDltc = exactNumberText(*maxThicknessAt);
        inputs.locationMode = true;
    }
    return inputs;
}

}  // namespace folix
