#include "lens_limit.h"

#include "real.h"
#include "section_measurement.h"

namespace folix {

namespace {

constexpr int kMostCamberSteps = 20;
constexpr double kCamberTolerance = 1e-8;

// The lens of circle offset G at exponent EM; none when its measurement stops at the table limit.
std::optional<SectionMeasure> measureLens(double G, double EM)
{
    const SectionMeasure lens = measureSection(0, G, EM);
    if (!lens.XDMAXC) return std::nullopt;
    return lens;
}

}  // namespace

std::optional<double> lensThickness(double EM, double Gamma)
{
    if (!(EM < 2) || Gamma < 0) return std::nullopt;
    try {
        if (Gamma == 0) {
            const auto lens = measureLens(0, EM);
            return lens ? std::optional(lens->DMAX) : std::nullopt;
        }
        // The lens's camber grows with G about as G/2: secant steps from there.
        double G1 = (2 * Real(Gamma)).value();
        auto lens1 = measureLens(G1, EM);
        double G2 = (Real(G1) * 1.1).value();
        auto lens2 = measureLens(G2, EM);
        for (int step = 0; lens1 && lens2 && step < kMostCamberSteps; ++step) {
            if (abs(Real(lens2->GMAX) - Gamma) <= kCamberTolerance) return lens2->DMAX;
            const Real slope = (Real(lens2->GMAX) - lens1->GMAX) / (Real(G2) - G1);
            const Real G3 = Real(G2) + (Real(Gamma) - lens2->GMAX) / slope;
            if (!(G3 > 0)) return std::nullopt;
            G1 = G2;
            lens1 = lens2;
            G2 = G3.value();
            lens2 = measureLens(G2, EM);
        }
    } catch (const ArithmeticError&) {
    }
    return std::nullopt;
}

}  // namespace folix
