#pragma once

#include <optional>
#include <string>

namespace folix {

// What the user typed, exactly as typed; the run reads numbers out of it.
struct DesignInputs {
    std::string delta = "0.10";
    std::string gamma = "0.00";
    std::string tau = "0";
    std::string xDltc = "0.00";
    bool locationMode = false;
};

// The inputs whose texts the run reads as exactly these numbers (finite;
// negative zero reads as zero); location mode when maxThicknessAt is given.
DesignInputs exactInputs(double thickness, double camber, double teAngle, std::optional<double> maxThicknessAt);

}  // namespace folix
