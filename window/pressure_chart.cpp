#include "pressure_chart.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <stdexcept>
#include <utility>

#include "engine/real.h"

namespace folix {

namespace {

constexpr int kMostSteps = 6;
constexpr double kChordStep = 0.2;  // five steps from 0 to 1
constexpr double kMargin = 0.03;    // share of an axis left free at either end

// The ticks first * step, (first + 1) * step, ... last * step: each tick is an
// exact multiple of the step, so zero is exactly 0.
std::vector<double> ticksOf(long first, long last, Real step)
{
    std::vector<double> ticks;
    for (long k = first; k <= last; ++k) ticks.push_back((Real(static_cast<double>(k)) * step).value());
    return ticks;
}

long stepsBelow(Real value, Real step)
{
    return std::lround(std::floor((value / step).value()));
}

long stepsAbove(Real value, Real step)
{
    return std::lround(std::ceil((value / step).value()));
}

}  // namespace

std::vector<double> pressureCircleAngles(double F, double EM)
{
    std::vector<double> angles = seligCircleAngles(kPressurePoints);
    if (EM > 2) {
        angles.pop_back();
        angles.erase(angles.begin());
    }
    if (!(F > 0)) angles.erase(std::find(angles.begin(), angles.end(), 0.0));
    return angles;
}

ChartAxis roundedAxis(double low, double high, double finestDecade)
{
    if (!(low <= high)) throw std::invalid_argument("axis range runs backwards");
    static constexpr std::array<double, 4> kMantissas = {1, 2, 2.5, 5};
    const Real bottom = checked(low);
    const Real top = checked(high);
    Real decade = finestDecade;
    for (;;) {
        for (const double mantissa : kMantissas) {
            const Real step = mantissa * decade;
            const long first = stepsBelow(bottom, step);
            const long last = std::max(stepsAbove(top, step), first + 1);  // a single value still gets room
            if (last - first <= kMostSteps) {
                std::vector<double> ticks = ticksOf(first, last, step);
                return {ticks.front(), ticks.back(), std::move(ticks)};
            }
        }
        decade = decade * 10;
    }
}

SectionChart sectionChart(const std::vector<SurfacePoint>& surface)
{
    SectionChart chart;
    Real left = 0;
    Real right = 1;
    Real lowest = 0;
    Real highest = 0;
    for (const SurfacePoint& p : surface) {
        chart.outline.push_back({p.x, p.y});
        left = std::min(left, Real(p.x));
        right = std::max(right, Real(p.x));
        lowest = std::min(lowest, Real(p.y));
        highest = std::max(highest, Real(p.y));
    }
    chart.chord = withMargins({left.value(), right.value(), ticksOf(0, 5, kChordStep)});
    chart.lowest = lowest.value();
    chart.highest = highest.value();
    return chart;
}

PressureCurves pressureCurves(const std::vector<SurfacePoint>& surface, const std::vector<double>& Cp)
{
    if (Cp.size() != surface.size()) throw std::invalid_argument("one pressure coefficient per surface point");
    PressureCurves curves;
    Real least = 0;
    Real most = 0;
    for (std::size_t i = 0; i < surface.size(); ++i) {
        const Real suction = -Real(Cp[i]);
        const ChartPoint point{surface[i].x, suction.value()};
        if (surface[i].theta >= 0) curves.upper.push_back(point);
        if (surface[i].theta <= 0) curves.lower.push_back(point);
        least = std::min(least, suction);
        most = std::max(most, suction);
    }
    curves.suction = withMargins(roundedAxis(least.value(), most.value()));
    return curves;
}

ChartAxis sharedSuctionAxis(const PressureCurves& shown, const std::vector<PressureCurves>& others)
{
    double least = 0;
    double most = 0;
    const auto include = [&](const PressureCurves& curves) {
        for (const std::vector<ChartPoint>* side : {&curves.upper, &curves.lower})
            for (const ChartPoint& point : *side) {
                least = std::min(least, point.y);
                most = std::max(most, point.y);
            }
    };
    include(shown);
    for (const PressureCurves& curves : others) include(curves);
    return withMargins(roundedAxis(least, most));
}

PointedValues nearestPoints(const PressureCurves& curves, double x)
{
    if (curves.upper.empty() || curves.lower.empty()) throw std::invalid_argument("a curve without points");
    const auto nearest = [x](const std::vector<ChartPoint>& curve) {
        return *std::min_element(curve.begin(), curve.end(), [x](const ChartPoint& p, const ChartPoint& q) {
            return std::abs(p.x - x) < std::abs(q.x - x);
        });
    };
    return {nearest(curves.upper), nearest(curves.lower)};
}

std::string pointedText(const PointedValues& pointed, std::string_view decimalSeparator)
{
    const auto reading = [decimalSeparator](const char* surface, const ChartPoint& p) {
        return std::string(surface) + ": x/c = " + coefficientText(p.x, decimalSeparator) +
               "  Cp = " + coefficientText(-p.y, decimalSeparator);
    };
    return reading("Upper surface", pointed.upper) + "     " + reading("Lower surface", pointed.lower);
}

namespace {

// The shortest text that reads back as the same double; a negative zero is written as 0.
std::string exactText(double value)
{
    std::array<char, 32> buffer{};
    const double positiveZero = value == 0 ? 0.0 : value;
    const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), positiveZero).ptr;
    return std::string(buffer.data(), end);
}

void appendRow(std::string& table, const char* surface, const SurfacePoint& p, double Cp)
{
    table += std::string(surface) + "," + exactText(p.x) + "," + exactText(p.y) + "," + exactText(Cp) + "\n";
}

}  // namespace

std::string pressureTableText(const std::vector<SurfacePoint>& surface, const std::vector<double>& Cp)
{
    if (Cp.size() != surface.size()) throw std::invalid_argument("one pressure coefficient per surface point");
    std::string table = "surface,x,y,Cp\n";
    for (std::size_t i = 0; i < surface.size(); ++i)
        if (surface[i].theta >= 0) appendRow(table, "upper", surface[i], Cp[i]);
    for (std::size_t i = 0; i < surface.size(); ++i)
        if (surface[i].theta <= 0) appendRow(table, "lower", surface[i], Cp[i]);
    return table;
}

ChartAxis withMargins(ChartAxis axis)
{
    const Real margin = (Real(axis.high) - axis.low) * kMargin;
    axis.low = (axis.low - margin).value();
    axis.high = (axis.high + margin).value();
    return axis;
}

}  // namespace folix
