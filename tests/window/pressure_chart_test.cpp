#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <sstream>
#include <stdexcept>
#include <string>

#include "engine/selig_export.h"
#include "design/design_run.h"
#include "window/drawn_design.h"
#include "window/pressure_chart.h"

namespace folix {
namespace {

// 12 %, 2 %, 10 degrees as the design run finds it.
constexpr double kF = 0.070304405967124839;
constexpr double kG = 0.043769303782416197;
constexpr double kEM = 1.9444444444444444;

class SilentFrontEnd : public DesignFrontEnd {
public:
    void clearHistory() override {}
    void append(const std::string&) override {}
    void showResults(const ResultTexts&) override {}
    void drawSection(const Outline&) override {}
};

struct AxisCase {
    double low, high;
    double first, last, step;
};

TEST(RoundedAxis, WholeStepsAroundTheRange)
{
    const AxisCase cases[] = {
        {-1.0, 1.47, -1.0, 1.5, 0.5},     // a suction peak at moderate incidence
        {-1.0, 0.41, -1.0, 0.5, 0.25},    // a symmetric section at zero incidence
        {-1.0, 28.5, -10.0, 30.0, 10.0},  // the peak at 20 degrees
        {-0.3, 0.05, -0.3, 0.1, 0.1},
        {0.0, 0.0, 0.0, 0.1, 0.1},        // one value still gets a step
        {-1.0, 1.0, -1.0, 1.0, 0.5},      // ends on whole steps stay where they are
        {-1234.0, 56.0, -1250.0, 250.0, 250.0},
    };
    for (const AxisCase& c : cases) {
        const ChartAxis axis = roundedAxis(c.low, c.high);
        SCOPED_TRACE(std::to_string(c.low) + " .. " + std::to_string(c.high));
        EXPECT_DOUBLE_EQ(axis.low, c.first);
        EXPECT_DOUBLE_EQ(axis.high, c.last);
        ASSERT_GE(axis.ticks.size(), 2u);
        EXPECT_DOUBLE_EQ(axis.ticks[1] - axis.ticks[0], c.step);
    }
}

TEST(RoundedAxis, HoldsTheRangeInAFewEvenStepsWithAnExactZero)
{
    for (int i = 0; i * 0.37 <= 40; ++i)
        for (int j = 0; j * 0.53 <= 60; ++j) {
            const double low = -40 + i * 0.37;
            const double high = j * 0.53;
            const ChartAxis axis = roundedAxis(low, high);
            SCOPED_TRACE(std::to_string(low) + " .. " + std::to_string(high));
            ASSERT_GE(axis.ticks.size(), 2u);
            ASSERT_LE(axis.ticks.size(), 7u);
            EXPECT_EQ(axis.ticks.front(), axis.low);
            EXPECT_EQ(axis.ticks.back(), axis.high);
            EXPECT_LE(axis.low, low);
            EXPECT_GE(axis.high, high);
            const double step = axis.ticks[1] - axis.ticks[0];
            for (std::size_t i = 1; i < axis.ticks.size(); ++i)
                EXPECT_NEAR(axis.ticks[i] - axis.ticks[i - 1], step, 1e-12 * (1 + std::abs(axis.high)));
            // Zero is a tick, exactly, so the zero line and its label agree.
            EXPECT_EQ(std::count(axis.ticks.begin(), axis.ticks.end(), 0.0), 1);
            // Not needlessly wide: the range fills more than a third of the axis.
            EXPECT_GT(high - low, (axis.high - axis.low) / 3);
        }
}

TEST(RoundedAxis, RefusesABackwardRange)
{
    EXPECT_THROW(roundedAxis(1, -1), std::invalid_argument);
}

TEST(PressureCircleAngles, LeaveOutTheTrailingEdgeOnlyWhereItsSpeedIsUnbounded)
{
    const std::vector<double> selig = seligCircleAngles(kPressurePoints);
    for (const double EM : {1.0, 1.9444444444444444, 2.0}) EXPECT_EQ(pressureCircleAngles(0.1, EM), selig) << EM;

    const std::vector<double> past = pressureCircleAngles(0.1, 2.05);
    ASSERT_EQ(past.size(), selig.size() - 2);
    EXPECT_TRUE(std::equal(past.begin(), past.end(), selig.begin() + 1));

    // Why: at m > 2 the analysis refuses the trailing edge itself.
    EXPECT_THROW(SectionAnalysis(0.1, 0.04, 2.05, selig), ArithmeticError);
    const SectionAnalysis section(0.1, 0.04, 2.05, past);
    EXPECT_EQ(section.surface().size(), past.size());
}

TEST(PressureCurves, SplitAtTheLeadingEdgeWithSuctionUp)
{
    const SectionAnalysis section(kF, kG, kEM, pressureCircleAngles(kF, kEM));
    const SectionLoads loads = section.loads(4.0);
    const PressureCurves curves = pressureCurves(section.surface(), loads.Cp);
    const std::size_t half = (kPressurePoints - 1) / 2;

    ASSERT_EQ(curves.upper.size(), half + 1);
    ASSERT_EQ(curves.lower.size(), half + 1);
    for (std::size_t i = 0; i <= half; ++i) {
        const SurfacePoint& upper = section.surface()[i];
        const SurfacePoint& lower = section.surface()[half + i];
        EXPECT_EQ(curves.upper[i].x, upper.x);
        EXPECT_EQ(curves.upper[i].y, -loads.Cp[i]);
        EXPECT_EQ(curves.lower[i].x, lower.x);
        EXPECT_EQ(curves.lower[i].y, -loads.Cp[half + i]);
    }
    // Trailing edge to leading edge over the top, back along the bottom; they meet at the nose.
    EXPECT_EQ(curves.upper.front().x, 1.0);
    EXPECT_EQ(curves.upper.back().x, curves.lower.front().x);
    EXPECT_EQ(curves.upper.back().y, curves.lower.front().y);
    EXPECT_EQ(curves.lower.back().x, 1.0);

    // Positive lift: more suction over the top, on the whole.
    double upperSuction = 0, lowerSuction = 0;
    for (std::size_t i = 0; i <= half; ++i) {
        upperSuction += curves.upper[i].y;
        lowerSuction += curves.lower[i].y;
    }
    EXPECT_GT(upperSuction, lowerSuction);

    // Every value on the axis, with a little room at both ends.
    for (const auto* curve : {&curves.upper, &curves.lower})
        for (const ChartPoint& p : *curve) {
            EXPECT_GT(p.y, curves.suction.low);
            EXPECT_LT(p.y, curves.suction.high);
        }
    EXPECT_LT(curves.suction.low, curves.suction.ticks.front());
    EXPECT_GT(curves.suction.high, curves.suction.ticks.back());
}

TEST(PressureCurves, NeedOneValuePerPoint)
{
    const SectionAnalysis section(kF, kG, kEM, pressureCircleAngles(kF, kEM));
    EXPECT_THROW(pressureCurves(section.surface(), std::vector<double>(3, 0.0)), std::invalid_argument);
}

// Each row as surface,x,y,Cp, following the curves, every number reading back exactly.
TEST(PressureTable, OneRowPerCurvePointExactToTheBit)
{
    const SectionAnalysis section(kF, kG, kEM, pressureCircleAngles(kF, kEM));
    const SectionLoads loads = section.loads(4.0);
    std::istringstream table(pressureTableText(section.surface(), loads.Cp));
    std::string line;
    std::getline(table, line);
    EXPECT_EQ(line, "surface,x,y,Cp");
    std::size_t row = 0;
    for (; std::getline(table, line); ++row) {
        const std::size_t i = row <= kPressurePoints / 2 ? row : row - 1;  // the leading edge is in both
        const std::size_t comma = line.find(',');
        EXPECT_EQ(line.substr(0, comma), i == row ? "upper" : "lower");
        double x = 0, y = 0, Cp = 0;
        const char* at = line.data() + comma + 1;
        for (double* value : {&x, &y, &Cp}) at = std::from_chars(at, line.data() + line.size(), *value).ptr + 1;
        EXPECT_TRUE(x == section.surface()[i].x && y == section.surface()[i].y && Cp == loads.Cp[i]) << line;
    }
    EXPECT_EQ(row, kPressurePoints + 1u);
}

TEST(PointedValues, NearestPointInChordOnEitherCurve)
{
    PressureCurves curves;
    curves.upper = {{1.0, -0.2}, {0.5, 0.6}, {0.0, -1.0}};
    curves.lower = {{0.0, -1.0}, {0.4, 0.1}, {1.0, -0.2}};
    const PointedValues pointed = nearestPoints(curves, 0.42);
    EXPECT_EQ(pointed.upper.x, 0.5);
    EXPECT_EQ(pointed.lower.x, 0.4);
    EXPECT_EQ(pointedText(pointed, ","),
              "Upper surface: x/c = 0,5000  Cp = -0,6000     Lower surface: x/c = 0,4000  Cp = -0,1000");
}

TEST(SectionChart, ChordTicksAndOutlineExtent)
{
    const SectionAnalysis section(kF, kG, kEM, pressureCircleAngles(kF, kEM));
    const SectionChart chart = sectionChart(section.surface());
    ASSERT_EQ(chart.chord.ticks.size(), 6u);
    for (std::size_t k = 0; k < 6; ++k) EXPECT_DOUBLE_EQ(chart.chord.ticks[k], 0.2 * static_cast<double>(k));
    EXPECT_LT(chart.chord.low, 0.0);
    EXPECT_GT(chart.chord.high, 1.0);
    ASSERT_EQ(chart.outline.size(), section.surface().size());
    double lowest = 0, highest = 0;
    for (std::size_t i = 0; i < chart.outline.size(); ++i) {
        EXPECT_EQ(chart.outline[i].x, section.surface()[i].x);
        EXPECT_EQ(chart.outline[i].y, section.surface()[i].y);
        lowest = std::min(lowest, chart.outline[i].y);
        highest = std::max(highest, chart.outline[i].y);
        EXPECT_GE(chart.outline[i].x, chart.chord.low);
        EXPECT_LE(chart.outline[i].x, chart.chord.high);
    }
    EXPECT_EQ(chart.lowest, lowest);
    EXPECT_EQ(chart.highest, highest);
    // About 12 % thick: the extent tells the strip how tall the outline is.
    EXPECT_NEAR(chart.highest - chart.lowest, 0.12 + 0.02, 0.03);
}

TEST(DrawnDesign, ExportsExactlyWhatTheSharedExportWritesForThatDesign)
{
    DesignState state;
    SilentFrontEnd frontEnd;
    runDesign(state, {0.12, 0.02, 10, std::nullopt}, frontEnd);
    const MappedSection drawn = mappedSection(state);
    EXPECT_EQ(drawn.family, "KARMAN-TREFFTZ AIRFOIL");
    EXPECT_EQ(drawn.F, state.F);
    EXPECT_EQ(drawn.G, state.G);
    EXPECT_EQ(drawn.EM, state.EM);
    EXPECT_EQ(coordinateText(drawn), seligText(state));
    EXPECT_EQ(coordinateText(drawn, 21), seligText(state, 21));
}

TEST(DrawnDesign, SuggestedFileStemNamesFamilyAndParameters)
{
    EXPECT_EQ(suggestedFileStem({"KARMAN-TREFFTZ AIRFOIL", kF, kG, kEM}), "karman-trefftz_F0.0703_G0.04377_m1.94444");
    EXPECT_EQ(suggestedFileStem({"JOUKOWSKY AIRFOIL", 0.0835416, 0, 2}), "joukowsky_F0.08354_G0_m2");
    EXPECT_EQ(suggestedFileStem({"JOUKOWSKY AIRFOIL", 0.1, -0.01, 2}), "joukowsky_F0.1_G-0.01_m2");
    EXPECT_EQ(suggestedFileStem({"", 0.1, 0, 2}), "section_F0.1_G0_m2");
}

}  // namespace
}  // namespace folix
