#include "design_status.h"

#include <algorithm>

#include "engine/number_text.h"

namespace folix {

namespace {

bool solveGaveUp(const SolveRecord& solve) { return !solve.converged.value_or(false); }

}  // namespace

DesignStatus designStatus(const DesignOutcome& outcome)
{
    if (outcome.error) return DesignStatus::Stopped;
    const bool everySolve = std::none_of(outcome.solves.begin(), outcome.solves.end(), solveGaveUp);
    const bool located = outcome.measuredShownSection && outcome.maxThicknessAt.has_value();
    if (!everySolve || outcome.locationSearchGaveUp || !located) return DesignStatus::NotConverged;
    return outcome.surfacesCrossFrom ? DesignStatus::SurfacesCross : DesignStatus::Ok;
}

std::string crossingText(const DesignOutcome& outcome)
{
    if (!outcome.surfacesCrossFrom) return "";
    return "the upper and lower surfaces cross from x/c " + displayText(*outcome.surfacesCrossFrom);
}

std::string notConvergedReason(const DesignOutcome& outcome)
{
    if (designStatus(outcome) != DesignStatus::NotConverged) return "";
    if (outcome.locationSearchGaveUp) return "the search for m gave up after 20 steps";
    const auto gaveUp = std::find_if(outcome.solves.begin(), outcome.solves.end(), solveGaveUp);
    if (gaveUp != outcome.solves.end())
        return "the solve for F and G at m=" + displayText(gaveUp->exponent) + " gave up after 20 steps";
    return "the location of maximum thickness could not be measured";
}

std::string statusText(const DesignOutcome& outcome)
{
    switch (designStatus(outcome)) {
    case DesignStatus::Ok: return "ok";
    case DesignStatus::SurfacesCross: return "surfaces cross";
    case DesignStatus::NotConverged: return "not converged";
    case DesignStatus::Stopped: break;
    }
    return "error: " + outcome.error->reason;
}

}  // namespace folix
