#pragma once

#include "design/design_front_end.h"
#include "engine/design_state.h"

namespace folix {

// The history line with which a safeguarded solve takes over: these words, then why.
inline constexpr const char* kSafeguardedSolveLine = " Safeguarded solve for F and G: ";
// The most sections it measures, its failed tries included.
inline constexpr int kMostSafeguardedMeasurements = 40;

// A solve for F and G at exponent EM: FGITER, with its history and results
// untouched whenever it meets both ratios. Should it stop on an arithmetic
// error or give up while a section with the targets can exist, a safeguarded
// solve takes over from its last good trial: Newton steps on measured
// sections with a difference Jacobian, kept inside F > 0 (G > 0 when
// cambered) and halved until a step measures nearer the targets. Once a
// complete measurement meets both ratios within FGITER's tolerance, its line
// (the why) and every measurement's line follow FGITER's in the history, and
// F, G and XDMAXC are that section's. Should it fail as well, nothing of it
// remains: the error stands, or the solve stays given up.
void solveForFG(DesignState& state, DesignFrontEnd& frontEnd, double& EM, double& XDMAXC, double& Delta,
                double& Gamma, double& F, double& G);

}  // namespace folix
