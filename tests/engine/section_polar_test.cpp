#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>

#include "engine/section_analysis.h"
#include "engine/section_polar.h"

namespace folix {
namespace {

const double kPi = 4 * std::atan(1.0);

TEST(PolarAngles, EachAngleFromItsIndexTheEndIncludedOnTheGrid)
{
    const std::vector<double> angles = polarAngles(-4, 12, 0.1);
    ASSERT_EQ(angles.size(), 161u);
    for (std::size_t k = 0; k < angles.size(); ++k) EXPECT_EQ(angles[k], -4 + static_cast<double>(k) * 0.1) << k;
    EXPECT_EQ(polarAngles(0, 0.3, 0.1).size(), 4u);  // 0.3 / 0.1 is 2.9999999999999996
    EXPECT_EQ(polarAngles(1, 1, 0.5), std::vector<double>{1});
    EXPECT_EQ(polarAngles(0, 0.99, 0.5).size(), 2u);
    EXPECT_EQ(polarAngles(0, 100000, 1).size(), kMostPolarAngles);

    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double bad[][3] = {{0, 1, 0}, {0, 1, -0.5}, {1, 0, 1}, {0, 100001, 1}, {0, 1, nan}, {-1e308, 1e308, 1}};
    for (const auto& b : bad) EXPECT_THROW(polarAngles(b[0], b[1], b[2]), std::invalid_argument) << b[0] << " " << b[2];
}

TEST(SectionPolar, LiftOfTheFlatPlateAndTheTenPerCentJoukowsky)
{
    const std::vector<double> alphas = polarAngles(-10, 12, 2);
    const std::vector<PolarRow> plate = sectionPolar(0, 0, 2, alphas);  // its leading edge left out of Cp_min
    const std::vector<PolarRow> joukowsky = sectionPolar(0.0835416, 0, 2, alphas);
    for (std::size_t k = 0; k < alphas.size(); ++k) {
        const double flatPlate = 2 * kPi * std::sin(alphas[k] * kPi / 180);
        EXPECT_NEAR(plate[k].Cl, flatPlate, 1e-14);
        if (alphas[k] != 0) {
            EXPECT_NEAR(joukowsky[k].Cl / flatPlate, 1.0771, 0.00005) << alphas[k];
        }
    }
}

// The minimum over the continuous surface against a sample a hundred times finer.
TEST(SectionPolar, LowestPressureOfTheSurface)
{
    const double sections[][3] = {{0.0835416, 0, 2}, {0.070304405967124839, 0.043769303782416197, 1.9444444444444444}};
    for (const auto& s : sections) {
        const SectionAnalysis fine(s[0], s[1], s[2], seligCircleAngles(204801));
        for (const double alpha : {-8.0, 0.0, 4.0, 15.0}) {
            const PolarRow row = sectionPolar(s[0], s[1], s[2], {alpha}).front();
            const std::vector<double> Cp = fine.pressureCoefficients(alpha);
            const auto lowest = std::min_element(Cp.begin(), Cp.end());
            EXPECT_LE(row.CpMin, *lowest + 1e-12) << alpha;
            EXPECT_NEAR(row.CpMin, *lowest, 1e-6 * std::abs(*lowest)) << alpha;
            EXPECT_NEAR(row.xCpMin, fine.surface()[static_cast<std::size_t>(lowest - Cp.begin())].x, 1e-4) << alpha;
        }
    }
}

TEST(SectionPolar, ReEntrantTrailingEdgeTakesTheFinitePointsOfTheFile)
{
    const double F = 0.1296, G = 0.04423, EM = 2.05556;
    ASSERT_FALSE(hasFiniteSurfaceSpeed(F, EM));
    std::vector<double> inner = seligPointAngles(41);
    inner = {inner.begin() + 1, inner.end() - 1};  // the trailing edge has no finite speed
    const SectionAnalysis points(F, G, EM, inner);
    for (const double alpha : {-4.0, 6.0}) {
        const std::vector<double> Cp = points.pressureCoefficients(alpha);
        const auto lowest = std::min_element(Cp.begin(), Cp.end());
        const PolarRow row = sectionPolar(F, G, EM, {alpha}, 41).front();
        EXPECT_EQ(row.CpMin, *lowest);
        EXPECT_EQ(row.xCpMin, points.surface()[static_cast<std::size_t>(lowest - Cp.begin())].x);
    }
}

}  // namespace
}  // namespace folix
