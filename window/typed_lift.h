#pragma once

#include <optional>
#include <string>

#include "design/lift_design.h"
#include "window/typed_inputs.h"

namespace folix {

// A design for lift from the window: the thickness and the trailing-edge
// angle or location read from its boxes as "Design airfoil" reads them, the
// lift coefficient and angle of attack (none: the ideal angle) from the
// dialog. A text that overflows is a failure naming the box.
LiftDesign typedLiftDesign(const TypedInputs& typed, double Cl, std::optional<double> alpha);

// The solved camber as the camber box takes it: every digit, "." as the
// decimal point, so that the box reads back exactly the camber solved.
std::string camberBoxText(double camber);

}  // namespace folix
