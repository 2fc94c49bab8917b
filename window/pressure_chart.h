#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/section_analysis.h"

namespace folix {

// Surface points of the analysis window: enough for a smooth curve and a
// sharp suction peak, odd so that the leading edge is one of them.
inline constexpr int kPressurePoints = 401;

// The circle angles at which the analysis window evaluates a section, in the
// order of a coordinate file. Where the surface speed has no finite value the
// point is left out (the analysis refuses it): the trailing edge for EM > 2,
// the leading edge for F <= 0 (a section without thickness). Cl and Cm do not
// depend on the points.
std::vector<double> pressureCircleAngles(double F, double EM);

struct ChartPoint {
    double x = 0;
    double y = 0;
};

// An axis range and the values that get a labelled tick.
struct ChartAxis {
    double low = 0;
    double high = 1;
    std::vector<double> ticks;
};

// The smallest range around low..high whose ends are whole steps, the step
// being 1, 2, 2.5 or 5 times a power of ten from finestDecade up and giving
// at most six steps.
ChartAxis roundedAxis(double low, double high, double finestDecade = 0.1);
// The axis widened by a small share of its span at either end, so that no
// curve or dot runs along the frame.
ChartAxis withMargins(ChartAxis axis);

// What stays the same for a design whatever the angle of attack: the chord
// axis and the outline drawn under the curves.
struct SectionChart {
    ChartAxis chord;                  // ticks 0 to 1 by 0.2; the range a little wider, and wider still for points outside
    std::vector<ChartPoint> outline;  // x, y in chord lengths, in surface order
    double lowest = 0;                // extent of the outline in y
    double highest = 0;
};

SectionChart sectionChart(const std::vector<SurfacePoint>& surface);

// The pressure curves at one angle of attack: -Cp over x/c, so suction is up.
struct PressureCurves {
    std::vector<ChartPoint> upper;  // circle angles from pi down to 0: trailing edge to leading edge
    std::vector<ChartPoint> lower;  // circle angles from 0 down to -pi: leading edge to trailing edge
    ChartAxis suction;              // the -Cp axis: ticks as roundedAxis gives them, always holding 0,
                                    // the range a little wider than the ticks
};

// Cp holds one value per surface point. Both curves hold the leading-edge
// point when it is a surface point, so they meet there.
PressureCurves pressureCurves(const std::vector<SurfacePoint>& surface, const std::vector<double>& Cp);

// The suction axis of the shown curves widened to hold every curve of
// `others` too: those of the pinned sections drawn on the same chart.
ChartAxis sharedSuctionAxis(const PressureCurves& shown, const std::vector<PressureCurves>& others);

// What hovering the chart reads out: on either curve, the point nearest in x/c
// to where the pointer is, as x/c and -Cp.
struct PointedValues {
    ChartPoint upper;
    ChartPoint lower;
};

PointedValues nearestPoints(const PressureCurves& curves, double x);

// "Upper surface: x/c = 0.2500  Cp = -0.5470     Lower surface: ...", four
// decimals like the coefficients, in the reader's decimal separator.
std::string pointedText(const PointedValues& pointed, std::string_view decimalSeparator = ".");

// The Cp table of one angle of attack as CSV: a header line "surface,x,y,Cp",
// then the upper surface from the trailing edge to the leading edge and the
// lower surface back, as the curves run (both hold the leading edge). Numbers
// with "." and the digits that give back the exact double.
std::string pressureTableText(const std::vector<SurfacePoint>& surface, const std::vector<double>& Cp);

}  // namespace folix
