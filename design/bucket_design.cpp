#include "bucket_design.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <utility>

#include "design/camber_search.h"
#include "design/scalar_search.h"
#include "engine/real.h"

namespace folix {

namespace {

// The thicknesses tried first, thin to thick: buckets widen with the nose
// radius until the suction of thickness alone comes near sigma.
constexpr std::array kThicknesses = {0.005, 0.01, 0.02, 0.03, 0.04, 0.05, 0.06, 0.08, 0.1,
                                     0.12,  0.14, 0.16, 0.18, 0.2,  0.23, 0.26, 0.3,  0.35, 0.4};
// The widest bucket, when none is wide enough, is refined this far in thickness.
constexpr double kWidestTolerance = 1e-4;

std::string rangeText(double low, double high) { return "Cl " + messageNumber(low) + " to " + messageNumber(high); }

class BucketSearch {
public:
    explicit BucketSearch(const BucketTarget& target) : target_(target) {}

    // The section of this thickness whose bucket is centred on the target Cl;
    // none where there is none (lastFailure says why). Each thickness is
    // designed once: asked again, the same section comes back.
    const std::optional<CentredSection>& centred(double thickness);
    // The margin of `centred`, or a value below every margin where there is no section.
    double margin(double thickness);

    int runs = 0;
    std::optional<CentredSection> widest;
    std::optional<TargetFailure> lastFailure;
    // The thickness whose bucket's centre came nearest the target Cl, where no camber brought it up to it.
    std::optional<TargetFailure> centreOutOfReach;
    // The least floor above sigma of any section tried, with its thickness and camber.
    std::optional<BucketPoint> lowestFloor;
    DesignRecord lowestFloorSection;

private:
    std::optional<CentredSection> design(double thickness, TargetFailure& why);

