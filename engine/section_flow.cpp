#include "section_flow.h"

#include <array>
#include <charconv>

#include "engine/arithmetic_error.h"
#include "engine/number_text.h"
#include "engine/section_analysis.h"

namespace folix {

namespace {

// The two points where a designed section's flow can have no finite speed.
std::string singularPoint(const MappedSection& section, const ArithmeticError& e)
{
    if (e.kind() != ErrorKind::DivisionByZero) return "";
    if (section.EM > 2) return " (m > 2: the trailing edge is re-entrant and the flow speed there unbounded)";
    if (section.F == 0) return " (F = 0: the leading edge of a section without thickness is a singular point)";
    return "";
}

}  // namespace

FlowOutcome analyseFlow(const MappedSection& section, double alpha, std::optional<int> points)
{
    FlowOutcome outcome;
    outcome.alpha = alpha;
    try {
        // Cl and Cm are closed forms of the circulation: no surface point needed.
        const SectionAnalysis circulation(section.F, section.G, section.EM, {});
        outcome.flow = SectionFlow{circulation.liftCoefficient(alpha), circulation.momentCoefficient(alpha),
                                   circulation.zeroLiftAngle(), {}, {}};
        if (points) {
            const SectionAnalysis surface(section.F, section.G, section.EM, seligPointAngles(*points));
            std::vector<double> Cp = surface.pressureCoefficients(alpha);
            outcome.flow->points.reserve(surface.surface().size());
            for (const SurfacePoint& p : surface.surface()) outcome.flow->points.push_back({p.x, p.y});
            outcome.flow->Cp = std::move(Cp);
        }
    } catch (const ArithmeticError& e) {
        outcome.error = std::string("analysis: ") + e.what() + singularPoint(section, e);
        outcome.errorKind = e.kind();
    }
    return outcome;
}

std::string pressureFileText(const MappedSection& section, double alpha, const SectionFlow& flow)
{
    return seligPressureText(seligName(section) + "  alpha=" + displayText(alpha), flow.points, flow.Cp);
}

}  // namespace folix
