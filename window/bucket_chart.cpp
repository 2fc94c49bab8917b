#include "bucket_chart.h"

#include <algorithm>

#include "engine/real.h"
#include "engine/section_analysis.h"

namespace folix {

namespace {

constexpr double kLeastHalfSpan = 2;   // degrees about the floor
constexpr double kNoRangeHalfSpan = 4;

std::string degrees(double alpha, std::string_view separator) { return coefficientText(alpha, separator) + "\u00b0"; }

}  // namespace

BucketChart bucketChart(double F, double G, double EM, double sigma)
{
    BucketChart chart;
    chart.sigma = sigma;
    chart.found = cavitationBucket(F, G, EM, sigma);
    if (!chart.found.floor) return chart;
    const double floor = chart.found.floor->alpha;
    Real from = Real(floor) - kNoRangeHalfSpan;
    Real to = Real(floor) + kNoRangeHalfSpan;
    if (const auto& bucket = chart.found.bucket) {
        const Real halfWidth = (Real(bucket->high.alpha) - bucket->low.alpha) / 2;
        from = std::min(Real(bucket->low.alpha) - halfWidth, Real(floor) - kLeastHalfSpan);
        to = std::max(Real(bucket->high.alpha) + halfWidth, Real(floor) + kLeastHalfSpan);
    }
    chart.curve = suctionCurve(F, G, EM, from.value(), to.value(), kBucketCurvePoints);
    Real leastCl = chart.curve.front().Cl;
    Real mostCl = leastCl;
    Real leastSuction = std::min(0.0, sigma);
    Real mostSuction = sigma;
    for (const BucketPoint& p : chart.curve) {
        leastCl = std::min(leastCl, Real(p.Cl));
        mostCl = std::max(mostCl, Real(p.Cl));
        leastSuction = std::min(leastSuction, Real(p.suction));
        mostSuction = std::max(mostSuction, Real(p.suction));
    }
    chart.lift = withMargins(roundedAxis(leastCl.value(), mostCl.value()));
    chart.suction = withMargins(roundedAxis(leastSuction.value(), mostSuction.value()));
    return chart;
}

std::string bucketSummary(const BucketChart& chart, std::string_view separator)
{
    const BucketOutcome& found = chart.found;
    if (!found.bucket) return found.failure ? found.failure->reason + "." : std::string();
    const CavitationBucket& bucket = *found.bucket;
    return "Free of cavitation from \u03b1 = " + degrees(bucket.low.alpha, separator) + " to " +
           degrees(bucket.high.alpha, separator) + ", Cl = " + coefficientText(bucket.low.Cl, separator) + " to " +
           coefficientText(bucket.high.Cl, separator) + "; floor \u2212Cp_min = " +
           coefficientText(bucket.floor.suction, separator) + " at Cl = " + coefficientText(bucket.floor.Cl, separator);
}

}  // namespace folix
