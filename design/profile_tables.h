#pragma once

#include "engine/design_state.h"

namespace folix {

// The run's profile step: slots 1 to 52 receive the outline of F, G, EM,
// normalised so that the leading edge lies at x = 0 and the trailing edge at x = 1.
void fillProfileTables(DesignState& state);

}  // namespace folix
