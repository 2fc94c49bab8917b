#include "cavitation_bucket.h"

#include <array>
#include <charconv>
#include <stdexcept>

#include "design/ideal_angle.h"
#include "design/scalar_search.h"
#include "engine/real.h"

namespace folix {

namespace {

// The first steps from the floor, degrees: about the width of a thin section's bucket.
constexpr double kFirstStep = 0.5;

BucketPoint pointAt(const PolarSection& section, double alpha)
{
    const PolarRow row = section.row(alpha);
    return {alpha, row.Cl, (-Real(row.CpMin)).value()};
}

TargetFailure noFiniteSpeed(double F, double EM)
{
    if (EM > 2)
        return {"the section has m > 2: its trailing edge is re-entrant and the flow speed there unbounded, so it "
                "cavitates at every angle of attack",
                "a trailing-edge angle of 0\u00b0 or more (m <= 2)"};
    return {"the section has F = " + messageNumber(F) + ": without a rounded leading edge the flow speed there is unbounded",
            "a thickness above 0"};
}

// An edge between a point inside the bucket and the first point outside it,
// stepping away from the floor.
std::optional<BucketPoint> edge(const PolarSection& section, const std::function<double(double)>& excess,
                                const BucketPoint& floor, double sigma, double direction)
{
    ScalarPoint inside{floor.alpha, (Real(floor.suction) - sigma).value()};
    double step = kFirstStep;
    for (;;) {
        const double alpha = inside.x + direction * step;
        if (std::abs(alpha - floor.alpha) > kBucketReach) return std::nullopt;
        const ScalarPoint tried{alpha, excess(alpha)};
        if (tried.y > 0) {
            const ScalarBracket found = brentRoot(excess, inside, tried, kBucketEdgeTolerance);
            // The end inside the bucket: free of cavitation there.
            const double alphaEdge = found.best.y <= 0 ? found.best.x : found.other.x;
            return pointAt(section, alphaEdge);
        }
        inside = tried;
        step *= 2;
    }
}

std::string exactText(double value)
{
    std::array<char, 32> buffer{};
    const double positiveZero = value == 0 ? 0.0 : value;
    const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), positiveZero).ptr;
    return std::string(buffer.data(), end);
}

}  // namespace

BucketOutcome cavitationBucket(double F, double G, double EM, double sigma, BucketFloor wanted)
{
    BucketOutcome outcome;
    if (!hasFiniteSurfaceSpeed(F, EM)) {
        outcome.failure = noFiniteSpeed(F, EM);
        return outcome;
    }
    const PolarSection section(F, G, EM);
    const auto suction = [&section](double alpha) { return pointAt(section, alpha).suction; };
    const double start = leadingEdge(F, G, EM).idealAngle;
    ScalarPoint least;
    try {
        const MinimumBracket around = bracketMinimum(suction, start, kFirstStep, kBucketReach);
        const double* enough = wanted == BucketFloor::AnyInside ? &sigma : nullptr;
        least = goldenMinimum(suction, around.a, around.inside, around.b, kBucketEdgeTolerance, enough);
    } catch (const std::range_error&) {
        outcome.failure = TargetFailure{"-Cp_min has no least value within " + messageNumber(kBucketReach) +
                                            "\u00b0 of the ideal angle",
                                        "a section with a rounded leading edge and m <= 2"};
        return outcome;
    }
    const BucketPoint floor = pointAt(section, least.x);
    outcome.floor = floor;
    if (floor.suction > sigma) {
        outcome.failure = TargetFailure{
            "no cavitation-free range at sigma " + messageNumber(sigma) + ": the bucket's floor is -Cp_min " +
                messageNumber(floor.suction) + " at " + messageNumber(floor.alpha) + "\u00b0 (Cl " +
                messageNumber(floor.Cl) + ")",
            "a cavitation number sigma of " + messageNumber(floor.suction) + " or more, or a thinner section"};
        return outcome;
    }
    const auto excess = [&suction, sigma](double alpha) { return (Real(suction(alpha)) - sigma).value(); };
    const std::optional<BucketPoint> low = edge(section, excess, floor, sigma, -1);
    const std::optional<BucketPoint> high = edge(section, excess, floor, sigma, 1);
    if (!low || !high) {
        outcome.failure = TargetFailure{"at sigma " + messageNumber(sigma) + " the section is free of cavitation " +
                                            messageNumber(kBucketReach) + "\u00b0 and more from its floor",
                                        "a smaller cavitation number sigma"};
        return outcome;
    }
    outcome.bucket = CavitationBucket{sigma, *low, *high, floor};
    return outcome;
}

std::vector<BucketPoint> suctionCurve(double F, double G, double EM, double from, double to, int count)
{
    if (count < 2) throw std::invalid_argument("a curve needs at least 2 points");
    const PolarSection section(F, G, EM);
    std::vector<BucketPoint> curve;
    curve.reserve(static_cast<std::size_t>(count));
    const Real step = (Real(to) - from) / (count - 1);
    for (int k = 0; k < count - 1; ++k) curve.push_back(pointAt(section, (from + k * step).value()));
    curve.push_back(pointAt(section, to));
    return curve;
}

std::vector<BucketPoint> bucketTable(double F, double G, double EM, const CavitationBucket& bucket, int count)
{
    return suctionCurve(F, G, EM, bucket.low.alpha, bucket.high.alpha, count);
}

std::string bucketCsvText(const std::vector<BucketPoint>& table)
{
    std::string text = "alpha,Cl,minus_Cp_min\n";
    for (const BucketPoint& p : table) text += exactText(p.alpha) + ',' + exactText(p.Cl) + ',' + exactText(p.suction) + '\n';
    return text;
}

}  // namespace folix
