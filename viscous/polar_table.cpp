#include "polar_table.h"

#include <stdexcept>
#include <string_view>

#include "engine/number_text.h"

namespace folix {

namespace {

// A field as any CSV reader takes it back.
std::string csvQuoted(std::string_view text)
{
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

std::string viscousFields(const ViscousAngle& angle)
{
    if (angle.status != ViscousAngle::Status::Converged) return ",,,,,,";
    std::string fields;
    for (const double value : {angle.Cd, angle.Cdp, angle.Cm, angle.Cl, angle.xtrTop, angle.xtrBottom})
        fields += formatGeneral(value) + ',';
    return fields;
}

}  // namespace

std::string polarTableText(const SectionPolars& polars)
{
    const std::vector<PolarRow>& exact = polars.exact;
    const std::vector<ViscousAngle>& viscous = polars.viscous.angles;
    if (exact.size() != viscous.size())
        throw std::invalid_argument("the polars have different angles");
    // The exact columns exactly as the inviscid table has them.
    const std::string inviscid = polarCsvText(exact);
    std::string text;
    std::size_t row = 0;
    for (std::size_t at = 0, end; (end = inviscid.find('\n', at)) != std::string::npos; at = end + 1, ++row) {
        text.append(inviscid, at, end - at);
        if (row == 0) {
            text += std::string(",") + kViscousColumns + '\n';
            continue;
        }
        const ViscousAngle& angle = viscous[row - 1];
        if (angle.alpha != exact[row - 1].alpha) throw std::invalid_argument("the polars have different angles");
        text += ',' + viscousFields(angle) + csvQuoted(statusText(angle)) + '\n';
    }
    return text;
}

std::vector<SectionPoint> polarContour(const MappedSection& section)
{
    return seligPoints(section.F, section.G, section.EM, kDefaultSeligPoints);
}

SectionPolars sectionPolars(const MappedSection& section, const std::vector<double>& alphas,
                            const ViscousOptions& options, const PolarControl& control, int points)
{
    SectionPolars polars;
    polars.exact = sectionPolar(section.F, section.G, section.EM, alphas, points);
    polars.viscous = viscousPolar(polarContour(section), seligName(section), alphas, options, control);
    return polars;
}

}  // namespace folix
