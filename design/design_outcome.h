#pragma once

#include <optional>
#include <string>
#include <vector>

#include "design/design_inputs.h"
#include "design/design_record.h"
#include "design/outline.h"
#include "design/result_texts.h"
#include "engine/arithmetic_error.h"

namespace folix {

// One solve for F and G within a run.
struct SolveRecord {
    double exponent = 0;            // the m it solved at (its heading shows displayText of it)
    int measurements = 0;           // completed measurements: the lines it wrote
    std::optional<bool> converged;  // none when an arithmetic error stopped the run inside it
    // A safeguarded solve took over from the secant steps; it ends converged,
    // having met both ratios, or leaves no trace.
    bool safeguarded = false;
};

// The arithmetic error that stopped a run.
struct DesignError {
    ErrorKind kind = ErrorKind::DivisionByZero;
    std::string reason;  // errorMessage(kind)
};

// One click of "Design airfoil" as plain data: what the window would show and
// draw, and what happened on the way. Holds no reference to anything outside
// itself; the values are as the run left them, also when it stopped. A
// default outcome is that of no run at all: every field unset.
struct DesignOutcome {
    DesignRecord record;  // the design record the run left, as "Save result" stores it

    // The location of maximum thickness found by the run's last measurement;
    // none when that measurement stopped at its table limit.
    std::optional<double> maxThicknessAt;
    // Whether that last measurement was of the section shown (F, G, m). Not so
    // after a run that gave up: its last try was moved on after it was measured.
    bool measuredShownSection = false;

    std::vector<SolveRecord> solves;
    bool locationSearchGaveUp = false;

    std::vector<std::string> history;  // the lines of the window's list
    ResultTexts texts;                 // the shown texts; empty if the run stopped first
    std::optional<Outline> outline;    // the drawn outline; none if the run stopped first
    std::optional<DesignError> error;
    // For a run that stopped or whose location search gave up: the input to
    // change and its limit, when the cause is known (designHint).
    std::optional<std::string> hint;
    // For a run that completed: the x/c from which the shown section's upper
    // surface runs below its lower one (surfacesCrossFrom); none when they do not cross.
    std::optional<double> surfacesCrossFrom;

    // Whether a run made this outcome: one that never started has no solve and no error.
    bool ran() const { return error.has_value() || !solves.empty(); }
};

// Runs the design on a record of its own, writing numbers with the given
// decimal separator in the history and texts. Safe to call from several
// threads at once.
DesignOutcome designOutcome(const DesignInputs& inputs, const std::string& decimalSeparator = ".");

// The outcome of a run whose inputs could not be read as numbers: the history
// holds the title, then the run stopped with `error`.
DesignOutcome stoppedOnInputs(const ArithmeticError& error);

}  // namespace folix
