#pragma once

#include <string>

namespace folix {

// Why a design to aerodynamic targets could not be made, in the user's terms:
// what stands in the way, and which input to change and how far.
struct TargetFailure {
    std::string reason;
    std::string hint;
};

// A number in a message: `digits` significant digits in printf's %g form, "."
// whatever the locale.
std::string messageNumber(double value, int digits = 6);

}  // namespace folix
