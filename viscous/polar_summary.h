#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "viscous_polar.h"

namespace folix {

// A polar in a few numbers, over its converged angles alone: each none when
// no angle converged.
struct PolarSummary {
    std::optional<double> ClMax;       // the largest Cl
    std::optional<double> alphaClMax;  // its angle, degrees
    std::optional<double> CdMin;       // the least Cd
    std::optional<double> ClCdMax;     // the largest Cl / Cd
    std::optional<double> alphaClCdMax;
    std::size_t angles = 0;
    std::size_t converged = 0;
};

// Of several angles with the same value, the first asked for counts.
PolarSummary summarisePolar(const ViscousPolar& polar);

// The polar's state in a few words: "converged" when every angle did,
// "31 of 33 converged" when some did, else the first failure
// ("failed: <reason>") or "not converged"; "" for a polar without angles.
std::string polarStatusText(const ViscousPolar& polar);

}  // namespace folix
