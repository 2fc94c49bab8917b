#pragma once

#include <optional>

namespace folix {

// The targets of one design run, as numbers: each front end reads its own
// texts into them with its own rules (the window's leading-number reading, the
// command line's strict decimals, Python's floats).
struct DesignInputs {
    double thickness = 0.10;     // Delta: maximum thickness over chord
    double camber = 0;           // Gamma: maximum camber over chord
    double teAngleDegrees = 0;   // Tau as typed; with a location it sets the first exponent tried
    std::optional<double> maxThicknessAt;  // XDltC wanted: location mode when given
};

}  // namespace folix
