#pragma once

#include <string>

#include "design_state.h"

namespace folix {

// A section as the mapping makes it: its family name and the mapping's F, G
// and exponent EM. All that the coordinate files and the flow analysis need
// of a design.
struct MappedSection {
    std::string family;  // AirfoilType
    double F = 0;
    double G = 0;
    double EM = 0;
};

inline MappedSection mappedSection(const DesignState& state) { return {state.AirfoilType, state.F, state.G, state.EM}; }

}  // namespace folix
