#pragma once

#include <string>

#include "design/design_outcome.h"

namespace folix {

// What a run came to. The one place that decides whether a design met its
// targets: every front end, the batch's status column and the save rules ask here.
enum class DesignStatus {
    Ok,             // every solve and the location search met their targets; the shown section's location is known
    SurfacesCross,  // converged, but the upper and lower surfaces cross: no valid outline (m > 2)
    NotConverged,   // the run completed, but with the last values tried
    Stopped,        // an arithmetic error ended the run
};

DesignStatus designStatus(const DesignOutcome& outcome);

// Whether the run met its targets, crossing surfaces or not.
inline bool converged(const DesignOutcome& outcome)
{
    const DesignStatus status = designStatus(outcome);
    return status == DesignStatus::Ok || status == DesignStatus::SurfacesCross;
}

// What a section with crossing surfaces is, in words, for warnings and refusals:
// "the upper and lower surfaces cross from x/c 0.88679"; empty when they do not.
std::string crossingText(const DesignOutcome& outcome);

// Why no viscous polar is computed for such a section, and what to change.
inline constexpr const char* kCrossingPolarRefusal =
    "XFOIL cannot analyse a section whose surfaces cross (m > 2): design one whose trailing-edge angle, "
    "180 (2 - m) degrees, is 0 or more";

// Why a completed run did not converge, in a few words ("the solve for F and G
// at m=1.94444 gave up after 20 steps"); empty for any other status.
std::string notConvergedReason(const DesignOutcome& outcome);

// The batch's status text: "ok", "surfaces cross", "not converged" or "error: <reason>".
std::string statusText(const DesignOutcome& outcome);

}  // namespace folix
