#pragma once

#include "design_state.h"
#include "history_sink.h"

namespace folix {

// Finds F3, G3 whose section at exponent EM has the thickness ratio Delta and
// the camber ratio Gamma, by secant steps on measured sections. Writes a
// heading, every measurement's line and, when it gives up after 20 steps, the
// not-converged message to the history, and tells it where a solve starts and
// how it ends. XDMAXC holds the location measured last.
void FGITER(DesignState& state, HistorySink& history, double& EM, double& XDMAXC, double& Delta, double& Gamma,
            double& F3, double& G3);

// The message a solve leaves when it gives up.
inline constexpr const char* kSolveNotConverged = " Iteration is not converged for F and G at 20 step !";

}  // namespace folix
