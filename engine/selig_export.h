#pragma once

#include <string>
#include <vector>

#include "design_state.h"

namespace folix {

// Point counts of a coordinate file. Odd, so that the leading edge is the
// middle point; the upper bound keeps a file below about 3 MB.
inline constexpr int kDefaultSeligPoints = 161;
inline constexpr int kFewestSeligPoints = 5;
inline constexpr int kMostSeligPoints = 100001;

bool isSeligPointCount(long long points);

struct SectionPoint {
    double x = 0;
    double y = 0;
};

// The outline of F, G, EM on a chord from x = 0 (leading edge) to x = 1
// (trailing edge), in Selig order: trailing edge, upper surface forward,
// leading edge as the middle point, lower surface back, trailing edge.
// The points are uniform in circle angle and normalised like the window's
// outline; the trailing edge, where the mapping is singular, is put in as
// exactly (1, 0). Raises std::invalid_argument for a point count outside
// isSeligPointCount and ArithmeticError where the mapping fails.
std::vector<SectionPoint> seligPoints(double F, double G, double EM, int points);

// The name line of a design's coordinate file: family and parameters as shown.
std::string seligName(const DesignState& design);

// A coordinate file: the name line, then one line " x  y" per point with ten
// decimals and "." whatever the locale, a blank standing in for a plus sign.
std::string seligText(const std::string& name, const std::vector<SectionPoint>& points);

// The coordinate file of the section a design run left in the state.
std::string seligText(const DesignState& design, int points = kDefaultSeligPoints);

}  // namespace folix
