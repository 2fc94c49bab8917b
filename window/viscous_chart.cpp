#include "viscous_chart.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "engine/number_text.h"
#include "engine/real.h"
#include "viscous/polar_summary.h"

namespace folix {

namespace {

constexpr double kFinestDecade = 1e-6;  // below XFOIL's last written digit

// As roundedAxis, but with steps down to kFinestDecade for drag and moment
// coefficients, and a little room beyond the end ticks.
ChartAxis polarAxis(double low, double high) { return withMargins(roundedAxis(low, high, kFinestDecade)); }

// A quantity of a converged angle.
using Quantity = double (*)(const ViscousAngle&);

double liftOf(const ViscousAngle& a) { return a.Cl; }
double dragOf(const ViscousAngle& a) { return a.Cd; }
double momentOf(const ViscousAngle& a) { return a.Cm; }
double upperTransitionOf(const ViscousAngle& a) { return a.xtrTop; }
double lowerTransitionOf(const ViscousAngle& a) { return a.xtrBottom; }
double alphaOf(const ViscousAngle& a) { return a.alpha; }

// XFOIL's curve of y against x over the angles in the order of alpha.
PolarCurve viscousCurve(const std::string& label, const ViscousPolar& polar, const std::vector<std::size_t>& order,
                        Quantity x, Quantity y)
{
    PolarCurve curve{label, true, {}};
    bool open = false;
    for (const std::size_t i : order) {
        const ViscousAngle& angle = polar.angles[i];
        if (angle.status != ViscousAngle::Status::Converged) {
            open = false;
            continue;
        }
        if (!open) curve.pieces.emplace_back();
        curve.pieces.back().push_back({x(angle), y(angle)});
        open = true;
    }
    return curve;
}

// The range a chart's axis spans, at least from low to high.
struct Span {
    double low = 0;
    double high = 1;
    bool always = false;  // else only while no value is known
};

ChartAxis axisOver(const std::vector<PolarCurve>& curves, double ChartPoint::*value, Span span)
{
    double low = span.low;
    double high = span.high;
    bool any = span.always;
    for (const PolarCurve& curve : curves)
        for (const auto& piece : curve.pieces)
            for (const ChartPoint& p : piece) {
                low = any ? std::min(low, p.*value) : p.*value;
                high = any ? std::max(high, p.*value) : p.*value;
                any = true;
            }
    return polarAxis(low, high);
}

PolarChart chart(std::string title, std::string across, std::string up, std::vector<PolarCurve> curves, Span x,
                 Span y)
{
    PolarChart made{std::move(title), std::move(across), std::move(up), {}, {}, std::move(curves)};
    made.x = axisOver(made.curves, &ChartPoint::x, x);
    made.y = axisOver(made.curves, &ChartPoint::y, y);
    return made;
}

}  // namespace

std::array<PolarChart, 4> polarCharts(const std::vector<PolarRow>& exact, const ViscousPolar& viscous)
{
    std::vector<std::size_t> order(viscous.angles.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return viscous.angles[a].alpha < viscous.angles[b].alpha; });
    double first = 0;
    double last = 1;
    if (!order.empty()) {
        first = viscous.angles[order.front()].alpha;
        last = viscous.angles[order.back()].alpha;
    }

    PolarCurve inviscid{"exact inviscid", false, {{}}};
    for (const std::size_t i : order)
        if (i < exact.size()) inviscid.pieces.front().push_back({exact[i].alpha, exact[i].Cl});
    if (inviscid.pieces.front().empty()) inviscid.pieces.clear();

    std::vector<PolarCurve> lift = {inviscid, viscousCurve("XFOIL", viscous, order, alphaOf, liftOf)};
    std::vector<PolarCurve> drag = {viscousCurve("XFOIL", viscous, order, dragOf, liftOf)};
    std::vector<PolarCurve> moment = {viscousCurve("XFOIL", viscous, order, alphaOf, momentOf)};
    std::vector<PolarCurve> transition = {viscousCurve("upper surface", viscous, order, alphaOf, upperTransitionOf),
                                          viscousCurve("lower surface", viscous, order, alphaOf, lowerTransitionOf)};
    // Every angle asked for has its place, so that gaps at either end show;
    // until a value is known the other axes show a typical range.
    const Span angles{first, last, true};
    const Span coefficient{-0.1, 0.1};
    return {chart("Lift", "\u03b1 (\u00b0)", "Cl", std::move(lift), angles, coefficient),
            chart("Drag polar", "Cd", "Cl", std::move(drag), {0, 0.02}, coefficient),
            chart("Moment", "\u03b1 (\u00b0)", "Cm", std::move(moment), angles, coefficient),
            chart("Transition", "\u03b1 (\u00b0)", "x/c", std::move(transition), angles, {0, 1, true})};
}

std::string polarSummaryText(const ViscousPolar& viscous, std::string_view separator)
{
    const PolarSummary s = summarisePolar(viscous);
    if (s.converged == 0) return "No angle converged: " + polarStatusText(viscous) + ".";
    const auto number = [separator](double value) { return formatGeneral(value, separator); };
    const auto degrees = [&number](double alpha) { return number(alpha) + "\u00b0"; };
    return std::to_string(s.converged) + " of " + std::to_string(s.angles) + " angles converged; Cl max " +
           number(*s.ClMax) + " at " + degrees(*s.alphaClMax) + ", Cd min " + number(*s.CdMin) + ", Cl/Cd max " +
           fixedText(*s.ClCdMax, 1, separator) + " at " + degrees(*s.alphaClCdMax) + ".";
}

}  // namespace folix
