#include <cmath>
#include <limits>
#include <stdexcept>

#include <gtest/gtest.h>

#include "viscous/contour_handover.h"
#include "viscous/polar_file.h"
#include "viscous/viscous_polar.h"

namespace folix {
namespace {

using Branches = std::vector<std::vector<std::size_t>>;

TEST(SweepBranches, FromTheAngleNearestZeroOutwards)
{
    EXPECT_EQ(sweepBranches({3, -2, 0.5, -1, 1.5}), (Branches{{2, 4, 0}, {3, 1}}));
    EXPECT_EQ(sweepBranches({-1, 1}), (Branches{{1}, {0}}));
    EXPECT_EQ(sweepBranches({-3, -1, -2}), (Branches{{1}, {2, 0}}));
    EXPECT_EQ(sweepBranches({}), (Branches{{}, {}}));
}

TEST(CheckedInputs, AreRefusedWithTheirLimits)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        std::vector<double> alphas;
        const char* message;
    } angles[] = {{{0, nan}, "from -90 to 90 degrees (given not a number)"},
                  {{90.5}, "from -90 to 90 degrees (given 90.5)"},
                  {{1, 2, 1.0009}, "at least 0.001 degrees apart (given 1 and 1.0009)"}};
    for (const auto& c : angles) {
        try {
            checkPolarAngles(c.alphas);
            ADD_FAILURE() << c.message;
        } catch (const std::invalid_argument& e) {
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
        }
    }
    EXPECT_NO_THROW(checkPolarAngles({-90, 1, 1.001, 90}));

    ViscousOptions inviscid;
    inviscid.viscous = false;
    EXPECT_NO_THROW(checkViscousOptions(inviscid));
    const auto refused = [](auto change, const char* message) {
        ViscousOptions options;
        options.reynolds = 1e6;
        change(options);
        try {
            checkViscousOptions(options);
            ADD_FAILURE() << message;
        } catch (const std::invalid_argument& e) {
            EXPECT_NE(std::string(e.what()).find(message), std::string::npos) << e.what();
        }
    };
    refused([](auto& o) { o.reynolds = 0; }, "Reynolds number must be from 1000 to 1e9 (given 0)");
    refused([nan](auto& o) { o.mach = nan; }, "Mach number must be from 0 to below 1");
    refused([](auto& o) { o.xtrBottom = 1.5; }, "lower surface's transition x/c must be from 0 to 1 (given 1.5)");
    refused([](auto& o) { o.panelNodes = 400; }, "panel node count must be from 40 to 360 (given 400)");
}

TEST(XfoilName, KeepsWhatXfoilReadsAsAName)
{
    EXPECT_EQ(xfoilName("KARMAN-TREFFTZ F=0.0703 G=0.04377 m=1.94444"), "KARMAN-TREFFTZ F=0.0703 G=0.04377 m=1.94444");
    EXPECT_EQ(xfoilName("  TE\tcut \xc3\xa9 "), "_TE_cut __");
    EXPECT_EQ(xfoilName("00 12"), "_00 12");
    EXPECT_EQ(xfoilName(" "), "section");
    EXPECT_EQ(xfoilName(std::string(60, 'A')), std::string(48, 'A'));
}

TEST(PolarFile, ALineStillBeingWrittenIsNotRead)
{
    const PolarFile polar = readPolarFile(" Calculated polar for: A b\n ------\n 1.000 0.1 0.01 0 0 0.5 0.5\n 2.0");
    EXPECT_EQ(polar.name, "A b");
    ASSERT_EQ(polar.lines.size(), 1u);
    EXPECT_EQ(polar.lines[0]->Cd, 0.01);
    const auto readings = readRunAngles(polar, {1, 2}, 2, true);
    EXPECT_EQ(readings[0].kind, AngleReading::Kind::Converged);
    EXPECT_EQ(readings[1].kind, AngleReading::Kind::NotConverged);
}

}  // namespace
}  // namespace folix
