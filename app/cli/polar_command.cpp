#include "polar_command.h"

#include <optional>
#include <stdexcept>

#include "design_report.h"
#include "engine/arithmetic_error.h"
#include "engine/section_polar.h"
#include "interruption.h"
#include "json_text.h"
#include "progress_line.h"
#include "design/design_status.h"
#include "design/reported_design.h"
#include "viscous/polar_summary.h"
#include "viscous/polar_table.h"
#include "viscous/xfoil_program.h"

namespace folix {

namespace {

template <typename Row, typename Column>
std::string jsonArray(const std::vector<Row>& rows, Column column)
{
    std::string text = "[";
    for (std::size_t i = 0; i < rows.size(); ++i) text += (i == 0 ? "" : ", ") + column(rows[i]);
    return text + "]";
}

// XFOIL's value of a converged angle, null for the others.
template <typename Value>
std::string viscousArray(const ViscousPolar& polar, Value value)
{
    return jsonArray(polar.angles, [&](const ViscousAngle& a) {
        return jsonNumber(a.status == ViscousAngle::Status::Converged ? std::optional(value(a)) : std::nullopt);
    });
}

std::string viscousJsonMembers(const ViscousOptions& options, const ViscousPolar& polar)
{
    const PolarSummary summary = summarisePolar(polar);
    std::string text;
    const auto member = [&text](const char* name, const std::string& value) {
        text += std::string(",\n  \"") + name + "\": " + value;
    };
    member("viscous", "{\"Re\": " + jsonNumber(options.reynolds) + ", \"Mach\": " + jsonNumber(options.mach) +
                          ", \"Ncrit\": " + jsonNumber(options.ncrit) + ", \"xtr_top\": " + jsonNumber(options.xtrTop) +
                          ", \"xtr_bottom\": " + jsonNumber(options.xtrBottom) +
                          ", \"iterations\": " + std::to_string(options.iterations) +
                          ", \"panel_nodes\": " + std::to_string(options.panelNodes) + "}");
    member("Cd", viscousArray(polar, [](const ViscousAngle& a) { return a.Cd; }));
    member("Cdp", viscousArray(polar, [](const ViscousAngle& a) { return a.Cdp; }));
    member("Cm_visc", viscousArray(polar, [](const ViscousAngle& a) { return a.Cm; }));
    member("Cl_visc", viscousArray(polar, [](const ViscousAngle& a) { return a.Cl; }));
    member("xtr_top", viscousArray(polar, [](const ViscousAngle& a) { return a.xtrTop; }));
    member("xtr_bottom", viscousArray(polar, [](const ViscousAngle& a) { return a.xtrBottom; }));
    member("status", jsonArray(polar.angles, [](const ViscousAngle& a) { return jsonString(statusText(a)); }));
    member("summary", "{\"Cl_max\": " + jsonNumber(summary.ClMax) + ", \"alpha_Cl_max\": " +
                          jsonNumber(summary.alphaClMax) + ", \"Cd_min\": " + jsonNumber(summary.CdMin) +
                          ", \"Cl_Cd_max\": " + jsonNumber(summary.ClCdMax) +
                          ", \"alpha_Cl_Cd_max\": " + jsonNumber(summary.alphaClCdMax) + "}");
    return text;
}

void writePolarJson(std::ostream& out, const DesignOutcome& outcome, const std::vector<PolarRow>& polar,
                    const std::string& viscousMembers)
{
    const auto column = [&polar](double PolarRow::*value) {
        return jsonArray(polar, [value](const PolarRow& r) { return jsonNumber(r.*value); });
    };
    out << "{\n"
        << "  \"family\": " << jsonString(outcome.record.family) << ",\n"
        << "  \"F\": " << jsonNumber(outcome.record.F) << ",\n"
        << "  \"G\": " << jsonNumber(outcome.record.G) << ",\n"
        << "  \"m\": " << jsonNumber(outcome.record.m) << ",\n"
        << "  \"converged\": " << (converged(outcome) ? "true" : "false") << ",\n"
        << "  \"Cp_min_over\": "
        << jsonString(hasFiniteSurfaceSpeed(outcome.record.F, outcome.record.m) ? "surface" : "points")
        << ",\n"
        << "  \"alpha\": " << column(&PolarRow::alpha) << ",\n"
        << "  \"Cl\": " << column(&PolarRow::Cl) << ",\n"
        << "  \"Cm\": " << column(&PolarRow::Cm) << ",\n"
        << "  \"Cp_min\": " << column(&PolarRow::CpMin) << ",\n"
        << "  \"x_Cp_min\": " << column(&PolarRow::xCpMin) << viscousMembers << "\n"
        << "}\n";
}

// XFOIL's polar beside the exact one; the exit status.
int runViscousPolar(const PolarRequest& request, const DesignOutcome& outcome, std::vector<PolarRow> exact,
                    std::ostream& out, std::ostream& err, bool errIsTerminal)
{
    if (outcome.surfacesCrossFrom) {
        err << "error: " << crossingText(outcome) << ": " << kCrossingPolarRefusal << "\n";
        return 1;
    }
    ViscousOptions options = *request.viscous;
    try {
        options.xfoil = findXfoil(options.xfoil).program;
    } catch (const XfoilUnavailable& e) {
        err << "error: " << e.what() << '\n';
        return 1;
    }
    // Ctrl+C kills XFOIL at once; the angles not done fail as cancelled.
    const InterruptionCatcher catcher;
    std::optional<ProgressLine> progress;
    if (errIsTerminal) progress.emplace(err, request.alphas.size(), "angles");
    std::size_t done = 0;
    PolarControl control;
    control.cancel = &interruptionFlag();
    control.angleDone = [&](std::size_t, const ViscousAngle&) {
        if (progress) progress->update(++done);
    };
    const MappedSection section = outcome.record.section();
    SectionPolars polars{std::move(exact), {}};
    try {
        polars.viscous = viscousPolar(polarContour(section), seligName(section), request.alphas, options, control);
    } catch (const std::invalid_argument& e) {
        err << "error: " << e.what() << '\n';
        return 1;
    } catch (const XfoilUnavailable& e) {  // gone since it was found
        err << "error: " << e.what() << '\n';
        return 1;
    } catch (const ArithmeticError& e) {
        err << "error: coordinates: " << e.what() << '\n';
        return 1;
    }
    if (progress) progress->clear();

    if (request.json) writePolarJson(out, outcome, polars.exact, viscousJsonMembers(options, polars.viscous));
    else out << polarTableText(polars);
    if (interrupted()) {
        err << "folix: interrupted: the angles not done are marked failed: cancelled\n";
        return interruptedExitStatus();
    }
    const PolarSummary summary = summarisePolar(polars.viscous);
    if (summary.converged == 0) {
        err << "error: no angle converged: " << polarStatusText(polars.viscous) << '\n';
        return 1;
    }
    if (summary.converged < summary.angles)
        err << "folix: warning: " << summary.converged << " of " << summary.angles
            << " angles converged; the status column tells what became of the others\n";
    return 0;
}

}  // namespace

int runPolarCommand(const PolarRequest& request, std::ostream& out, std::ostream& err, bool errIsTerminal)
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
    if (request.viscous) return runViscousPolar(request, outcome, std::move(polar), out, err, errIsTerminal);
    if (request.json) writePolarJson(out, outcome, polar, "");
    else out << polarCsvText(polar);
    return 0;
}

}  // namespace folix
