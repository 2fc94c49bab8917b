#pragma once

#include "design/design_front_end.h"
#include "design/design_inputs.h"
#include "engine/design_state.h"

namespace folix {

// One click of "Design airfoil". Raises ArithmeticError where the computation
// fails (a target that is not finite included); everything written before
// that stays and nothing is drawn.
void runDesign(DesignState& state, const DesignInputs& inputs, DesignFrontEnd& frontEnd);

// A run's first step: the history cleared, then its title. A front end whose
// texts fail to read as numbers stops there, as the run would.
void startHistory(DesignFrontEnd& frontEnd);

}  // namespace folix
