#pragma once

#include <optional>

#include "design/design_inputs.h"
#include "design/design_outcome.h"
#include "design/target_failure.h"

namespace folix {

// A lift coefficient to design for: at a given angle of attack, or at the
// section's ideal angle (the front stagnation point on the leading edge).
struct LiftTarget {
    DesignInputs inputs;          // thickness and trailing-edge angle or location; the camber is solved
    double Cl = 0;
    std::optional<double> alpha;  // degrees; none for the ideal angle
};

// |Cl - target| of the design as reported.
inline constexpr double kLiftTolerance = 1e-9;
// Design runs one design for lift may use.
inline constexpr int kMostLiftRuns = 25;

struct LiftDesign {
    double camber = 0;     // solved: the ordinary design of exactly this camber is `outcome`
    double alpha = 0;      // degrees: the angle given, or the ideal angle found
    double Cl = 0;         // the exact inviscid Cl of `outcome`'s section at alpha
    bool ideal = false;
    DesignOutcome outcome;  // a converged design; no run at all on failure
    int designRuns = 0;
    std::optional<TargetFailure> failure;
};

// The exact inviscid lift of F, G, EM at alpha, as the analysis gives it.
double liftOf(const DesignRecord& record, double alpha);

// Solves the camber ratio (never negative) whose design meets the target
// within kLiftTolerance, with at most kMostLiftRuns design runs. Raises
// nothing: a target that cannot be met comes back as a failure.
LiftDesign designForLift(const LiftTarget& target);

}  // namespace folix
