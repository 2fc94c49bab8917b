#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>
#include <stdexcept>

#include "engine/parameter_solver.h"
#include "engine/section_analysis.h"
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
    EXPECT_EQ(line, "KARMAN-TREFFTZ F=0.0703 G=0.04377 m=1.94444");
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

// XFOIL keeps 48 characters of the name line; shown values that fit stay as shown.
TEST(SeligExport, NameLineFitsXfoil)
{
    const struct {
        const char* family;
        double F, G, EM;
        const char* name;
    } cases[] = {
        {"JOUKOWSKY AIRFOIL", 0.0835416, 0, 2, "JOUKOWSKY F=0.08354 G=0 m=2"},
        {"KARMAN-TREFFTZ AIRFOIL", -0.123456, -0.0999999, 1.99999, "KARMAN-TREFFTZ F=-0.12346 G=-0.1 m=1.99999"},
        {"KARMAN-TREFFTZ AIRFOIL", 123456.789, -98765.4321, -1e20, "KARMAN-TREFFTZ F=123457 G=-98765.4 m=-1E+20"},
        {"KARMAN-TREFFTZ AIRFOIL", -1.23456789012345e300, -9.87654321e-300, -1.11111111111111e305,
         "KARMAN-TREFFTZ F=-1.2346E+300 G=0 m=-1.1111E+305"},
    };
    for (const auto& c : cases) {
        const MappedSection section{c.family, c.F, c.G, c.EM};
        EXPECT_EQ(seligName(section), c.name);
        EXPECT_LE(seligName(section).size(), kLongestSeligName);
    }
}

// The file's angles are the window's: j DTETA over a full turn from the
// leading edge, the lower surface between pi and 2 pi.
TEST(SeligPointAngles, WindowAnglesInFileOrder)
{
    const double pi = 4 * std::atan(1.0);
    for (int n : {5, 21, 103, 161, 100001}) {
        const auto angles = seligPointAngles(n);
        ASSERT_EQ(angles.size(), static_cast<std::size_t>(n));
        const int steps = n - 1;
        const int trailingEdge = steps / 2;
        const double DTETA = (2 * pi) / steps;
        EXPECT_EQ(angles.front(), pi);
        EXPECT_EQ(angles.back(), pi);
        for (int s = 1; s < n - 1; ++s) {
            const int j = s <= trailingEdge ? trailingEdge - s : steps + trailingEdge - s;
            ASSERT_EQ(angles[static_cast<std::size_t>(s)], j * DTETA) << n << " " << s;
        }
        EXPECT_EQ(angles[static_cast<std::size_t>(trailingEdge)], 0.0);
        EXPECT_GT(angles[static_cast<std::size_t>(trailingEdge) + 1], pi);
        EXPECT_LT(angles[static_cast<std::size_t>(n) - 2], 2 * pi);
    }
    for (int n : {3, 4, 160, 100003}) EXPECT_THROW(seligPointAngles(n), std::invalid_argument) << n;
}

TEST(OutlinePoints, TrailingEdgeIsPutInExactly)
{
    const double pi = 4 * std::atan(1.0);
    struct Case {
        double TETA;
        bool trailingEdge;
    };
    const Case cases[] = {{pi, true},
                          {-pi, true},
                          {3 * pi, true},
                          {std::nextafter(pi, 4.0), true},
                          {pi - 2 * pi / 100000, false},
                          {0.0, false},
                          {2 * pi, false},
                          {1.0, false}};
    for (const Case& c : cases) {
        EXPECT_EQ(isTrailingEdgeAngle(c.TETA), c.trailingEdge) << c.TETA;
        const SectionPoint p = outlinePoints(0.0703044, 0.0437693, 1.94444, {c.TETA}).front();
        if (c.trailingEdge) {
            EXPECT_EQ(p.x, 1.0) << c.TETA;
            EXPECT_EQ(p.y, 0.0) << c.TETA;
        } else {
            EXPECT_LT(p.x, 1.0) << c.TETA;
        }
    }
    EXPECT_THROW(isTrailingEdgeAngle(std::nan("")), ArithmeticError);
}

// Mirror-exact angles and the file's own give the same points to rounding.
TEST(OutlinePoints, EitherAngleConventionGivesTheFilesPoints)
{
    for (const Target& t : kTargets) {
        const Solved s = solveFor(t);
        for (int n : {5, 161, 1001}) {
            const auto file = seligPoints(s.F, s.G, s.EM, n);
            const auto mirrored = outlinePoints(s.F, s.G, s.EM, seligCircleAngles(n));
            ASSERT_EQ(mirrored.size(), file.size());
            for (std::size_t k = 0; k < file.size(); ++k) EXPECT_LE(distance(mirrored[k], file[k]), 2e-15) << n << " " << k;
        }
    }
}

TEST(SeligExport, PressureTextSharesTheCoordinateColumns)
{
    DesignState design;
    design.AirfoilType = "JOUKOWSKY AIRFOIL";
    design.F = 0.0835416;
    design.EM = 2;
    const auto points = seligPoints(design.F, design.G, design.EM, 7);
    const std::vector<double> Cp = {1.0, -0.25, -1e-12, 1.0, -12.3456789012345, 0.5, 1.0};
    const std::string text = seligPressureText("name  alpha=2", points, Cp);

    std::istringstream pressures(text);
    std::istringstream coordinates(seligText(design, 7));
    std::string line, coordinateLine;
    std::getline(pressures, line);
    std::getline(coordinates, coordinateLine);
    EXPECT_EQ(line, "name  alpha=2");
    const char* const CpTexts[] = {" 1.0000000000", "-0.2500000000", " 0.0000000000", " 1.0000000000",
                                   "-12.3456789012", " 0.5000000000", " 1.0000000000"};
    for (const char* CpText : CpTexts) {
        ASSERT_TRUE(std::getline(pressures, line));
        ASSERT_TRUE(std::getline(coordinates, coordinateLine));
        EXPECT_EQ(line, coordinateLine + " " + CpText);
    }
    EXPECT_FALSE(std::getline(pressures, line));
    EXPECT_THROW(seligPressureText("n", points, std::vector<double>(6, 0.0)), std::invalid_argument);
}

TEST(SeligExport, MappingFailureIsReported)
{
    // A negative F has no real power for a fractional exponent.
    EXPECT_THROW(seligPoints(-0.1, 0.0, 1.9, 161), ArithmeticError);
}

}  // namespace
}  // namespace folix
