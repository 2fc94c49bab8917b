#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engine/arithmetic_error.h"
#include "engine/design_state.h"
#include "design/design_inputs.h"
#include "design/outline.h"
#include "design/result_texts.h"

namespace folix {

// One solve for F and G within a run.
struct SolveRecord {
    double exponent = 0;            // the m it solved at (its heading shows displayText of it)
    int measurements = 0;           // completed measurements: the lines it wrote
    std::optional<bool> converged;  // none when an arithmetic error stopped the run inside it
};

// The arithmetic error that stopped a run.
struct DesignError {
    ErrorKind kind = ErrorKind::DivisionByZero;
    std::string reason;  // errorMessage(kind)
};

// One click of "Design airfoil" as plain data: what the window would show and
// draw, and what happened on the way. Holds no reference to anything outside
// itself; the values are as the run left them, also when it stopped.
struct DesignOutcome {
    std::string family;  // AirfoilType: kJoukowskyAirfoil or kKarmanTrefftzAirfoil; empty if the run stopped first
    double F = 0;
    double G = 0;
    double m = 0;  // EM
    // The rest of the design record, as "Save result" stores it.
    double thickness = 0;         // Delta, as read from its text
    double camber = 0;            // Gamma, as read
    double teAngle = 0;           // Tau: the angle as read, in radians
    double recordedLocation = 0;  // XDltC: the wanted location in location mode, else the solve's last measured one

    // The location of maximum thickness found by the run's last measurement;
    // none when that measurement stopped at its table limit.
    std::optional<double> maxThicknessAt;
    // Whether that last measurement was of the section shown (F, G, m). Not so
    // after a run that gave up: its last try was moved on after it was measured.
    bool measuredShownSection = false;

    std::vector<SolveRecord> solves;
    bool locationSearchGaveUp = false;

    std::vector<std::string> history;  // the lines of the window's list, "." as decimal separator
    ResultTexts texts;                 // the shown texts; empty if the run stopped first
    std::optional<Outline> outline;    // the drawn outline; none if the run stopped first
    std::optional<DesignError> error;

    // Every solve and the location search met their targets, and the shown
    // section's location of maximum thickness is known.
    bool converged() const;
};

// Runs the design on a record of its own. Safe to call from several threads at once.
DesignOutcome designOutcome(const DesignInputs& inputs);

// The design record the run left (without its coordinate tables), for the
// save command and the exports.
DesignState designRecord(const DesignOutcome& outcome);

}  // namespace folix
