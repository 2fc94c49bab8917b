#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engine/design_state.h"
#include "history_summary.h"
#include "window/design_run.h"

namespace folix {

// One design run made for the command line, with what it showed.
struct DesignOutcome {
    DesignState state;                  // as the run left it
    std::vector<std::string> history;   // the lines the window's list would hold
    ResultTexts texts;                  // the texts the window would show
    HistorySummary summary;
    // Location of maximum thickness measured on the final section (F, G, m as
    // left by the run). In location mode the state holds the wanted location
    // instead; none when that measurement stopped at its table limit.
    std::optional<double> maxThicknessAt;
    std::optional<std::string> error;   // the arithmetic error that ended the run

    bool converged() const { return summary.converged() && maxThicknessAt.has_value(); }
};

DesignOutcome designSection(const DesignInputs& inputs);

}  // namespace folix
