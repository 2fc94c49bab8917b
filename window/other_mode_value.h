#pragma once

#include <string>
#include <string_view>

#include "design/design_outcome.h"

namespace folix {

// Beside the results, the quantity of the mode a run did not take as its
// target: after a location-mode run the trailing-edge angle its exponent
// gives, "τ = (2 − m)·180° = 10°"; after an angle-mode run the measured
// location of maximum thickness, "max thickness at x/c = 0.32657". Numbers as
// the results show them. Empty when there is nothing to say: no completed
// run, or a location not measured on the section shown.
std::string otherModeText(const DesignOutcome& outcome, bool locationMode, std::string_view decimalSeparator = ".");

}  // namespace folix
