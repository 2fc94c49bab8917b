#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engine/design_state.h"
#include "engine/selig_export.h"

namespace folix {

// The exact inviscid flow past a designed section at one angle of attack, on
// the points of its coordinate file.
struct SectionFlow {
    double Cl = 0;
    double Cm = 0;
    double zeroLiftAngle = 0;          // degrees
    std::vector<SectionPoint> points;  // the coordinate file's points, bit for bit; none for the loads alone
    std::vector<double> Cp;            // one per point
};

// The flow asked for with an angle of attack: none when the design failed or
// the flow has no finite value, and then, for the latter, why.
struct FlowOutcome {
    double alpha = 0;  // degrees
    std::optional<SectionFlow> flow;
    std::optional<std::string> error;
};

// Analyses the section F, G, EM of the design at alpha (degrees, any finite
// value) with the window's SectionAnalysis: over the `points` points of its
// coordinate file (a valid Selig count, seligPointAngles), or, for the loads
// alone, over the trailing edge, where the Kutta condition decides whether the
// flow exists at all.
FlowOutcome analyseFlow(const DesignState& design, double alpha, std::optional<int> points);

// Cl or Cm as printed: four decimals, no sign on a value that rounds to zero.
std::string coefficientText(double value);

// The pressure file of a flow: the coordinate file's name line with the angle
// of attack, then " x  y  Cp" per point.
std::string pressureFileText(const DesignState& design, double alpha, const SectionFlow& flow);

}  // namespace folix
