#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "design_state.h"
#include "mapped_section.h"

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

// The circle angles (XY's TETA) of a coordinate file's points, in the file's
// order. With DTETA = 2 pi / (points - 1) they are the window's angles j DTETA:
// pi at the trailing edge, j from (points - 3) / 2 down to 0 over the upper
// surface to the leading edge (the middle point), j from points - 2 down to
// (points + 1) / 2 over the lower surface (angles between pi and 2 pi, as the
// window's outline takes them), and pi again. Raises std::invalid_argument for
// a point count outside isSeligPointCount.
std::vector<double> seligPointAngles(int points);

// An angle within its own rounding of an odd multiple of pi: the circle point
// is the trailing edge, where the mapping is singular.
bool isTrailingEdgeAngle(double TETA);

// The points of the normalised outline of F, G, EM at the circle angles: XY's
// first pass with the chord-normalising scale, then the window's turn and
// shift (leading edge to x = 0, trailing edge to x = 1). A trailing-edge angle
// gives exactly (1, 0). The one definition of a section point: the coordinate
// file, the window's outline and the flow analysis all go through it or
// agree with it bit for bit. Raises ArithmeticError where the mapping fails.
std::vector<SectionPoint> outlinePoints(double F, double G, double EM, const std::vector<double>& circleAngles);

// The outline of F, G, EM on a chord from x = 0 (leading edge) to x = 1
// (trailing edge), in Selig order: trailing edge, upper surface forward,
// leading edge as the middle point, lower surface back, trailing edge.
// outlinePoints at seligPointAngles. Raises std::invalid_argument for a point
// count outside isSeligPointCount and ArithmeticError where the mapping fails.
std::vector<SectionPoint> seligPoints(double F, double G, double EM, int points);

// XFOIL keeps this many characters of a coordinate file's name line.
inline constexpr std::size_t kLongestSeligName = 48;

// The name line of a section's coordinate file: the family without the word
// AIRFOIL, then F, G and m as shown, e.g.
// "KARMAN-TREFFTZ F=0.0703 G=0.04377 m=1.94444". Never longer than
// kLongestSeligName: parameters too large to fit as shown are written with
// fewer significant digits.
std::string seligName(const MappedSection& section);

// A coordinate file: the name line, then one line " x  y" per point with ten
// decimals and "." whatever the locale, a blank standing in for a plus sign.
std::string seligText(const std::string& name, const std::vector<SectionPoint>& points);

// The coordinate file of a section, and of the one a design run left in the state.
std::string seligText(const MappedSection& section, int points = kDefaultSeligPoints);
std::string seligText(const DesignState& design, int points = kDefaultSeligPoints);

// A pressure file: the name line, then one line " x  y  Cp" per point, x and y
// written exactly as in a coordinate file, Cp with as many decimals. Raises
// std::invalid_argument unless there is one Cp per point.
std::string seligPressureText(const std::string& name, const std::vector<SectionPoint>& points,
                              const std::vector<double>& Cp);

}  // namespace folix
