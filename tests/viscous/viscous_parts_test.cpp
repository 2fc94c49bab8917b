#include <cmath>
#include <limits>
#include <sstream>
#include <stdexcept>

#include <gtest/gtest.h>

#include "viscous/contour_handover.h"
#include "viscous/polar_file.h"
#include "viscous/polar_summary.h"
#include "viscous/polar_table.h"
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

ViscousAngle angle(double alpha, ViscousAngle::Status status, double Cl = 0, double Cd = 0, std::string failure = "")
{
    ViscousAngle a;
    a.alpha = alpha;
    a.status = status;
    a.Cl = Cl;
    a.Cd = Cd;
    a.failure = std::move(failure);
    return a;
}

// The summary is over converged angles alone; the table keeps the exact
// columns as they are and quotes a status that holds a comma.
TEST(PolarResults, SummaryAndTableHoldOnlyConvergedNumbers)
{
    using S = ViscousAngle::Status;
    SectionPolars polars;
    polars.exact = sectionPolar(0.0703, 0.04377, 1.94444, {-2, 0, 4, 6});
    polars.viscous.angles = {angle(-2, S::NotConverged), angle(0, S::Converged, 0.25, 0.005),
                             angle(4, S::Converged, 0.7, 0.0064), angle(6, S::Failed, 0, 0, "XFOIL said \"no\", twice")};
    polars.viscous.angles[1].xtrTop = 0.7;
    const PolarSummary s = summarisePolar(polars.viscous);
    EXPECT_EQ(s.ClMax, 0.7);
    EXPECT_EQ(s.alphaClMax, 4);
    EXPECT_EQ(s.CdMin, 0.005);
    EXPECT_DOUBLE_EQ(*s.ClCdMax, 0.7 / 0.0064);
    EXPECT_EQ(s.alphaClCdMax, 4);
    EXPECT_EQ(polarStatusText(polars.viscous), "2 of 4 converged");

    const std::string exact = polarCsvText(polars.exact);
    std::istringstream table(polarTableText(polars));
    std::istringstream inviscid(exact);
    const std::string tails[] = {",Cd,Cdp,Cm_visc,Cl_visc,xtr_top,xtr_bottom,status", ",,,,,,,not converged",
                                 ",0.005,0,0,0.25,0.7,0,converged", ",0.0064,0,0,0.7,0,0,converged",
                                 ",,,,,,,\"failed: XFOIL said \"\"no\"\", twice\""};
    for (const std::string& tail : tails) {
        std::string line, exactLine;
        std::getline(table, line);
        std::getline(inviscid, exactLine);
        EXPECT_EQ(line, exactLine + tail);
    }

    polars.viscous.angles = {angle(0, S::Failed, 0, 0, "cancelled"), angle(1, S::NotConverged)};
    EXPECT_FALSE(summarisePolar(polars.viscous).ClMax);
    EXPECT_EQ(polarStatusText(polars.viscous), "failed: cancelled");
    polars.viscous.angles.resize(1);
    EXPECT_THROW(polarTableText(polars), std::invalid_argument);
}

}  // namespace
}  // namespace folix
