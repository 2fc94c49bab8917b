#include "section_flow.h"

#include <array>
#include <charconv>
#include <cmath>

#include "engine/arithmetic_error.h"
#include "engine/number_text.h"
#include "engine/section_analysis.h"

namespace folix {

namespace {

constexpr int kCoefficientDecimals = 4;
const double kTrailingEdgeAngle = 4 * std::atan(1.0);

// The two points where a designed section's flow can have no finite speed.
std::string singularPoint(const DesignState& design, const ArithmeticError& e)
{
    if (e.kind() != ErrorKind::DivisionByZero) return "";
    if (design.EM > 2) return " (m > 2: the trailing edge is re-entrant and the flow speed there unbounded)";
    if (design.F == 0) return " (F = 0: the leading edge of a section without thickness is a singular point)";
    return "";
}

}  // namespace

FlowOutcome analyseFlow(const DesignState& design, double alpha, std::optional<int> points)
{
    FlowOutcome outcome;
    outcome.alpha = alpha;
    try {
        const std::vector<double> angles = points ? seligPointAngles(*points) : std::vector<double>{kTrailingEdgeAngle};
        const SectionAnalysis analysis(design.F, design.G, design.EM, angles);
        SectionLoads loads = analysis.loads(alpha);
        SectionFlow flow;
        flow.Cl = loads.Cl;
        flow.Cm = loads.Cm;
        flow.zeroLiftAngle = analysis.zeroLiftAngle();
        if (points) {
            flow.points.reserve(analysis.surface().size());
            for (const SurfacePoint& p : analysis.surface()) flow.points.push_back({p.x, p.y});
            flow.Cp = std::move(loads.Cp);
        }
        outcome.flow = std::move(flow);
    } catch (const ArithmeticError& e) {
        outcome.error = std::string("analysis: ") + e.what() + singularPoint(design, e);
    }
    return outcome;
}

std::string coefficientText(double value)
{
    std::array<char, 400> buffer{};
    const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed,
                                   kCoefficientDecimals).ptr;
    std::string text(buffer.data(), end);
    if (text.front() == '-' && text.find_first_not_of("-0.") == std::string::npos) text.erase(0, 1);
    return text;
}

std::string pressureFileText(const DesignState& design, double alpha, const SectionFlow& flow)
{
    return seligPressureText(seligName(design) + "  alpha=" + displayText(alpha), flow.points, flow.Cp);
}

}  // namespace folix
