#pragma once

#include <optional>

#include "design/cavitation_bucket.h"
#include "design/design_inputs.h"
#include "design/design_outcome.h"
#include "design/target_failure.h"

namespace folix {

// A cavitation-free range to design for: the section must stay free of
// cavitation at sigma for every Cl from Cl - halfWidth to Cl + halfWidth.
struct BucketTarget {
    DesignInputs inputs;  // the trailing-edge angle or location; thickness and camber are solved
    double Cl = 0;
    double sigma = 0;
    double halfWidth = 0;
};

// The thickness ratio is found to this accuracy: the section reported holds
// the range, one this much thinner does not.
inline constexpr double kBucketThicknessTolerance = 1e-6;
// |bucket centre - Cl| sought by the choice of camber.
inline constexpr double kBucketCentreTolerance = 1e-9;

// A section at one thickness with the camber that centres its bucket on the target.
struct CentredSection {
    double thickness = 0;
    double camber = 0;
    DesignOutcome outcome;
    CavitationBucket bucket;
    // How far the bucket reaches beyond the range wanted, on its shorter side
    // (negative where it falls short).
    double margin = 0;
};

struct BucketDesign {
    std::optional<CentredSection> section;  // the thinnest found to hold the range (0.005 when the first tried does)
    std::optional<CentredSection> widest;   // when none does: the one with the widest bucket found
    int designRuns = 0;
    std::optional<TargetFailure> failure;
};

// Finds the thinnest section, its camber centring the bucket on Cl, whose
// cavitation-free range at sigma holds [Cl - halfWidth, Cl + halfWidth]:
// thicknesses from thin to thick until one holds it, then Brent's method on
// the margin between the last that does not and the first that does. Raises
// nothing: a target out of reach comes back as a failure with the widest
// bucket found.
BucketDesign designForBucket(const BucketTarget& target);

}  // namespace folix
