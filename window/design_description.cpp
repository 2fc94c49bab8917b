#include "design_description.h"

#include "engine/number_text.h"
#include "engine/real.h"
#include "engine/section_analysis.h"

namespace folix {

namespace {

// The typed angle back in degrees, as the results round it: 10, not 9.999999999999998.
std::string degreesText(double radians)
{
    try {
        return displayText((Real(radians) * 180 / (4 * atan(Real(1)))).value());
    } catch (const ArithmeticError&) {
        return "?";
    }
}

}  // namespace

std::string designLabel(const DesignRecord& record, bool locationMode)
{
    std::string label = "\u03b4 " + displayText(record.thickness) + "  \u03b3 " + displayText(record.camber);
    if (locationMode) return label + "  x/c " + displayText(record.recordedLocation);
    return label + "  \u03c4 " + degreesText(record.teAngleRadians) + "\u00b0";
}

std::string designNote(const DesignRecord& record, bool locationMode)
{
    std::string note = "thickness " + displayText(record.thickness) + ", camber " + displayText(record.camber);
    if (locationMode) note += ", max thickness at x/c " + displayText(record.recordedLocation);
    else note += ", trailing-edge angle " + degreesText(record.teAngleRadians) + " deg";
    return note + "; " + record.family + " F " + displayText(record.F) + " G " + displayText(record.G) + " m " +
           displayText(record.m);
}

std::string loadsNote(double alpha, double Cl, double Cm)
{
    return "alpha " + formatGeneral(alpha) + " deg, Cl " + coefficientText(Cl) + ", Cm " + coefficientText(Cm);
}

std::string loadsNoteOf(const MappedSection& section, double alpha)
{
    try {
        const SectionAnalysis flow(section.F, section.G, section.EM, {});
        return loadsNote(alpha, flow.liftCoefficient(alpha), flow.momentCoefficient(alpha));
    } catch (const ArithmeticError&) {
        return {};
    }
}

std::string commentLines(const std::vector<std::string>& notes)
{
    std::string lines;
    for (const std::string& note : notes) lines += "# " + note + "\n";
    return lines;
}

}  // namespace folix
