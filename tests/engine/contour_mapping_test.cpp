#include <gtest/gtest.h>

#include <cmath>

#include "engine/contour_mapping.h"

namespace folix {
namespace {

constexpr double kSixDecimals = 5e-7;
const double kPi = 4 * std::atan(1.0);

struct Mapped {
    double xu, yu, xl, yl;
};

Mapped map(DesignState& state, double F, double G, double EM, double teta, double B, int I = 7)
{
    XY(state, F, G, EM, teta, I, B);
    return {state.XU[I], state.YU[I], state.XL[I], state.YL[I]};
}

TEST(ContourMapping, PublishedPointsToSixDecimals)
{
    struct Case {
        double F, G, EM, teta, B;
        Mapped expected;
    };
    const Case cases[] = {
        {0.1, 0.0, 2.0, 1.0, 0.7, {0.763898, 0.166019, 0.763898, -0.166019}},
        {0.1, 0.1, 1.9, 2.0, 1.0, {-0.779958, 0.356465, -0.756676, -0.076312}},
        {0.1, 0.1, 2.0, 2.0, 1.0, {-0.840021, 0.248393, -0.832657, 0.053733}},
    };
    for (const auto& c : cases) {
        DesignState state;
        const Mapped p = map(state, c.F, c.G, c.EM, c.teta, c.B);
        EXPECT_NEAR(p.xu, c.expected.xu, kSixDecimals);
        EXPECT_NEAR(p.yu, c.expected.yu, kSixDecimals);
        EXPECT_NEAR(p.xl, c.expected.xl, kSixDecimals);
        EXPECT_NEAR(p.yl, c.expected.yl, kSixDecimals);
    }
}

TEST(ContourMapping, JoukowskyCaseIsZetaPlusOneOverZeta)
{
    const double F = 0.1, teta = 1.0, B = 0.7;
    const double P = F * std::cos(teta);
    const double rho = P + std::sqrt(1 + 2 * F + P * P);
    const double zx = rho * std::cos(teta), zy = rho * std::sin(teta);
    const double n = zx * zx + zy * zy;
    DesignState state;
    const Mapped p = map(state, F, 0, 2, teta, B);
    EXPECT_NEAR(p.xu, B * (zx + zx / n), 1e-12);
    EXPECT_NEAR(p.yu, B * (zy - zy / n), 1e-12);
}

TEST(ContourMapping, LeadingPointAtAngleZero)
{
    for (double EM : {2.0, 1.9}) {
        const double F = 0.1, B = 1.3;
        DesignState state;
        const Mapped p = map(state, F, 0.05, EM, 0.0, B);
        const double expected =
            EM * B * (std::pow(1 + F, EM) + std::pow(F, EM)) / (std::pow(1 + F, EM) - std::pow(F, EM));
        EXPECT_NEAR(p.xu, expected, 1e-12) << EM;
        EXPECT_EQ(p.yu, 0.0);
        EXPECT_EQ(p.xl, p.xu);
        EXPECT_EQ(p.yl, p.yu);
    }
    DesignState state;
    const Mapped unit = map(state, 0, 0, 1.9, 0.0, 1.5);  // rho exactly 1: no division for phi
    EXPECT_EQ(unit.xu, 1.9 * 1.5);
    EXPECT_EQ(unit.yu, 0.0);
    EXPECT_EQ(unit.xl, 1.9 * 1.5);
}

TEST(ContourMapping, SymmetricSectionMirrorsExactly)
{
    for (double teta : {0.3, 1.0, 2.5, 3.1, -2.0, 7.0}) {
        DesignState state;
        const Mapped p = map(state, 0.2, 0.0, 1.85, teta, 1.0);
        EXPECT_EQ(p.xl, p.xu) << teta;
        EXPECT_EQ(p.yl, -p.yu) << teta;
    }
}

TEST(ContourMapping, AngleIsNotReducedButAWholeTurnGivesTheSamePoint)
{
    DesignState a, b;
    const Mapped p = map(a, 0.1, 0.1, 1.9, 2.0, 1.0);
    const Mapped q = map(b, 0.1, 0.1, 1.9, 2.0 + 2 * kPi, 1.0);
    EXPECT_NEAR(p.xu, q.xu, 1e-12);
    EXPECT_NEAR(p.yu, q.yu, 1e-12);
}

TEST(ContourMapping, OutlineIsSmoothWhereTheImplicitAngleCasesApply)
{
    // G < 0 gives rho < 1 with sin > 0 behind theta*; the outline must not jump there.
    const double F = 0.1, G = -0.1, EM = 1.9;
    DesignState state;
    Mapped previous = map(state, F, G, EM, 0.5, 1.0);
    for (int step = 1; step <= 259; ++step) {
        const double teta = 0.5 + 0.01 * step;
        const Mapped p = map(state, F, G, EM, teta, 1.0);
        EXPECT_LT(std::hypot(p.xu - previous.xu, p.yu - previous.yu), 0.05) << teta;
        previous = p;
    }
}

TEST(ContourMapping, ReturnsTetaAndSetsPi)
{
    DesignState state;
    double F = 0.1, G = 0.1, EM = 1.9, teta = 2.0, B = 1.0;
    int I = 3;
    XY(state, F, G, EM, teta, I, B);
    EXPECT_EQ(teta, 2.0);
    EXPECT_EQ(state.Pi, 4 * std::atan(1.0));
    EXPECT_EQ(F, 0.1);
    EXPECT_EQ(I, 3);
}

TEST(ContourMapping, DesignScaleGivesUnitChord)
{
    const double B = chordNormalisingScale(0.1, 2.0);
    EXPECT_NEAR(B, 0.247934, kSixDecimals);
    DesignState state;
    const Mapped front = map(state, 0.1, 0, 2, 0.0, B);
    EXPECT_NEAR(front.xu, 0.504132, kSixDecimals);
    EXPECT_NEAR(front.xu - (-2 * B), 1.0, 1e-12);
    EXPECT_NEAR(-2 * B, -0.495868, kSixDecimals);
}

TEST(ContourMappingFailure, TrailingEdgeDividesByZeroBeforeStoring)
{
    for (double teta : {kPi, -kPi}) {
        DesignState state;
        state.XU[5] = 42;
        double F = 0.1, G = 0.0, EM = 2.0, B = 1.0, t = teta;
        int I = 5;
        try {
            XY(state, F, G, EM, t, I, B);
            FAIL();
        } catch (const ArithmeticError& error) {
            EXPECT_EQ(error.kind(), ErrorKind::DivisionByZero);
        }
        EXPECT_EQ(t, teta);
        EXPECT_EQ(state.XU[5], 42);
        EXPECT_EQ(state.XL[5], 0);
    }
}

TEST(ContourMappingFailure, SlotOutsideTheTablesStoresNothing)
{
    for (int slot : {101, -1}) {
        DesignState state;
        double F = 0.1, G = 0.1, EM = 1.9, teta = 2.0, B = 1.0;
        try {
            XY(state, F, G, EM, teta, slot, B);
            FAIL();
        } catch (const ArithmeticError& error) {
            EXPECT_EQ(error.kind(), ErrorKind::SubscriptOutOfRange);
        }
        EXPECT_EQ(teta, 2.0);
        for (int i = 0; i <= 100; ++i) ASSERT_EQ(state.XU[i] + state.YU[i] + state.XL[i] + state.YL[i], 0.0);
    }
}

TEST(ContourMappingFailure, CircleNotAroundTheOriginIsAnInvalidArgument)
{
    DesignState state;
    double F = -0.6, G = 0.0, EM = 2.0, teta = 1.0, B = 1.0;
    int I = 1;
    try {
        XY(state, F, G, EM, teta, I, B);
        FAIL();
    } catch (const ArithmeticError& error) {
        EXPECT_EQ(error.kind(), ErrorKind::InvalidArgument);
    }
}

TEST(ContourMappingFailure, SecondPassErrorKeepsTheFirstPairAndLeavesTetaNegated)
{
    // F = -1/2 puts the origin on the circle: the second pass meets rho = 0.
    DesignState state;
    double F = -0.5, G = 0.5, EM = 2.0, teta = 1.2, B = 1.0;
    int I = 4;
    try {
        XY(state, F, G, EM, teta, I, B);
        FAIL();
    } catch (const ArithmeticError& error) {
        EXPECT_EQ(error.kind(), ErrorKind::DivisionByZero);
    }
    EXPECT_EQ(teta, -1.2);
    EXPECT_NE(state.XU[4], 0.0);
    EXPECT_NE(state.YU[4], 0.0);
    EXPECT_EQ(state.XL[4], 0.0);
    EXPECT_EQ(state.YL[4], 0.0);
}

}  // namespace
}  // namespace folix
