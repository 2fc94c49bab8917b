#include "section_flow.h"

#include <array>
#include <charconv>

#include "engine/arithmetic_error.h"
#include "engine/number_text.h"
#include "engine/section_analysis.h"

namespace folix {

namespace {

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
        // Cl and Cm are closed forms of the circulation: no surface point needed.
        const SectionAnalysis circulation(design.F, design.G, design.EM, {});
        outcome.flow = SectionFlow{circulation.liftCoefficient(alpha), circulation.momentCoefficient(alpha),
                                   circulation.zeroLiftAngle(), {}, {}};
        if (points) {
            const SectionAnalysis surface(design.F, design.G, design.EM, seligPointAngles(*points));
            std::vector<double> Cp = surface.pressureCoefficients(alpha);
            outcome.flow->points.reserve(surface.surface().size());
            for (const SurfacePoint& p : surface.surface()) outcome.flow->points.push_back({p.x, p.y});
            outcome.flow->Cp = std::move(Cp);
        }
    } catch (const ArithmeticError& e) {
        outcome.error = std::string("analysis: ") + e.what() + singularPoint(design, e);
        outcome.errorKind = e.kind();
    }
    return outcome;
}

std::string pressureFileText(const DesignState& design, double alpha, const SectionFlow& flow)
{
    return seligPressureText(seligName(design) + "  alpha=" + displayText(alpha), flow.points, flow.Cp);
}

}  // namespace folix
