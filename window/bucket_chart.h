#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "design/cavitation_bucket.h"
#include "window/pressure_chart.h"

namespace folix {

// Points of the bucket chart's curve.
inline constexpr int kBucketCurvePoints = 161;

// What the bucket chart of a section shows at one cavitation number: -Cp_min
// against Cl over the angles of attack about the bucket, the sigma line and
// the cavitation-free range.
struct BucketChart {
    double sigma = 0;
    BucketOutcome found;              // the range, or why there is none (the floor when there is one)
    std::vector<BucketPoint> curve;   // in the order of the angle of attack; empty without a floor
    ChartAxis lift;                   // Cl, across
    ChartAxis suction;                // -Cp_min, up: holds the curve, sigma and 0
};

// The chart of the section F, G, EM at sigma > 0: the curve spans the bucket
// and half its width again on either side (at least 2 degrees from the
// floor), or 4 degrees about the floor when sigma lies below it. Raises
// ArithmeticError where the analysis fails.
BucketChart bucketChart(double F, double G, double EM, double sigma);

// One line under the chart: the range in alpha and Cl and the floor, four
// decimals, or why there is no range.
std::string bucketSummary(const BucketChart& chart, std::string_view decimalSeparator = ".");

}  // namespace folix
