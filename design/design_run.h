#pragma once

#include "design/design_front_end.h"
#include "design/design_inputs.h"
#include "engine/design_state.h"

namespace folix {

// One click of "Design airfoil". Raises ArithmeticError where the computation
// fails; everything written before that stays and nothing is drawn.
void runDesign(DesignState& state, const DesignInputs& inputs, DesignFrontEnd& frontEnd);

}  // namespace folix
