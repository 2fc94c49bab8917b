#include "design_hint.h"

#include <cmath>

#include "design/safeguarded_solve.h"
#include "engine/lens_limit.h"
#include "engine/number_text.h"
#include "engine/real.h"

namespace folix {

namespace {

// The lens of F = 0 has its greatest thickness at mid-chord; thicker sections
// of the same ratios have it further forward.
constexpr double kLensLocation = 0.5;
constexpr double kNoAngleExponent = 2;  // a trailing-edge angle of 0 degrees

class Unshown : public DesignFrontEnd {
public:
    void clearHistory() override {}
    void append(const std::string& /*line*/) override {}
    void showResults(const ResultTexts& /*texts*/) override {}
    void drawSection(const Outline& /*outline*/) override {}
    void solveEnded(bool converged) override { this->converged = converged; }
    bool converged = false;
};

// The location of maximum thickness of the section with a trailing-edge angle
// of 0 degrees and these ratios: the most forward one whose surfaces do not cross.
std::optional<double> locationWithoutAngle(double thickness, double camber)
{
    DesignState state;
    Unshown unshown;
    double EM = kNoAngleExponent;
    double XDMAXC = 0;
    double Delta = thickness;
    double Gamma = camber;
    try {
        solveForFG(state, unshown, EM, XDMAXC, Delta, Gamma, state.F, state.G);
    } catch (const ArithmeticError&) {
        return std::nullopt;
    }
    if (!unshown.converged) return std::nullopt;
    return XDMAXC;
}

double degrees(double radians) { return (Real(radians) * 180 / (4 * atan(1))).value(); }

std::string percentHint(const char* ratio, double typed)
{
    if (typed >= 100) return std::string(ratio) + " is a ratio of the chord, below 1: 0.12 is 12 %";
    return std::string(ratio) + " is a ratio of the chord: " + displayText(typed / 100) + " is " + displayText(typed) +
           " %";
}

std::optional<std::string> thicknessHint(const DesignOutcome& outcome)
{
    const DesignRecord& r = outcome.record;
    const double EM = outcome.solves.front().exponent;
    const std::optional<double> thinnest = lensThickness(EM, r.camber);
    if (thinnest && r.thickness <= *thinnest) {
        std::string hint = "thickness ratio must be more than " + displayText(*thinnest) +
                           " at a trailing-edge angle of " + displayText(degrees(r.teAngleRadians)) + " degrees";
        if (r.camber != 0) hint += " and camber ratio " + displayText(r.camber);
        return hint;
    }
    if (!(EM < 2) && r.thickness <= 0) return "thickness ratio must be more than 0";
    return std::nullopt;
}

std::optional<std::string> locationHint(const DesignRecord& r)
{
    const std::optional<double> forward = locationWithoutAngle(r.thickness, r.camber);
    if (!forward) return std::nullopt;
    const double wanted = r.recordedLocation;
    const std::string from = displayText(*forward);
    const std::string to = displayText(kLensLocation);
    if (wanted < *forward || wanted >= kLensLocation)
        return "max-thickness location " + displayText(wanted) + " is out of reach at thickness ratio " +
               displayText(r.thickness) + " and camber ratio " + displayText(r.camber) +
               ": without crossing surfaces it lies from " + from + " (trailing-edge angle 0) to below " + to;

    // The location moves aft about evenly with the angle, up to the lens's
    // angle, 4 atan(thickness) when symmetric.
    const Real lensAngle = 4 * atan(Real(r.thickness));
    const double start = (lensAngle * (Real(wanted) - *forward) / (kLensLocation - Real(*forward))).value();
    return "max-thickness location " + displayText(wanted) + " is in reach (" + from + " to below " + to +
           ") but the search missed it: start from a trailing-edge angle near " + fixedText(degrees(start), 1) +
           " degrees";
}

}  // namespace

std::optional<std::string> designHint(const DesignInputs& inputs, const DesignOutcome& outcome)
{
    if ((!outcome.error && !outcome.locationSearchGaveUp) || outcome.solves.empty()) return std::nullopt;
    const DesignRecord& r = outcome.record;
    if (r.camber < 0) return "camber ratio must be 0 or more, not " + displayText(r.camber);
    if (r.thickness >= 1) return percentHint("thickness", r.thickness);
    if (r.camber >= 1) return percentHint("camber", r.camber);
    try {
        if (outcome.solves.size() == 1 && outcome.error) return thicknessHint(outcome);
        if (inputs.maxThicknessAt) return locationHint(r);
    } catch (const ArithmeticError&) {
    }
    return std::nullopt;
}

}  // namespace folix
