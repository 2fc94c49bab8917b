#pragma once

#include <string>

#include "engine/design_state.h"
#include "engine/selig_export.h"

namespace folix {

// The design that the section plot shows. A run that stops on an error leaves
// the partial values of that run in the design record while the plot still
// shows the previous outline, so whatever acts on "the section on screen"
// works on this copy, taken when a run completes, never on the record itself.
struct DrawnDesign {
    std::string AirfoilType;
    double F = 0;
    double G = 0;
    double EM = 0;

    static DrawnDesign of(const DesignState& state);

    // A design record that holds just this design, for the shared export code.
    DesignState record() const;
};

// The Selig coordinate file of the drawn section.
std::string coordinateText(const DrawnDesign& design, int points = kDefaultSeligPoints);

// A file name without extension that tells designs apart at a glance:
// family, then F, G and m as shown, e.g. "karman-trefftz_F0.0703_G0.04377_m1.94444".
std::string suggestedFileStem(const DrawnDesign& design);

}  // namespace folix