    const BucketTarget& target_;
    double lastCamber_ = 0;  // a good start for the next thickness
    double highestCentre_ = 0;
    std::map<double, std::optional<CentredSection>> designed_;
};

const std::optional<CentredSection>& BucketSearch::centred(double thickness)
{
    const auto known = designed_.find(thickness);
    if (known != designed_.end()) return known->second;
    TargetFailure why;
    std::optional<CentredSection> section = design(thickness, why);
    if (!section) lastFailure = why;
    else if (!widest || section->bucket.width() > widest->bucket.width()) widest = section;
    return designed_.emplace(thickness, std::move(section)).first->second;
}

double BucketSearch::margin(double thickness)
{
    const std::optional<CentredSection>& section = centred(thickness);
    return section ? section->margin : -(Real(target_.halfWidth) + 1).value();
}

std::optional<CentredSection> BucketSearch::design(double thickness, TargetFailure& why)
{
    DesignInputs inputs = target_.inputs;
    inputs.thickness = thickness;
    const double sigma = target_.sigma;
    std::optional<TargetFailure> bucketFailure;
    const auto centre = [&](const DesignOutcome& outcome, std::string& failure) -> std::optional<double> {
        const DesignRecord& r = outcome.record;
        const BucketOutcome found = cavitationBucket(r.F, r.G, r.m, sigma, BucketFloor::AnyInside);
        const bool belowFloor = found.floor && found.floor->suction > sigma;
        if (belowFloor && (!lowestFloor || found.floor->suction < lowestFloor->suction)) {
            lowestFloor = found.floor;
            lowestFloorSection = r;
        }
        if (!found.bucket) {
            failure = found.failure->reason;
            bucketFailure = found.failure;
            return std::nullopt;
        }
        return found.bucket->centre();
    };
    CamberSearchSettings settings;
    settings.target = target_.Cl;
    settings.tolerance = kBucketCentreTolerance;
    settings.firstCamber = lastCamber_;
    CamberSearch search = searchCamber(inputs, settings, centre);
    runs += search.runs;

    std::optional<CamberProbe> chosen = search.met;
    if (!chosen && (search.end == CamberSearchEnd::Jump || search.end == CamberSearchEnd::OutOfRuns)) {
        // The centre cannot be met more closely: the nearer end serves, the margin tells the rest.
        const bool belowNearer = std::abs(*search.below->achieved - target_.Cl) <= std::abs(*search.above->achieved - target_.Cl);
        chosen = belowNearer ? search.below : search.above;
    }
    if (!chosen && search.end == CamberSearchEnd::BeyondReach && search.highest) {
        const double most = *search.highest->achieved;
        why = {"at thickness " + messageNumber(thickness) + " no camber centres the bucket on Cl " +
                   messageNumber(target_.Cl) + ": its centre reaches Cl " + messageNumber(most) + " at most (camber " +
                   messageNumber(search.highest->camber) + ")",
               "a lift target of " + messageNumber(most) + " or less, or a larger cavitation number sigma"};
        if (!centreOutOfReach || most > highestCentre_) {
            centreOutOfReach = why;
            highestCentre_ = most;
        }
        return std::nullopt;
    }
    if (!chosen) {
        if (bucketFailure) why = *bucketFailure;
        else why = {search.failed ? search.failed->failure : "no camber centres the bucket",
                    "another trailing-edge angle or location of maximum thickness"};
        return std::nullopt;
    }
    const DesignRecord& r = chosen->outcome.record;
    const BucketOutcome exact = cavitationBucket(r.F, r.G, r.m, sigma);
    if (!exact.bucket) {
        why = *exact.failure;
        return std::nullopt;
    }
    lastCamber_ = chosen->camber;
    const CavitationBucket& bucket = *exact.bucket;
    const Real wantedLow = Real(target_.Cl) - target_.halfWidth;
    const Real wantedHigh = Real(target_.Cl) + target_.halfWidth;
    const double beyond = std::min(Real(bucket.high.Cl) - wantedHigh, wantedLow - bucket.low.Cl).value();
    return CentredSection{thickness, chosen->camber, std::move(chosen->outcome), bucket, beyond};
}

// The widest bucket about the best thickness tried, by golden section on the width.
void refineWidest(BucketSearch& search)
{
    const double best = search.widest->thickness;
    const auto* at = std::find(kThicknesses.begin(), kThicknesses.end(), best);
    if (at == kThicknesses.end() || at == kThicknesses.begin() || at + 1 == kThicknesses.end()) return;
    const auto negativeWidth = [&search](double thickness) {
        const std::optional<CentredSection>& section = search.centred(thickness);
        return section ? -section->bucket.width() : 0.0;
    };
    const ScalarPoint inside{best, -search.widest->bucket.width()};
    goldenMinimum(negativeWidth, {*(at - 1), negativeWidth(*(at - 1))}, inside, {*(at + 1), negativeWidth(*(at + 1))},
                  kWidestTolerance);
}

TargetFailure outOfReach(const BucketTarget& target, const BucketSearch& search)
{
    const std::string wanted = rangeText((Real(target.Cl) - target.halfWidth).value(),
                                         (Real(target.Cl) + target.halfWidth).value());
    if (!search.widest) {
        std::string reason = "no thickness from " + messageNumber(kThicknesses.front()) + " to " +
                             messageNumber(kThicknesses.back()) + " has a cavitation-free range at sigma " +
                             messageNumber(target.sigma) + " about Cl " + messageNumber(target.Cl);
        const std::optional<TargetFailure>& told = search.centreOutOfReach ? search.centreOutOfReach : search.lastFailure;
        if (search.centreOutOfReach || !search.lowestFloor)
            return {reason + (told ? ": " + told->reason : ""), told ? told->hint : "a larger cavitation number sigma"};
        const BucketPoint& floor = *search.lowestFloor;
        return {reason + ": the lowest floor found is -Cp_min " + messageNumber(floor.suction) + " (thickness " +
                    messageNumber(search.lowestFloorSection.thickness) + ", camber " +
                    messageNumber(search.lowestFloorSection.camber) + ")",
                "a cavitation number sigma above " + messageNumber(floor.suction)};
    }
    const CentredSection& widest = *search.widest;
    const double halfWidth = widest.bucket.width() / 2;
    return {"no thickness keeps " + wanted + " free of cavitation at sigma " + messageNumber(target.sigma) +
                ": the widest bucket found reaches " + rangeText(widest.bucket.low.Cl, widest.bucket.high.Cl) +
                " (half-width " + messageNumber(halfWidth) + ") at thickness " + messageNumber(widest.thickness) +
                ", camber " + messageNumber(widest.camber),
            "a bucket half-width of " + messageNumber(halfWidth) + " or less, or a larger cavitation number sigma"};
}

BucketDesign searchThickness(const BucketTarget& target)
{
    BucketDesign design;
    BucketSearch search(target);
    std::optional<ScalarPoint> short_;  // the last thickness that does not hold the range
    std::optional<CentredSection> holding;
    for (const double thickness : kThicknesses) {
        const std::optional<CentredSection>& section = search.centred(thickness);
        if (section && section->margin >= 0) {
            holding = section;
            break;
        }
        short_ = ScalarPoint{thickness, search.margin(thickness)};
    }
    if (!holding) {
        if (search.widest) refineWidest(search);
        design.designRuns = search.runs;
        design.widest = search.widest;
        design.failure = outOfReach(target, search);
        return design;
    }
    if (short_) {
        const auto margin = [&search](double thickness) { return search.margin(thickness); };
        const ScalarBracket found =
            brentRoot(margin, *short_, {holding->thickness, holding->margin}, kBucketThicknessTolerance);
        const ScalarPoint& held = found.best.y >= 0 ? found.best : found.other;
        holding = search.centred(held.x);
    }
    design.designRuns = search.runs;
    design.section = std::move(holding);
    return design;
}

}  // namespace

BucketDesign designForBucket(const BucketTarget& target)
{
    try {
        return searchThickness(target);
    } catch (const ArithmeticError& e) {
        BucketDesign failed;
        failed.failure = TargetFailure{std::string("the search stopped on its arithmetic: ") + e.what(),
                                       "a lift target, sigma and half-width of ordinary size"};
        return failed;
    }
}

}  // namespace folix
