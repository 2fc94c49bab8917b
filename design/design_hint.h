#pragma once

#include <optional>
#include <string>

#include "design/design_inputs.h"
#include "design/design_outcome.h"

namespace folix {

// For a run that stopped, or whose location search gave up, one line naming
// the input to change and its limit, when the cause is known: a negative
// camber ratio, a ratio typed as a percentage, a thickness ratio at or below
// what the trailing-edge angle allows (the lens of F = 0, for the camber
// given), a max-thickness location out of reach (the range sections without
// crossing surfaces cover: from the 0-degree section's location to below
// 0.5, the lens's) or in reach but missed (a starting angle near it). None
// otherwise. The values are the run's, from the outcome's record; from the
// inputs only the mode.
std::optional<std::string> designHint(const DesignInputs& inputs, const DesignOutcome& outcome);

}  // namespace folix
