#include "section_polar.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <stdexcept>

#include "number_text.h"
#include "real.h"
#include "section_analysis.h"

namespace folix {

namespace {

// The circle angles sampled for a continuous minimum: fine enough that the
// sharpest suction peak has several samples, odd so that the leading edge is one.
constexpr int kSamples = 2049;
// Where the golden-section search stops: Cp varies with the square of the
// angle's error there, far below the last digit of Cp.
constexpr double kAngleTolerance = 1e-9;
// A billionth of a step: an end on the grid is reached despite rounding.
constexpr double kEndTolerance = 1e-9;

struct SurfaceCp {
    double Cp = 0;
    double x = 0;
};

SurfaceCp pressureAt(double F, double G, double EM, double theta, double alpha)
{
    const SectionAnalysis point(F, G, EM, {theta});
    return {point.pressureCoefficients(alpha).front(), point.surface().front().x};
}

// The lowest Cp between the circle angles a < b, by golden section.
SurfaceCp lowestBetween(double F, double G, double EM, double alpha, Real a, Real b)
{
    const Real ratio = (sqrt(Real(5)) - 1) / 2;
    Real c = b - ratio * (b - a);
    Real d = a + ratio * (b - a);
    SurfaceCp atC = pressureAt(F, G, EM, c.value(), alpha);
    SurfaceCp atD = pressureAt(F, G, EM, d.value(), alpha);
    while (b - a > kAngleTolerance) {
        if (atC.Cp <= atD.Cp) {
            b = d;
            d = c;
            atD = atC;
            c = b - ratio * (b - a);
            atC = pressureAt(F, G, EM, c.value(), alpha);
        } else {
            a = c;
            c = d;
            atC = atD;
            d = a + ratio * (b - a);
            atD = pressureAt(F, G, EM, d.value(), alpha);
        }
    }
    return atC.Cp <= atD.Cp ? atC : atD;
}

std::size_t lowestIndex(const std::vector<double>& Cp)
{
    return static_cast<std::size_t>(std::min_element(Cp.begin(), Cp.end()) - Cp.begin());
}

// The coordinate file's angles at which the flow has a finite speed.
std::vector<double> finiteSpeedAngles(double F, double G, double EM, int points)
{
    std::vector<double> finite;
    std::optional<ArithmeticError> failure;
    for (const double theta : seligPointAngles(points)) {
        try {
            const SectionAnalysis point(F, G, EM, {theta});
            finite.push_back(theta);
        } catch (const ArithmeticError& e) {
            failure = e;
        }
    }
    if (finite.empty() && failure) throw *failure;
    return finite;
}

}  // namespace

std::vector<double> polarAngles(double from, double to, double step)
{
    if (!std::isfinite(from) || !std::isfinite(to) || !std::isfinite(step))
        throw std::invalid_argument("the angles of attack must be finite numbers");
    if (!(step > 0)) throw std::invalid_argument("the step of the angles of attack must be greater than 0");
    if (from > to) throw std::invalid_argument("the first angle of attack is above the last");
    const std::invalid_argument tooMany("the angles of attack are more than " + std::to_string(kMostPolarAngles));
    double steps = 0;
    try {
        steps = ((Real(to) - from) / step).value();
    } catch (const ArithmeticError&) {
        throw tooMany;  // beyond the double range
    }
    if (!(steps + kEndTolerance < static_cast<double>(kMostPolarAngles))) throw tooMany;
    const auto last = static_cast<std::size_t>(std::floor(steps + kEndTolerance));
    std::vector<double> angles;
    angles.reserve(last + 1);
    for (std::size_t k = 0; k <= last; ++k) angles.push_back((Real(from) + Real(static_cast<double>(k)) * step).value());
    return angles;
}

bool hasFiniteSurfaceSpeed(double F, double EM)
{
    return EM <= 2 && F > 0;
}

PolarSection::PolarSection(double F, double G, double EM, int points)
    : F_(F),
      G_(G),
      EM_(EM),
      continuous_(hasFiniteSurfaceSpeed(F, EM)),
      // Descending from pi to -pi: sample k lies between the angles of k + 1 and k - 1.
      analysis_(F, G, EM, continuous_ ? seligCircleAngles(kSamples) : finiteSpeedAngles(F, G, EM, points))
{
}

PolarRow PolarSection::row(double alpha) const
{
    const std::vector<SurfacePoint>& surface = analysis_.surface();
    const std::vector<double> Cp = analysis_.pressureCoefficients(alpha);
    const std::size_t k = lowestIndex(Cp);
    SurfaceCp lowest{Cp[k], surface[k].x};
    if (continuous_) {
        const double a = surface[std::min(k + 1, surface.size() - 1)].theta;
        const double b = surface[k == 0 ? 0 : k - 1].theta;
        const SurfaceCp refined = lowestBetween(F_, G_, EM_, alpha, a, b);
        if (refined.Cp < lowest.Cp) lowest = refined;
    }
    return {alpha, analysis_.liftCoefficient(alpha), analysis_.momentCoefficient(alpha), lowest.Cp, lowest.x};
}

std::vector<PolarRow> sectionPolar(double F, double G, double EM, const std::vector<double>& alphas, int points)
{
    const PolarSection section(F, G, EM, points);
    std::vector<PolarRow> polar;
    polar.reserve(alphas.size());
    for (const double alpha : alphas) polar.push_back(section.row(alpha));
    return polar;
}

std::string polarCsvText(const std::vector<PolarRow>& polar)
{
    std::string text = "alpha,Cl,Cm,Cp_min,x_Cp_min\n";
    for (const PolarRow& row : polar)
        text += formatGeneral(row.alpha) + ',' + formatGeneral(row.Cl) + ',' + formatGeneral(row.Cm) + ',' +
                formatGeneral(row.CpMin) + ',' + formatGeneral(row.xCpMin) + '\n';
    return text;
}

}  // namespace folix
