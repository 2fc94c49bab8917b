#pragma once

#include <functional>
#include <optional>
#include <string>

#include "design/design_inputs.h"
#include "design/design_outcome.h"

namespace folix {

// One design run of a camber search: the ordinary design of `camber`, as
// `folix design --camber` reports it, and the quantity it achieves.
struct CamberProbe {
    double camber = 0;
    DesignOutcome outcome;
    std::optional<double> achieved;  // none when the run did not converge or the quantity has no value
    std::string failure;             // why there is none
};

// The quantity a search drives to its target, for a converged design; none
// (with the reason) when the design has no such value. May raise ArithmeticError.
using AchievedQuantity = std::function<std::optional<double>(const DesignOutcome& outcome, std::string& failure)>;

enum class CamberSearchEnd {
    Met,              // `met` achieves the target within the tolerance
    BelowNoCamber,    // the symmetric section (`atZero`) already achieves more
    BeyondReach,      // more camber stops adding: `highest` is the most achieved, `failed` where a run stopped
    Jump,             // the quantity jumps across the target between `below` and `above`
    RunFailed,        // the run `failed` stopped where the target lies
    OutOfRuns,        // the target still lies between `below` and `above`
};

struct CamberSearch {
    CamberSearchEnd end = CamberSearchEnd::OutOfRuns;
    std::optional<CamberProbe> met;
    std::optional<CamberProbe> atZero;
    std::optional<CamberProbe> below;    // the closest run short of the target
    std::optional<CamberProbe> above;    // the closest run beyond it
    std::optional<CamberProbe> highest;  // the run that achieved most
    std::optional<CamberProbe> failed;   // the last run that stopped or did not converge
    int runs = 0;                        // design runs made
};

struct CamberSearchSettings {
    double target = 0;
    double tolerance = 1e-9;     // on the achieved quantity
    double slopeGuess = 12.566;  // d(achieved)/d(camber) for the first step: 4 pi, thin-aerofoil lift
    double firstCamber = 0;      // where the search starts; 0 settles the sign question first
    int mostRuns = 25;
};

// Finds a camber ratio, never negative, whose ordinary design (the other
// inputs as given) achieves the target: the symmetric section first, then
// secant steps outward until the target is bracketed, then Brent's method
// (secant, inverse quadratic interpolation, bisection) inside the bracket.
// The quantity is smooth between the places where the design run's
// iterations end after a different number of steps, and jumps there; a
// target inside such a jump ends the search with `Jump`.
CamberSearch searchCamber(const DesignInputs& inputs, const CamberSearchSettings& settings,
                          const AchievedQuantity& achieved);

// The measurements a design run made over all its solves: where this count
// changes with the camber, the design's F and G jump.
int measurementCount(const DesignOutcome& outcome);

// The largest camber ratio a search tries: far beyond any section the design run completes.
inline constexpr double kMostCamber = 1.0;

}  // namespace folix
