#pragma once

#include <ostream>
#include <string_view>

#include "engine/section_flow.h"
#include "design/design_outcome.h"
#include "design/design_inputs.h"

namespace folix {

inline constexpr const char* kNotConvergedWarning =
    "folix: warning: the iteration did not converge; the values are the last ones tried\n";
// Follows crossingText in the warning about a section whose surfaces cross.
inline constexpr const char* kCrossingConsequence =
    " (a negative trailing-edge angle, m > 2): the outline is no valid section\n";

// "hint: <what to change>" when the outcome knows it.
void writeHint(std::ostream& err, const DesignOutcome& outcome);

// The results as the window shows them, one "name: value" line each.
void writeResults(std::ostream& out, const DesignOutcome& outcome);

// The history lines, one per line, exactly as the window's list holds them.
void writeHistory(std::ostream& out, const DesignOutcome& outcome);

// "Cl: ..." and "Cm: ..." lines.
void writeLoads(std::ostream& out, const SectionFlow& flow);

// One JSON object: inputs, unrounded values, shown texts, every solve with
// whether it converged, the history and the error, if any. With a flow
// outcome also the angle of attack, Cl, Cm and the zero-lift angle, and the
// analysis's error when the design's run had none. `members` (each
// "  \"name\": value,\n") follow the location of maximum thickness.
void writeJson(std::ostream& out, const DesignInputs& inputs, const DesignOutcome& outcome,
               const FlowOutcome* flow = nullptr, std::string_view members = {});

// The location of maximum thickness as the window would show it; empty when unmeasured.
std::string maxThicknessAtText(const DesignOutcome& outcome);

}  // namespace folix
