// Debian's xfoil itself, a few seconds in all; skipped where it is not installed.

#include <cmath>

#include <gtest/gtest.h>

#include "engine/section_analysis.h"
#include "engine/selig_export.h"
#include "viscous/viscous_polar.h"
#include "viscous/xfoil_program.h"

namespace folix {
namespace {

// The section of 12 % thickness, 2 % camber and a 10 degree trailing edge,
// every digit as folix design --json gives it.
constexpr double kF = 0.07030440596712484;
constexpr double kG = 0.0437693037824162;
constexpr double kM = 1.9444444444444444;
constexpr const char* kName = "KARMAN-TREFFTZ F=0.0703 G=0.04377 m=1.94444";

class RealXfoil : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::string reason = xfoilUnavailableReason("");
        if (!reason.empty()) GTEST_SKIP() << reason;
    }
};

// Checks the contour's hand-over. At XFOIL's default paneling its Cl is 0.3 %
// low at 0 degrees and 1.7 % near zero lift (-2 degrees, Cl 0.041), the
// discretisation at the trailing edge; 300 nodes, as dense there as at the
// leading edge, bring every angle within 0.5 %.
TEST_F(RealXfoil, InviscidLiftAgreesWithTheExactFlow)
{
    ViscousOptions options;
    options.viscous = false;
    options.panelNodes = 300;
    options.trailingEdgePanelDensity = 1;
    std::vector<double> alphas;
    for (int alpha = -4; alpha <= 8; ++alpha) alphas.push_back(alpha);
    const SectionAnalysis exact(kF, kG, kM, seligPointAngles(kDefaultSeligPoints));
    const ViscousPolar polar = viscousPolar(seligPoints(kF, kG, kM, kDefaultSeligPoints), kName, alphas, options);
    for (const ViscousAngle& angle : polar.angles) {
        EXPECT_EQ(statusText(angle), "converged") << angle.alpha;
        const double Cl = exact.liftCoefficient(angle.alpha);
        EXPECT_NEAR(angle.Cl, Cl, 0.005 * std::abs(Cl)) << angle.alpha;
    }
}

// The figures of XFOIL run by hand on this contour with these commands.
TEST_F(RealXfoil, ViscousPolarIsXfoilsOwn)
{
    ViscousOptions options;
    options.reynolds = 1e6;
    const ViscousPolar polar = viscousPolar(seligPoints(kF, kG, kM, kDefaultSeligPoints), kName, {4, 0}, options);
    const ViscousAngle& four = polar.angles[0];
    const ViscousAngle& zero = polar.angles[1];
    EXPECT_EQ(statusText(zero), "converged");
    EXPECT_EQ(statusText(four), "converged");
    EXPECT_EQ(zero.Cl, 0.2561);
    EXPECT_EQ(zero.Cd, 0.00538);
    EXPECT_EQ(four.Cl, 0.7035);
    EXPECT_EQ(four.Cd, 0.00637);
    EXPECT_EQ(four.xtrTop, 0.4608);
}

// 1,001 points would stop XFOIL with the previous airfoil loaded, and a
// name beginning with digits could be read as coordinates.
TEST_F(RealXfoil, LongContoursAndNumericNamesAreHandedOver)
{
    ViscousOptions options;
    options.reynolds = 1e6;
    const ViscousPolar polar = viscousPolar(seligPoints(kF, kG, kM, 1001), "0012 12 T", {0}, options);
    EXPECT_EQ(statusText(polar.angles[0]), "converged");
    EXPECT_NEAR(polar.angles[0].Cl, 0.2561, 0.001);
}

}  // namespace
}  // namespace folix
