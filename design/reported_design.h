#pragma once

#include "design/design_outcome.h"
#include "design/design_inputs.h"

namespace folix {

// The design run as the command line reports it: its outcome, with
// maxThicknessAt the location of the section it shows. A run that gave up
// moved its last try on after measuring it; that section is measured once
// more, on scratch tables and silently, and should that measurement fail,
// its error ends the command as a failing run would.
DesignOutcome reportedDesign(const DesignInputs& inputs);

}  // namespace folix
