#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engine/arithmetic_error.h"
#include "engine/mapped_section.h"
#include "engine/selig_export.h"

namespace folix {

// The exact inviscid flow past a designed section at one angle of attack.
struct SectionFlow {
    double Cl = 0;
    double Cm = 0;
    double zeroLiftAngle = 0;          // degrees
    std::vector<SectionPoint> points;  // the coordinate file's points, bit for bit, when asked for
    std::vector<double> Cp;            // one per point
};

// The flow asked for with an angle of attack: none when the design failed.
// An error when the flow has no finite value at a point asked for; the loads
// are still there then.
struct FlowOutcome {
    double alpha = 0;  // degrees
    std::optional<SectionFlow> flow;
    std::optional<std::string> error;
    ErrorKind errorKind = ErrorKind::DivisionByZero;  // the arithmetic error behind `error`
};

// Analyses the section F, G, EM of the design at alpha (degrees, any finite
// value) with the window's SectionAnalysis: Cl, Cm and the zero-lift angle
// from the circulation, and with `points` (a valid Selig count) also Cp at the
// points of the coordinate file (seligPointAngles). A re-entrant trailing edge
// (m > 2) or the leading edge of a section without thickness (F = 0) has no
// finite Cp.
FlowOutcome analyseFlow(const MappedSection& section, double alpha, std::optional<int> points);

// The pressure file of a flow: the coordinate file's name line with the angle
// of attack, then " x  y  Cp" per point.
std::string pressureFileText(const MappedSection& section, double alpha, const SectionFlow& flow);

}  // namespace folix
