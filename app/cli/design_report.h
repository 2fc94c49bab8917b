#pragma once

#include <ostream>

#include "design_outcome.h"
#include "window/design_run.h"

namespace folix {

// The results as the window shows them, one "name: value" line each.
void writeResults(std::ostream& out, const DesignOutcome& outcome);

// The history lines, one per line, exactly as the window's list holds them.
void writeHistory(std::ostream& out, const DesignOutcome& outcome);

// One JSON object: inputs, unrounded values, shown texts, every solve with
// whether it converged, the history and the error, if any.
void writeJson(std::ostream& out, const DesignInputs& inputs, const DesignOutcome& outcome);

// The location of maximum thickness as the window would show it; empty when unmeasured.
std::string maxThicknessAtText(const DesignOutcome& outcome);

}  // namespace folix
