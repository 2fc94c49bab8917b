#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>
#include <stdexcept>

#include "engine/parameter_solver.h"
#include "engine/selig_export.h"

namespace folix {
namespace {

struct Target {
    double Delta, Gamma, EM;
};

struct Solved {
    double F = 0, G = 0, EM = 0;
};

Solved solveFor(const Target& t)
{
    DesignState state;
    VectorHistory history;
    double EM = t.EM, XDMAXC = 0, Delta = t.Delta, Gamma = t.Gamma;
    FGITER(state, history, EM, XDMAXC, Delta, Gamma, state.F, state.G);
    EXPECT_EQ(std::count(history.lines.begin(), history.lines.end(), kSolveNotConverged), 0);
    return {state.F, state.G, EM};
}

const Target kTargets[] = {
    {0.12, 0.02, 2.0 - 1.0 / 18},  // 10 degrees
    {0.10, 0.0, 2.0},
    {0.15, 0.04, 1.97},
    {0.08, 0.01, 1.9},
};

double distance(const SectionPoint& a, const SectionPoint& b) { return std::hypot(a.x - b.x, a.y - b.y); }

// Point s and point N-1-s lie at mirror circle angles: the pair the design's
// thickness is measured between.
std::vector<double> mirrorThicknesses(const std::vector<SectionPoint>& points)
{
    std::vector<double> thickness;
    for (std::size_t s = 1; s < points.size() / 2; ++s) thickness.push_back(distance(points[s], points[points.size() - 1 - s]));
    return thickness;
}

TEST(SeligExport, PointCountBounds)
{
    struct Case {
        long long points;
        bool valid;
    };
    const Case cases[] = {{5, true}, {161, true}, {100001, true}, {3, false}, {1, false}, {-1, false},
                          {4, false}, {160, false}, {100002, false}, {100003, false}};
    for (const auto& c : cases) {
        EXPECT_EQ(isSeligPointCount(c.points), c.valid) << c.points;
        if (!c.valid) {
            EXPECT_THROW(seligPoints(0.1, 0.0, 2.0, static_cast<int>(c.points)), std::invalid_argument) << c.points;
        }
    }
}

TEST(SeligExport, TrailingEdgeFirstAndLastLeadingEdgeInTheMiddle)
{
    for (const Target& t : kTargets) {
        const Solved s = solveFor(t);
        for (int n : {5, 21, 161, 1001}) {
            const auto points = seligPoints(s.F, s.G, s.EM, n);
            ASSERT_EQ(points.size(), static_cast<std::size_t>(n));
            EXPECT_EQ(points.front().x, 1.0);
            EXPECT_EQ(points.front().y, 0.0);
            EXPECT_EQ(points.back().x, 1.0);
            EXPECT_EQ(points.back().y, 0.0);
            const SectionPoint& leadingEdge = points[points.size() / 2];
            EXPECT_NEAR(leadingEdge.x, 0.0, 1e-12) << n;
            EXPECT_EQ(leadingEdge.y, 0.0) << n;
            for (const auto& p : points) {
                EXPECT_GT(p.x, -0.01);
                EXPECT_LE(p.x, 1.0 + 1e-12);
            }
        }
    }
}

TEST(SeligExport, UpperSurfaceFirstAndAboveTheLower)
{
    for (const Target& t : kTargets) {
        const Solved s = solveFor(t);
        const auto points = seligPoints(s.F, s.G, s.EM, 161);
        const std::size_t middle = points.size() / 2;
        for (std::size_t i = 1; i < middle; ++i) {
            const SectionPoint& upper = points[i];
            const SectionPoint& lower = points[points.size() - 1 - i];
            EXPECT_GT(upper.y, lower.y) << i;
            EXPECT_GT(upper.y, 0.0) << i;
            if (t.Gamma == 0) {
                EXPECT_NEAR(upper.x, lower.x, 1e-12);
                EXPECT_NEAR(upper.y, -lower.y, 1e-12);
            }
        }
        // From the trailing edge forward over the top, back along the bottom.
        for (std::size_t i = 1; i <= middle; ++i) EXPECT_LT(points[i].x, points[i - 1].x) << i;
    }
}

TEST(SeligExport, ThicknessMeasuredBackFromThePointsIsTheDesignedOne)
{
    constexpr double kSolverTolerance = 0.00001;
    for (const Target& t : kTargets) {
        const Solved s = solveFor(t);
        for (int n : {81, 161, 2001}) {
            const auto thickness = mirrorThicknesses(seligPoints(s.F, s.G, s.EM, n));
            const auto thickest = std::max_element(thickness.begin(), thickness.end());
            ASSERT_NE(thickest, thickness.begin());
            ASSERT_NE(thickest + 1, thickness.end());
            // Sampled every DTETA, a maximum can be missed by at most a
            // parabola's drop over half a step: |second difference| / 8.
            const double spacingAllowance = std::abs(*(thickest - 1) - 2 * *thickest + *(thickest + 1)) / 8;
            EXPECT_LE(*thickest, t.Delta + kSolverTolerance + 1e-8) << n;
            EXPECT_GE(*thickest, t.Delta - kSolverTolerance - spacingAllowance - 1e-12) << n;
        }
    }
}

TEST(SeligExport, TextHasNameLineThenFixedTenDecimalPairs)
{
    DesignState design;
    design.AirfoilType = "KARMAN-TREFFTZ AIRFOIL";
    design.F = 0.0703044;
    design.G = 0.0437693;
    design.EM = 2.0 - 1.0 / 18;
    const std::string text = seligText(design, 21);

    std::istringstream lines(text);
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line, "KARMAN-TREFFTZ AIRFOIL  F=0.0703  G=0.04377  m=1.94444");
    const auto points = seligPoints(design.F, design.G, design.EM, 21);
    std::vector<std::string> pairs;
    while (std::getline(lines, line)) pairs.push_back(line);
    ASSERT_EQ(pairs.size(), points.size());
    EXPECT_EQ(pairs.front(), " 1.0000000000  0.0000000000");
    EXPECT_EQ(pairs[10], " 0.0000000000  0.0000000000");
    EXPECT_EQ(pairs.back(), " 1.0000000000  0.0000000000");
    for (std::size_t i = 0; i < pairs.size(); ++i) {
        ASSERT_EQ(pairs[i].size(), 27u) << pairs[i];  // twice a sign column, 1 integer digit, 10 decimals; one blank
        std::istringstream numbers(pairs[i]);
        double x = 0, y = 0;
        numbers >> x >> y;
        EXPECT_NEAR(x, points[i].x, 5.1e-11) << i;
        EXPECT_NEAR(y, points[i].y, 5.1e-11) << i;
    }
    EXPECT_EQ(text.back(), '\n');
}

TEST(SeligExport, NoNegativeZeroText)
{
    const std::string text = seligText("n", {{-1e-17, -4e-11}, {-6e-11, 0.0}});
    EXPECT_EQ(text, "n\n 0.0000000000  0.0000000000\n-0.0000000001  0.0000000000\n");
}

TEST(SeligExport, MappingFailureIsReported)
{
    // A negative F has no real power for a fractional exponent.
    EXPECT_THROW(seligPoints(-0.1, 0.0, 1.9, 161), ArithmeticError);
}

}  // namespace
}  // namespace folix
