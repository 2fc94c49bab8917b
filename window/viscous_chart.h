#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "engine/section_polar.h"
#include "viscous/viscous_polar.h"
#include "window/pressure_chart.h"

namespace folix {

// One curve of a polar chart, in pieces: each piece a run of angles next to
// each other (in the order of alpha) that have a value, so that an angle
// without one (not converged, failed, not yet done) leaves a gap instead of
// being bridged. A piece of one point is drawn as a dot.
struct PolarCurve {
    std::string label;
    bool viscous = true;  // XFOIL's, else the exact inviscid polar's
    std::vector<std::vector<ChartPoint>> pieces;
};

struct PolarChart {
    std::string title;
    std::string across;  // the quantities on the axes
    std::string up;
    ChartAxis x;
    ChartAxis y;
    std::vector<PolarCurve> curves;
};

// The viscous section's charts, in reading order: Cl against alpha (the exact
// inviscid polar and XFOIL's), Cl against Cd (the drag polar), Cm against
// alpha and the transition x/c of either surface against alpha. Both polars
// hold the same angles in the same order (the exact one may be empty). Each
// axis spans what its chart shows, rounded as roundedAxis rounds (with finer
// steps, down to 1e-6) and a little wider: the angle axes every angle, the
// transition axis 0 to 1, the others a typical range until XFOIL's first value.
std::array<PolarChart, 4> polarCharts(const std::vector<PolarRow>& exact, const ViscousPolar& viscous);

// One line under the charts: how many angles converged and the summary of
// the batch's columns ("21 of 21 angles converged; Cl max 1.1895 at 12°, Cd
// min 0.00532, Cl/Cd max 110.4 at 4°"), or why none did.
std::string polarSummaryText(const ViscousPolar& viscous, std::string_view decimalSeparator = ".");

}  // namespace folix
