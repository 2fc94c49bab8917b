#pragma once

#include <optional>

#include "design_state.h"
#include "history_sink.h"

namespace folix {

// Measures the section mapped from F, G, EM: its largest thickness over chord
// (DMAX), largest camber over chord (GMAX) and the location of maximum
// thickness behind the leading edge over chord (XDMAXC). Samples go into the
// tables of the state from index 1; a completed measurement appends its result
// line to the history. At the table limit it returns early: DMAX and GMAX hold
// what the stage had reached, XDMAXC is untouched and no line is written.
// Either way the history then hears of the measurement as data.
void DGX(DesignState& state, HistorySink& history, double& F, double& G, double& EM, double& DMAX, double& GMAX,
         double& XDMAXC);

// What DGX finds for one section, as a value.
struct SectionMeasure {
    double DMAX = 0;
    double GMAX = 0;
    std::optional<double> XDMAXC;  // none when the measurement stopped at its table limit
};

// DGX on tables of its own, writing no line: the measurement of F, G, EM for a
// caller that wants only its result. Raises ArithmeticError as DGX does.
SectionMeasure measureSection(double F, double G, double EM);

}  // namespace folix
