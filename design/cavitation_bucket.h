#pragma once

#include <optional>
#include <vector>

#include "design/target_failure.h"
#include "engine/section_polar.h"

namespace folix {

// One angle of attack of the bucket: the exact inviscid Cl and the suction
// peak -Cp_min over the whole surface, as `folix polar` finds Cp_min.
struct BucketPoint {
    double alpha = 0;  // degrees
    double Cl = 0;
    double suction = 0;  // -Cp_min
};

// The cavitation bucket of a section at cavitation number sigma: the range of
// angles of attack about the floor (the least suction) over which
// -Cp_min <= sigma, so that the pressure nowhere falls below the vapour
// pressure.
struct CavitationBucket {
    double sigma = 0;
    BucketPoint low;    // the edge at the low angle of attack
    BucketPoint high;   // the edge at the high angle
    BucketPoint floor;  // the least -Cp_min
    double width() const { return high.Cl - low.Cl; }
    double centre() const { return (low.Cl + high.Cl) / 2; }
};

// The edges' accuracy in the angle of attack, degrees.
inline constexpr double kBucketEdgeTolerance = 1e-9;
// How far from the floor an edge is looked for, degrees.
inline constexpr double kBucketReach = 90;

struct BucketOutcome {
    std::optional<CavitationBucket> bucket;
    std::optional<BucketPoint> floor;  // also when sigma lies below it
    std::optional<TargetFailure> failure;
};

// How precisely the floor is wanted: to the same accuracy as the edges, or
// only as far as a point inside the bucket (when just the edges count).
enum class BucketFloor { Exact, AnyInside };

// The bucket of the section F, G, EM at sigma > 0. The floor is found by
// golden section about the ideal angle; the edges by Brent's method on
// -Cp_min(alpha) - sigma, after steps outward from the floor. A section
// without a finite speed everywhere (m > 2, or F <= 0) has no bucket; a sigma
// below the floor gives no range. Raises ArithmeticError where the analysis fails.
BucketOutcome cavitationBucket(double F, double G, double EM, double sigma, BucketFloor wanted = BucketFloor::Exact);

// The points of the section at `count` >= 2 angles of attack evenly from
// `from` to `to` (degrees), both included.
std::vector<BucketPoint> suctionCurve(double F, double G, double EM, double from, double to, int count);

// The bucket's points at `count` >= 2 angles evenly from its low edge to its high one.
std::vector<BucketPoint> bucketTable(double F, double G, double EM, const CavitationBucket& bucket, int count);

// Its table as CSV: "alpha,Cl,minus_Cp_min", every number with all its digits.
std::string bucketCsvText(const std::vector<BucketPoint>& table);

}  // namespace folix
