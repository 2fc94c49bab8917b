#pragma once

#include <string>

#include "design/design_outcome.h"

namespace folix {

// What a run came to. The one place that decides whether a design met its
// targets: every front end, the batch's status column and the save rules ask here.
enum class DesignStatus {
    Ok,            // every solve and the location search met their targets; the shown section's location is known
    NotConverged,  // the run completed, but with the last values tried
    Stopped,       // an arithmetic error ended the run
};

DesignStatus designStatus(const DesignOutcome& outcome);

inline bool converged(const DesignOutcome& outcome) { return designStatus(outcome) == DesignStatus::Ok; }

// Why a completed run did not converge, in a few words ("the solve for F and G
// at m=1.94444 gave up after 20 steps"); empty for any other status.
std::string notConvergedReason(const DesignOutcome& outcome);

// The batch's status text: "ok", "not converged" or "error: <reason>".
std::string statusText(const DesignOutcome& outcome);

}  // namespace folix
