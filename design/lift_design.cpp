#include "lift_design.h"

#include <cmath>
#include <utility>

#include "design/camber_search.h"
#include "design/ideal_angle.h"
#include "engine/real.h"
#include "engine/section_analysis.h"

namespace folix {

namespace {


std::string degrees(double alpha) { return messageNumber(alpha) + "\u00b0"; }

std::string targetText(const LiftTarget& target)
{
    return "Cl " + messageNumber(target.Cl, 10) + (target.alpha ? " at " + degrees(*target.alpha) : " at the ideal angle");
}

// The angle of attack at which a section lifts Cl, if any: Cl = 8 pi a B sin(alpha + beta).
std::optional<double> angleFor(const DesignRecord& record, double Cl)
{
    const SectionAnalysis section(record.F, record.G, record.m, {});
    const Real most = ((8 * kPi) * section.radius()) * section.scale();
    const Real share = Real(Cl) / most;
    if (abs(share) > 1) return std::nullopt;
    return ((Real(std::asin(share.value())) * 180) / kPi + section.zeroLiftAngle()).value();
}

// What changes in the design run across a jump.
std::string jumpCause(const DesignOutcome& below, const DesignOutcome& above)
{
    const int before = measurementCount(below);
    const int after = measurementCount(above);
    if (before == after) return ", where the design run's measurements of the section change";
    return ": the design run's solve for F and G, which stops within 0.00001 of the thickness and camber, takes " +
           std::to_string(before) + " measurements on one side and " + std::to_string(after) + " on the other";
}

// Why a search ended without meeting the target, and what to change.
TargetFailure failureOf(const LiftTarget& target, const CamberSearch& search)
{
    const std::string wanted = targetText(target);
    switch (search.end) {
    case CamberSearchEnd::BelowNoCamber: {
        const CamberProbe& symmetric = *search.atZero;
        const std::optional<double> lower = angleFor(symmetric.outcome.record, target.Cl);
        return {wanted + " is below the symmetric section's Cl " + messageNumber(*symmetric.achieved) +
                    " there, and the camber ratio is never negative",
                lower ? "lower the angle of attack to " + degrees(*lower) +
                            " or less (the symmetric section reaches the target there), or raise the lift target to " +
                            messageNumber(*symmetric.achieved) + " or more"
                      : "raise the lift target to " + messageNumber(*symmetric.achieved) + " or more"};
    }
    case CamberSearchEnd::BeyondReach: {
        const CamberProbe& most = *search.highest;
        std::string reason = wanted + " needs more lift than the design run reaches: the most found is Cl " +
                             messageNumber(*most.achieved) + " at camber " + messageNumber(most.camber);
        if (search.failed && search.failed->camber > most.camber)
            reason += "; above camber " + messageNumber(search.failed->camber) + " " + search.failed->failure;
        return {reason, "lower the lift target to " + messageNumber(*most.achieved) + " or less" +
                            (target.alpha ? std::string(", or raise the angle of attack") : std::string())};
    }
    case CamberSearchEnd::Jump: {
        const CamberProbe& below = *search.below;
        const CamberProbe& above = *search.above;
        std::string hint = "aim for a lift target outside " + messageNumber(*below.achieved, 10) + " to " +
                           messageNumber(*above.achieved, 10) + ", or change the thickness a little";
        if (target.alpha) {
            if (const std::optional<double> alpha = angleFor(below.outcome.record, target.Cl))
                hint += ", or set the angle of attack to " + messageNumber(*alpha, 10) + "\u00b0 (camber " +
                        messageNumber(below.camber, 17) + " meets the target there)";
        }
        // Adjacent cambers leave no camber between; otherwise the runs ran out on the jump.
        const bool adjacent = std::nextafter(below.camber, above.camber) == above.camber;
        const std::string opening = adjacent ? "no camber gives " + wanted + " within " + messageNumber(kLiftTolerance)
                                             : wanted + " not met within " + messageNumber(kLiftTolerance) + " in " +
                                                   std::to_string(search.runs) + " design runs";
        return {opening + ": between camber " + messageNumber(below.camber, 17) + " and " + messageNumber(above.camber, 17) +
                    " the design's Cl jumps from " + messageNumber(*below.achieved, 10) + " to " +
                    messageNumber(*above.achieved, 10) + jumpCause(below.outcome, above.outcome),
                hint};
    }
    case CamberSearchEnd::RunFailed: {
        const CamberProbe& failed = *search.failed;
        if (failed.camber == 0)
            return {wanted + ": the symmetric section of thickness " + messageNumber(target.inputs.thickness) +
                        " (camber 0), where the search starts, cannot be designed: " + failed.failure,
                    failed.outcome.hint.value_or("a larger thickness or a smaller trailing-edge angle")};
        return {wanted + ": at camber " + messageNumber(failed.camber) + " " + failed.failure,
                "change the thickness or the trailing-edge angle (or location of maximum thickness) a little"};
    }
    case CamberSearchEnd::OutOfRuns:
    case CamberSearchEnd::Met: break;
    }
    std::string reason = wanted + " not met within " + messageNumber(kLiftTolerance) + " after " +
                         std::to_string(search.runs) + " design runs";
    if (search.below && search.above)
        reason += ": it lies between camber " + messageNumber(search.below->camber, 17) + " (Cl " +
                  messageNumber(*search.below->achieved, 10) + ") and " + messageNumber(search.above->camber, 17) +
                  " (Cl " + messageNumber(*search.above->achieved, 10) + ")";
    return {reason, "change the lift target or the thickness a little"};
}

LiftDesign searchLift(const LiftTarget& target)
{
    LiftDesign design;
    design.ideal = !target.alpha.has_value();
    const auto achieved = [&target](const DesignOutcome& outcome, std::string& failure) -> std::optional<double> {
        const DesignRecord& record = outcome.record;
        if (target.alpha) return liftOf(record, *target.alpha);
        if (!(record.F > 0)) {
            failure = "the section has no rounded leading edge (F = 0), so no ideal angle";
            return std::nullopt;
        }
        return liftOf(record, leadingEdge(record.F, record.G, record.m).idealAngle);
    };
    CamberSearchSettings settings;
    settings.target = target.Cl;
    settings.tolerance = kLiftTolerance;
    settings.mostRuns = kMostLiftRuns;
    CamberSearch search = searchCamber(target.inputs, settings, achieved);
    design.designRuns = search.runs;
    if (search.end != CamberSearchEnd::Met) {
        design.failure = failureOf(target, search);
        return design;
    }
    CamberProbe& met = *search.met;
    design.camber = met.camber;
    const DesignRecord& record = met.outcome.record;
    design.alpha = target.alpha ? *target.alpha : leadingEdge(record.F, record.G, record.m).idealAngle;
    design.Cl = *met.achieved;
    design.outcome = std::move(met.outcome);
    return design;
}

}  // namespace

double liftOf(const DesignRecord& record, double alpha)
{
    return SectionAnalysis(record.F, record.G, record.m, {}).liftCoefficient(alpha);
}

LiftDesign designForLift(const LiftTarget& target)
{
    try {
        return searchLift(target);
    } catch (const ArithmeticError& e) {
        LiftDesign failed;
        failed.ideal = !target.alpha.has_value();
        failed.failure = TargetFailure{targetText(target) + ": the search stopped on its arithmetic: " + e.what(),
                                       "a lift target and angle of attack of ordinary size"};
        return failed;
    }
}

}  // namespace folix
