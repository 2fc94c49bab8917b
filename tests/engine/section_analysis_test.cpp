#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/contour_mapping.h"
#include "engine/parameter_solver.h"
#include "testing/pressure_integration.h"
#include "engine/section_analysis.h"
#include "engine/selig_export.h"

namespace folix {
namespace {

const double kPi = 4 * std::atan(1.0);
constexpr double kTenPerCentJoukowsky = 0.0835416;

double radians(double degrees) { return degrees * kPi / 180; }

struct Section {
    double F, G, EM;
};

// Sections as the solver finds them: thickness, camber and trailing-edge angle
// 12 %, 2 %, 0 deg; 12 %, 2 %, 10 deg; 15 %, 4 %, 18 deg; 12 %, 0 %, 9 deg.
const Section kSolvedSections[] = {
    {0.10194667292219244, 0.044066341221566621, 2.0},
    {0.070304405967124839, 0.043769303782416197, 1.9444444444444444},
    {0.069194885618556384, 0.088779530639886917, 1.9},
    {0.073803522789004983, 0.0, 1.95},
};

std::string describe(const Section& s, double alpha)
{
    return "F=" + std::to_string(s.F) + " G=" + std::to_string(s.G) + " m=" + std::to_string(s.EM) +
           " alpha=" + std::to_string(alpha);
}

TEST(SectionAnalysis, FlatPlateLiftIsTwoPiSinAlpha)
{
    const SectionAnalysis plate(0.0, 0.0, 2.0, {});
    EXPECT_DOUBLE_EQ(plate.scale(), 0.25);
    EXPECT_DOUBLE_EQ(plate.zeroLiftAngle(), 0.0);
    for (double alpha : {-20.0, -5.0, 0.0, 1.0, 8.5, 20.0}) {
        EXPECT_NEAR(plate.liftCoefficient(alpha), 2 * kPi * std::sin(radians(alpha)), 1e-14) << alpha;
        // The centre of pressure of a flat plate is its quarter chord.
        EXPECT_NEAR(plate.momentCoefficient(alpha), 0.0, 1e-14) << alpha;
    }
}

TEST(SectionAnalysis, TenPerCentJoukowskyLiftSlope)
{
    const SectionAnalysis section(kTenPerCentJoukowsky, 0.0, 2.0, {});
    for (double alpha : {-10.0, -2.0, 0.5, 4.0, 12.0}) {
        const double ratio = section.liftCoefficient(alpha) / (2 * kPi * std::sin(radians(alpha)));
        EXPECT_NEAR(ratio, 1.0771, 0.00005) << alpha;
    }
}

TEST(SectionAnalysis, TenPerCentJoukowskyIsSymmetricAtZeroIncidence)
{
    const auto angles = seligCircleAngles(161);
    const SectionAnalysis section(kTenPerCentJoukowsky, 0.0, 2.0, angles);
    const SectionLoads loads = section.loads(0.0);
    EXPECT_EQ(loads.Cl, 0.0);
    EXPECT_EQ(loads.Cm, 0.0);

    const std::size_t n = loads.Cp.size();
    for (std::size_t k = 0; k < n; ++k) EXPECT_EQ(loads.Cp[k], loads.Cp[n - 1 - k]) << k;

    const std::size_t leadingEdge = n / 2;
    EXPECT_EQ(section.surface()[leadingEdge].theta, 0.0);
    EXPECT_NEAR(section.surface()[leadingEdge].x, 0.0, 1e-15);
    EXPECT_EQ(loads.Cp[leadingEdge], 1.0);
    EXPECT_LT(*std::max_element(loads.Cp.begin(), loads.Cp.begin() + leadingEdge), 1.0);
}

// The closed-form lift and moment against the pressures integrated over the
// window's number of points, and the pressure drag against zero.
TEST(SectionAnalysis, ClosedFormsAgreeWithIntegratedPressures)
{
    for (const Section& s : kSolvedSections) {
        const SectionAnalysis section(s.F, s.G, s.EM, seligCircleAngles(401));
        for (double alpha : {-8.0, -2.0, 0.0, 3.5, 10.0}) {
            const SectionLoads loads = section.loads(alpha);
            const IntegratedLoads integrated = integratePressures(section.surface(), loads.Cp, alpha);
            const double tolerance = 1e-3 * std::max(std::fabs(loads.Cl), 0.1);
            EXPECT_NEAR(integrated.Cl, loads.Cl, tolerance) << describe(s, alpha);
            EXPECT_NEAR(integrated.Cm, loads.Cm, 1e-4) << describe(s, alpha);
            EXPECT_NEAR(integrated.Cd, 0.0, 1e-4) << describe(s, alpha);
        }
    }
}

// The surface speed against the velocity potential on the circle differenced
// over a short stretch of the outline as XY maps it.
TEST(SectionAnalysis, SurfaceSpeedMatchesDifferencedPotential)
{
    for (const Section& s : kSolvedSections) {
        const double theta[] = {0.0, 0.4, 1.5, 2.6, 3.0, -0.2, -1.0, -2.2, -3.0};
        const std::vector<double> angles(std::begin(theta), std::end(theta));
        const SectionAnalysis section(s.F, s.G, s.EM, angles);
        double B = section.scale();
        const double a = section.radius();
        const double beta = std::atan(s.G / (1 + s.F));

        for (double alpha : {-6.0, 0.0, 7.0}) {
            const double gamma = kPi - radians(alpha);  // free-stream direction in the mapped plane
            const double U = B;                         // circle-plane speed for a unit free stream
            const double circulation = 4 * kPi * a * U * std::sin(radians(alpha) + beta);
            auto onCircle = [&](double t) {
                const double P = s.F * std::cos(t) + s.G * std::sin(t);
                const double rho = P + std::sqrt(1 + 2 * s.F + P * P);
                return std::array<double, 2>{rho * std::cos(t) - s.F, rho * std::sin(t) - s.G};
            };
            auto mapped = [&](double t) {
                DesignState state;
                double F = s.F, G = s.G, EM = s.EM, TETA = t;
                int I = 1;
                XY(state, F, G, EM, TETA, I, B);
                return std::array<double, 2>{state.XU[I], state.YU[I]};
            };

            const std::vector<double> Cp = section.pressureCoefficients(alpha);
            for (std::size_t k = 0; k < angles.size(); ++k) {
                const double h = 1e-5;
                const auto c1 = onCircle(angles[k] - h);
                const auto c2 = onCircle(angles[k] + h);
                const double centreAngle1 = std::atan2(c1[1], c1[0]);
                const double turn = std::atan2(c1[0] * c2[1] - c1[1] * c2[0], c1[0] * c2[0] + c1[1] * c2[1]);
                const auto potential = [&](double thetaC) {
                    return 2 * U * a * std::cos(thetaC - gamma) + circulation * thetaC / (2 * kPi);
                };
                const double dPhi = potential(centreAngle1 + turn) - potential(centreAngle1);
                const auto z1 = mapped(angles[k] - h);
                const auto z2 = mapped(angles[k] + h);
                const double ds = std::hypot(z2[0] - z1[0], z2[1] - z1[1]);
                const double speed = std::fabs(dPhi) / ds;
                EXPECT_NEAR(Cp[k], 1 - speed * speed, 1e-7) << describe(s, alpha) << " theta=" << angles[k];
            }
        }
    }
}

TEST(SectionAnalysis, PointsLieOnTheDesignRunsOutline)
{
    for (const Section& s : kSolvedSections) {
        const auto angles = seligCircleAngles(101);
        const SectionAnalysis section(s.F, s.G, s.EM, angles);
        double B = chordNormalisingScale(s.F, s.EM);
        EXPECT_EQ(section.scale(), B);
        const auto& surface = section.surface();
        ASSERT_EQ(surface.size(), angles.size());

        // The trailing edge is put in exactly; XY cannot map it.
        for (const SurfacePoint& te : {surface.front(), surface.back()}) {
            EXPECT_EQ(te.x, 1.0);
            EXPECT_EQ(te.y, 0.0);
        }
        for (std::size_t k = 1; k + 1 < surface.size(); ++k) {
            DesignState state;
            double F = s.F, G = s.G, EM = s.EM, TETA = angles[k];
            int I = 1;
            XY(state, F, G, EM, TETA, I, B);
            const double x = (1 - state.XU[I]) - EM * B;
            EXPECT_EQ(surface[k].theta, angles[k]);
            EXPECT_NEAR(surface[k].x, x, 1e-14) << k;
            EXPECT_NEAR(surface[k].y, state.YU[I], 1e-14) << k;
        }
        // Selig order runs counterclockwise: over the upper surface to the
        // leading edge, then back along the lower one.
        double twiceArea = 0;
        for (std::size_t k = 0; k + 1 < surface.size(); ++k)
            twiceArea += surface[k].x * surface[k + 1].y - surface[k + 1].x * surface[k].y;
        EXPECT_GT(twiceArea, 0.0);
    }
}

// A pressure file's x and y must be the coordinate file's points, not merely close.
TEST(SectionAnalysis, SurfaceIsTheCoordinateFilesPointsBitForBit)
{
    for (const Section& s : kSolvedSections) {
        for (int n : {5, 103, 161, 1001}) {
            const auto angles = seligPointAngles(n);
            const SectionAnalysis section(s.F, s.G, s.EM, angles);
            const auto file = seligPoints(s.F, s.G, s.EM, n);
            const auto& surface = section.surface();
            ASSERT_EQ(surface.size(), file.size());
            for (std::size_t k = 0; k < file.size(); ++k) {
                EXPECT_EQ(surface[k].theta, angles[k]);
                ASSERT_EQ(surface[k].x, file[k].x) << describe(s, 0) << " n=" << n << " k=" << k;
                ASSERT_EQ(surface[k].y, file[k].y) << describe(s, 0) << " n=" << n << " k=" << k;
            }
            // The lower surface's angles lie between pi and 2 pi here: the same flow.
            const SectionAnalysis mirrored(s.F, s.G, s.EM, seligCircleAngles(n));
            const auto Cp = section.pressureCoefficients(4.0);
            const auto mirroredCp = mirrored.pressureCoefficients(4.0);
            for (std::size_t k = 0; k < Cp.size(); ++k) EXPECT_NEAR(Cp[k], mirroredCp[k], 1e-13) << n << " " << k;
            if (s.EM < 2) {
                EXPECT_EQ(Cp.front(), 1.0);
                EXPECT_EQ(Cp.back(), 1.0);
            }
        }
    }
}

// Whole turns come off exactly, so no finite angle overflows.
TEST(SectionAnalysis, AnglesOfAttackCountModuloAFullTurn)
{
    const Section& s = kSolvedSections[1];
    const SectionAnalysis section(s.F, s.G, s.EM, seligPointAngles(41));
    const SectionLoads base = section.loads(4.0);
    for (double alpha : {364.0, 724.0, -356.0, 4.0 + 360.0 * 1e6}) {
        const SectionLoads turned = section.loads(alpha);
        EXPECT_NEAR(turned.Cl, base.Cl, 1e-12) << alpha;
        EXPECT_NEAR(turned.Cm, base.Cm, 1e-12) << alpha;
        for (std::size_t k = 0; k < base.Cp.size(); ++k) EXPECT_NEAR(turned.Cp[k], base.Cp[k], 1e-12) << alpha;
        EXPECT_NEAR(integratePressures(section.surface(), turned.Cp, alpha).Cl,
                    integratePressures(section.surface(), base.Cp, 4.0).Cl, 1e-12)
            << alpha;
    }
    EXPECT_EQ(section.liftCoefficient(364.0), base.Cl);
    for (double alpha : {1e308, -1.7976931348623157e308}) {
        const double Cl = section.liftCoefficient(alpha);
        EXPECT_LE(std::fabs(Cl), 8 * kPi * section.radius() * section.scale()) << alpha;
        EXPECT_NO_THROW(integratePressures(section.surface(), section.pressureCoefficients(alpha), alpha));
    }
}

TEST(SectionAnalysis, LiftGrowsWithCamber)
{
    struct Silent : HistorySink {
        void append(const std::string&) override {}
    };
    double previousCl = -1;
    for (double camber : {0.0, 0.01, 0.02, 0.03, 0.05}) {
        DesignState state;
        Silent history;
        double EM = 1.95, XDMAXC = 0, Delta = 0.12, Gamma = camber;
        FGITER(state, history, EM, XDMAXC, Delta, Gamma, state.F, state.G);
        const SectionAnalysis section(state.F, state.G, EM, {});
        const double Cl = section.liftCoefficient(2.0);
        EXPECT_GT(Cl, previousCl) << camber;
        previousCl = Cl;
        if (camber == 0.0) {
            EXPECT_EQ(section.liftCoefficient(0.0), 0.0);
        } else {
            EXPECT_GT(section.liftCoefficient(0.0), 0.0) << camber;
            EXPECT_LT(section.momentCoefficient(0.0), 0.0) << camber;  // nose-down, as cambered sections are
        }
    }
}

TEST(SectionAnalysis, NoLiftAtTheZeroLiftAngle)
{
    for (const Section& s : kSolvedSections) {
        const SectionAnalysis section(s.F, s.G, s.EM, seligCircleAngles(401));
        const double alpha0 = section.zeroLiftAngle();
        EXPECT_NEAR(alpha0, -std::atan(s.G / (1 + s.F)) * 180 / kPi, 1e-13);
        EXPECT_NEAR(section.liftCoefficient(alpha0), 0.0, 1e-15);
        const std::vector<double> Cp = section.pressureCoefficients(alpha0);
        const IntegratedLoads integrated = integratePressures(section.surface(), Cp, alpha0);
        EXPECT_NEAR(integrated.Cl, 0.0, 1e-4) << describe(s, alpha0);
        EXPECT_GT(section.liftCoefficient(alpha0 + 0.5), 0.0);
        EXPECT_LT(section.liftCoefficient(alpha0 - 0.5), 0.0);
    }
}

TEST(SectionAnalysis, TrailingEdgeIsAStagnationPointBelowTheCusp)
{
    for (const Section& s : kSolvedSections) {
        if (s.EM == 2.0) continue;
        const SectionAnalysis section(s.F, s.G, s.EM, seligCircleAngles(51));
        for (double alpha : {-15.0, 0.0, 6.0}) {
            const auto Cp = section.pressureCoefficients(alpha);
            EXPECT_EQ(Cp.front(), 1.0) << describe(s, alpha);
            EXPECT_EQ(Cp.back(), 1.0) << describe(s, alpha);
        }
    }
}

// At a cusp the flow leaves the trailing edge with a finite speed,
// |cos(alpha + beta)| / a; the points just beside it must approach that value.
TEST(SectionAnalysis, CuspedTrailingEdgeHasTheLimitSpeed)
{
    for (const Section& s : {Section{kTenPerCentJoukowsky, 0.0, 2.0}, kSolvedSections[0]}) {
        const double nearTrailingEdge = kPi - 1e-6;
        const SectionAnalysis section(s.F, s.G, s.EM, {kPi, -kPi, 3 * kPi, nearTrailingEdge, -nearTrailingEdge});
        const double a = section.radius();
        const double beta = std::atan(s.G / (1 + s.F));
        for (double alpha : {-10.0, 0.0, 4.0}) {
            const double speed = std::cos(radians(alpha) + beta) / a;
            const auto Cp = section.pressureCoefficients(alpha);
            for (std::size_t k = 0; k < 3; ++k) EXPECT_NEAR(Cp[k], 1 - speed * speed, 1e-15) << describe(s, alpha);
            EXPECT_NEAR(Cp[3], Cp[0], 1e-5) << describe(s, alpha);
            EXPECT_NEAR(Cp[4], Cp[0], 1e-5) << describe(s, alpha);
        }
    }
}

ErrorKind failureOf(auto&& computation)
{
    try {
        computation();
    } catch (const ArithmeticError& error) {
        return error.kind();
    }
    ADD_FAILURE() << "no ArithmeticError";
    return ErrorKind::SubscriptOutOfRange;
}

TEST(SectionAnalysis, FailsWhereTheFlowHasNoFiniteValue)
{
    // Beyond the cusp the trailing edge is re-entrant and the speed there unbounded.
    EXPECT_EQ(failureOf([] { SectionAnalysis(0.1, 0.0, 2.1, {kPi}); }), ErrorKind::DivisionByZero);
    // The flat plate's leading edge sits on the mapping's singular point.
    EXPECT_EQ(failureOf([] { SectionAnalysis(0.0, 0.0, 2.0, {0.0}); }), ErrorKind::DivisionByZero);
    const SectionAnalysis section(kTenPerCentJoukowsky, 0.0, 2.0, {1.0});
    EXPECT_EQ(failureOf([&] { section.loads(std::nan("")); }), ErrorKind::InvalidArgument);
    EXPECT_EQ(failureOf([&] { section.liftCoefficient(INFINITY); }), ErrorKind::Overflow);
    EXPECT_EQ(failureOf([] { SectionAnalysis(0.1, 0.0, 2.0, {std::nan("")}); }), ErrorKind::InvalidArgument);
}

TEST(SeligCircleAngles, TrailingEdgeUpperLeadingEdgeLowerTrailingEdge)
{
    for (int count : {3, 5, 161, 400}) {
        const auto angles = seligCircleAngles(count);
        ASSERT_EQ(angles.size(), static_cast<std::size_t>(count));
        EXPECT_EQ(angles.front(), kPi);
        EXPECT_EQ(angles.back(), -kPi);
        for (std::size_t k = 0; k < angles.size(); ++k) {
            EXPECT_EQ(angles[k], -angles[angles.size() - 1 - k]) << count << " " << k;
            if (k > 0) {
                EXPECT_NEAR(angles[k - 1] - angles[k], 2 * kPi / (count - 1), 1e-14);
            }
        }
        if (count % 2 == 1) {
            EXPECT_EQ(angles[angles.size() / 2], 0.0);
        }
    }
    EXPECT_THROW(seligCircleAngles(2), std::invalid_argument);
}

TEST(IntegratePressures, EitherDirectionOfTravelGivesTheSameLoads)
{
    const Section& s = kSolvedSections[2];
    const SectionAnalysis section(s.F, s.G, s.EM, seligCircleAngles(201));
    auto surface = section.surface();
    auto Cp = section.pressureCoefficients(5.0);
    const IntegratedLoads forward = integratePressures(surface, Cp, 5.0);
    std::reverse(surface.begin(), surface.end());
    std::reverse(Cp.begin(), Cp.end());
    const IntegratedLoads backward = integratePressures(surface, Cp, 5.0);
    EXPECT_NEAR(backward.Cl, forward.Cl, 1e-14);
    EXPECT_NEAR(backward.Cd, forward.Cd, 1e-14);
    EXPECT_NEAR(backward.Cm, forward.Cm, 1e-14);
    EXPECT_GT(forward.Cl, 1.0);

    EXPECT_THROW(integratePressures(surface, std::vector<double>(3, 0.0), 0.0), std::invalid_argument);
}

// A uniform pressure exerts no net force or moment on a closed outline.
TEST(IntegratePressures, UniformPressureHasNoResultant)
{
    const SectionAnalysis section(0.1, 0.05, 1.9, seligCircleAngles(61));
    const IntegratedLoads loads = integratePressures(section.surface(), std::vector<double>(61, 0.7), 3.0);
    EXPECT_NEAR(loads.Cl, 0.0, 1e-15);
    EXPECT_NEAR(loads.Cd, 0.0, 1e-15);
    EXPECT_NEAR(loads.Cm, 0.0, 1e-15);
}

TEST(CoefficientText, FourDecimalsTheUsersSeparatorAndNoNegativeZero)
{
    const struct {
        double value;
        const char* separator;
        const char* text;
    } cases[] = {
        {0.28144, ".", "0.2814"},   {0.76086, ".", "0.7609"},   {-0.06601, ".", "-0.0660"},
        {0.28144, ",", "0,2814"},   {-12.5, ",", "-12,5000"},   {0.0, ".", "0.0000"},
        {-0.0, ".", "0.0000"},      {-0.00004, ".", "0.0000"},  {-0.00005001, ".", "-0.0001"},
        {2.61836, ".", "2.6184"},
    };
    for (const auto& c : cases) EXPECT_EQ(coefficientText(c.value, c.separator), c.text) << c.value;
}

}  // namespace
}  // namespace folix
