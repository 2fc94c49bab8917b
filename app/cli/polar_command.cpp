#include "polar_command.h"

#include "design_report.h"
#include "engine/arithmetic_error.h"
#include "engine/section_polar.h"
#include "json_text.h"
#include "design/design_status.h"
#include "design/reported_design.h"

namespace folix {

namespace {

template <typename Column>
std::string jsonArray(const std::vector<PolarRow>& polar, Column column)
{
    std::string text = "[";
    for (std::size_t i = 0; i < polar.size(); ++i) text += (i == 0 ? "" : ", ") + jsonNumber(column(polar[i]));
    return text + "]";
}

void writePolarJson(std::ostream& out, const DesignOutcome& outcome, const std::vector<PolarRow>& polar)
{
    out << "{\n"
        << "  \"family\": " << jsonString(outcome.record.family) << ",\n"
        << "  \"F\": " << jsonNumber(outcome.record.F) << ",\n"
        << "  \"G\": " << jsonNumber(outcome.record.G) << ",\n"
        << "  \"m\": " << jsonNumber(outcome.record.m) << ",\n"
        << "  \"converged\": " << (converged(outcome) ? "true" : "false") << ",\n"
        << "  \"Cp_min_over\": "
        << jsonString(hasFiniteSurfaceSpeed(outcome.record.F, outcome.record.m) ? "surface" : "points")
        << ",\n"
        << "  \"alpha\": " << jsonArray(polar, [](const PolarRow& r) { return r.alpha; }) << ",\n"
        << "  \"Cl\": " << jsonArray(polar, [](const PolarRow& r) { return r.Cl; }) << ",\n"
        << "  \"Cm\": " << jsonArray(polar, [](const PolarRow& r) { return r.Cm; }) << ",\n"
        << "  \"Cp_min\": " << jsonArray(polar, [](const PolarRow& r) { return r.CpMin; }) << ",\n"
        << "  \"x_Cp_min\": " << jsonArray(polar, [](const PolarRow& r) { return r.xCpMin; }) << "\n"
        << "}\n";
}

}  // namespace

int runPolarCommand(const PolarRequest& request, std::ostream& out, std::ostream& err)
{
    const DesignOutcome outcome = reportedDesign(request.inputs);
    if (outcome.error) {
        err << "error: " << outcome.error->reason << '\n';
        return 1;
    }
    if (!converged(outcome)) err << kNotConvergedWarning;
    std::vector<PolarRow> polar;
    try {
        polar = sectionPolar(outcome.record.F, outcome.record.G, outcome.record.m, request.alphas, request.points);
    } catch (const ArithmeticError& e) {
        err << "error: analysis: " << e.what() << '\n';
        return 1;
    }
    if (request.json) writePolarJson(out, outcome, polar);
    else out << polarCsvText(polar);
    return 0;
}

}  // namespace folix
