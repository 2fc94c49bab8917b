#pragma once

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

}  // namespace folix
