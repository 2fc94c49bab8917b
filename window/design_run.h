#pragma once

#include <array>
#include <optional>
#include <string>

#include "engine/design_state.h"
#include "engine/history_sink.h"

namespace folix {

// What the user typed, exactly as typed; the run reads numbers out of it.
struct DesignInputs {
    std::string delta = "0.10";
    std::string gamma = "0.00";
    std::string tau = "0";
    std::string xDltc = "0.00";
    bool locationMode = false;
};

// The inputs whose texts the run reads as exactly these numbers (finite;
// negative zero reads as zero); location mode when maxThicknessAt is given.
DesignInputs exactInputs(double thickness, double camber, double teAngle, std::optional<double> maxThicknessAt);

// The four texts the run shows.
struct ResultTexts {
    std::string airfoilType;
    std::string f;
    std::string g;
    std::string m;
};

struct OutlinePoint {
    float x = 0;
    float y = 0;
};

inline constexpr int kOutlineSamples = 52;

// Samples 1 to 52 of the normalised outline, in drawing precision.
using Outline = std::array<OutlinePoint, kOutlineSamples>;

// A front end of the design run: the window, the command line or a test.
class DesignFrontEnd : public HistorySink {
public:
    virtual void clearHistory() = 0;
    virtual void showResults(const ResultTexts& texts) = 0;
    virtual void drawSection(const Outline& outline) = 0;
    // The location search gave up (after its line).
    virtual void exponentSearchGaveUp() {}
};

inline constexpr const char* kHistoryTitle = " Iteration history";
inline constexpr const char* kLocationNotConverged = "Iteration is not converged for M after 20 step!";
inline constexpr const char* kJoukowskyAirfoil = "JOUKOWSKY AIRFOIL";
inline constexpr const char* kKarmanTrefftzAirfoil = "KARMAN-TREFFTZ AIRFOIL";

// One click of "Design airfoil". Raises ArithmeticError where the computation
// fails; everything written before that stays and nothing is drawn.
void runDesign(DesignState& state, const DesignInputs& inputs, DesignFrontEnd& frontEnd);

// The run's profile step: slots 1 to 52 receive the outline of F, G, EM,
// normalised so that the leading edge lies at x = 0 and the trailing edge at x = 1.
void fillProfileTables(DesignState& state);

}  // namespace folix
