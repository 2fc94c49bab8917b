#include "design_report.h"

#include "design/design_status.h"
#include "engine/number_text.h"
#include "engine/section_analysis.h"
#include "json_text.h"

namespace folix {

namespace {

std::string jsonText(const std::optional<std::string>& text) { return text ? jsonString(*text) : "null"; }

std::string jsonBool(bool value) { return value ? "true" : "false"; }

}  // namespace

std::string maxThicknessAtText(const DesignOutcome& outcome)
{
    return outcome.maxThicknessAt ? displayText(*outcome.maxThicknessAt) : std::string();
}

void writeResults(std::ostream& out, const DesignOutcome& outcome)
{
    const std::string location = maxThicknessAtText(outcome);
    out << "family: " << outcome.texts.airfoilType << '\n'
        << "F: " << outcome.texts.f << '\n'
        << "G: " << outcome.texts.g << '\n'
        << "m: " << outcome.texts.m << '\n'
        << "max thickness at: " << (location.empty() ? "unknown" : location) << '\n';
}

void writeHint(std::ostream& err, const DesignOutcome& outcome)
{
    if (outcome.hint) err << "hint: " << *outcome.hint << '\n';
}

void writeHistory(std::ostream& out, const DesignOutcome& outcome)
{
    for (const auto& line : outcome.history) out << line << '\n';
}

void writeLoads(std::ostream& out, const SectionFlow& flow)
{
    out << "Cl: " << coefficientText(flow.Cl) << '\n' << "Cm: " << coefficientText(flow.Cm) << '\n';
}

void writeJson(std::ostream& out, const DesignInputs& inputs, const DesignOutcome& outcome, const FlowOutcome* flow,
               std::string_view members)
{
    const bool done = !outcome.error;
    const auto value = [done](double v) { return done ? jsonNumber(v) : "null"; };
    const auto text = [done](const std::string& t) { return done ? jsonString(t) : "null"; };

    out << "{\n";
    out << "  \"mode\": " << jsonString(inputs.maxThicknessAt ? "location" : "angle") << ",\n";
    out << "  \"inputs\": {\"thickness\": " << jsonNumber(inputs.thickness)
        << ", \"camber\": " << jsonNumber(inputs.camber) << ", \"te_angle\": " << jsonNumber(inputs.teAngleDegrees)
        << ", \"max_thickness_at\": " << jsonNumber(inputs.maxThicknessAt) << "},\n";
    out << "  \"family\": " << text(outcome.record.family) << ",\n";
    out << "  \"F\": " << value(outcome.record.F) << ",\n";
    out << "  \"G\": " << value(outcome.record.G) << ",\n";
    out << "  \"m\": " << value(outcome.record.m) << ",\n";
    out << "  \"max_thickness_at\": " << (done ? jsonNumber(outcome.maxThicknessAt) : "null") << ",\n";
    out << "  \"surfaces_cross_from\": " << jsonNumber(outcome.surfacesCrossFrom) << ",\n";
    out << members;
    if (flow) {
        const std::optional<SectionFlow>& found = flow->flow;
        out << "  \"alpha\": " << jsonNumber(flow->alpha) << ",\n";
        out << "  \"Cl\": " << (found ? jsonNumber(found->Cl) : "null") << ",\n";
        out << "  \"Cm\": " << (found ? jsonNumber(found->Cm) : "null") << ",\n";
        out << "  \"zero_lift_angle\": " << (found ? jsonNumber(found->zeroLiftAngle) : "null") << ",\n";
    }
    out << "  \"shown\": ";
    if (done) {
        out << "{\"family\": " << jsonString(outcome.texts.airfoilType) << ", \"F\": " << jsonString(outcome.texts.f)
            << ", \"G\": " << jsonString(outcome.texts.g) << ", \"m\": " << jsonString(outcome.texts.m)
            << ", \"max_thickness_at\": " << jsonString(maxThicknessAtText(outcome)) << "},\n";
    } else {
        out << "null,\n";
    }
    out << "  \"converged\": " << (done ? jsonBool(converged(outcome)) : "null") << ",\n";
    out << "  \"iterations\": [";
    for (std::size_t i = 0; i < outcome.solves.size(); ++i) {
        const SolveRecord& solve = outcome.solves[i];
        // After an error the last solve's outcome counts as unknown, even had it ended.
        const bool known = solve.converged && (done || i + 1 < outcome.solves.size());
        out << (i == 0 ? "\n" : ",\n") << "    {\"m\": " << jsonString(displayText(solve.exponent))
            << ", \"measurements\": " << solve.measurements
            << ", \"converged\": " << (known ? jsonBool(*solve.converged) : "null")
            << ", \"safeguarded\": " << jsonBool(solve.safeguarded) << "}";
    }
    out << (outcome.solves.empty() ? "],\n" : "\n  ],\n");
    out << "  \"location_search_converged\": "
        << (inputs.maxThicknessAt && done ? jsonBool(!outcome.locationSearchGaveUp) : "null") << ",\n";
    out << "  \"history\": [";
    for (std::size_t i = 0; i < outcome.history.size(); ++i)
        out << (i == 0 ? "\n" : ",\n") << "    " << jsonString(outcome.history[i]);
    out << (outcome.history.empty() ? "],\n" : "\n  ],\n");
    const std::optional<std::string> error =
        outcome.error ? std::optional(outcome.error->reason) : flow ? flow->error : std::nullopt;
    out << "  \"error\": " << jsonText(error) << ",\n";
    out << "  \"hint\": " << jsonText(outcome.hint) << "\n";
    out << "}\n";
}

}  // namespace folix
