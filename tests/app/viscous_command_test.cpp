// folix polar --re and folix batch --re on a stand-in for XFOIL.

#include <gtest/gtest.h>

#include "cli_support.h"
#include "testing/fake_xfoil.h"

namespace folix {
namespace {

using testing::linesOf;
using testing::readBytes;
using testing::runCli;

const std::vector<std::string> kSection = {"--thickness", "0.12", "--camber", "0.02", "--te-angle", "10"};

class ViscousCommands : public testing::InScratchDirectory {
protected:
    // The polar command of the typical section from -1 to 2 degrees, with more arguments.
    std::vector<std::string> polar(std::vector<std::string> more) const
    {
        std::vector<std::string> args = {"polar", "--alpha-from", "-1", "--alpha-to", "2", "--alpha-step", "1"};
        args.insert(args.end(), kSection.begin(), kSection.end());
        args.insert(args.end(), more.begin(), more.end());
        return args;
    }

    // The stand-in keeps the 160 nodes XFOIL re-panels with: the 161 points but
    // the last, which is the first again.
    std::string xfoil(const std::string& alfa = ":") const
    {
        const std::string save = R"(head -n 161 "$contour" > "$2")";
        return writeFakeXfoil(dir() / "xfoil", kImitationXfoil, (dir() / "log").string(), save, alfa).string();
    }
};

TEST_F(ViscousCommands, PolarAddsXfoilsColumnsBesideTheExactOnes)
{
    const auto exact = runCli(polar({}));
    const auto viscous = runCli(polar({"--re", "1e6", "--xfoil", xfoil("[ $2 = 2 ] && continue")}));
    EXPECT_EQ(viscous.status, 0);
    EXPECT_EQ(viscous.err, "folix: warning: 3 of 4 angles converged; the status column tells what became of the "
                           "others\n");
    const auto inviscid = linesOf(exact.out);
    const auto rows = linesOf(viscous.out);
    const std::string tails[] = {",Cd,Cdp,Cm_visc,Cl_visc,xtr_top,xtr_bottom,status",
                                 ",0.01,0.001,-0.05,-0.1,0.5,0.6,converged", ",0.01,0.001,-0.05,0,0.5,0.6,converged",
                                 ",0.01,0.001,-0.05,0.1,0.5,0.6,converged", ",,,,,,,not converged"};
    ASSERT_EQ(rows.size(), 5u);
    for (std::size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(rows[i], inviscid[i] + tails[i]);

    const auto json = runCli(polar({"--re", "1e6", "--xfoil", xfoil("[ $2 = 2 ] && continue"), "--json"}));
    EXPECT_EQ(testing::jsonMember(json.out, "Cl_visc"), "[-0.1, 0, 0.1, null]");
    EXPECT_EQ(testing::jsonMember(json.out, "status"),
              "[\"converged\", \"converged\", \"converged\", \"not converged\"]");
    EXPECT_EQ(testing::jsonMember(json.out, "summary"), "{\"Cl_max\": 0.1, \"alpha_Cl_max\": 1, \"Cd_min\": 0.01, "
                                                         "\"Cl_Cd_max\": 10, \"alpha_Cl_Cd_max\": 1}");
}

TEST_F(ViscousCommands, APolarWithoutResultsOrXfoilFails)
{
    const auto none = runCli(polar({"--re", "1e6", "--xfoil", xfoil("continue")}));
    EXPECT_EQ(none.status, 1);
    EXPECT_EQ(linesOf(none.out).size(), 5u);  // the table says what became of every angle
    EXPECT_EQ(none.err, "error: no angle converged: not converged\n");

    const auto missing = runCli(polar({"--re", "1e6", "--xfoil", "/nonexistent/xfoil"}));
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.out, "");
    EXPECT_NE(missing.err.find("Debian's package xfoil"), std::string::npos);
    const auto batch = runCli({"batch", "-", "--re", "1e6", "--alpha-from", "0", "--alpha-to", "1", "--alpha-step",
                               "1", "--xfoil", "/nonexistent/xfoil"},
                              "0.12,0.02,10\n");
    EXPECT_EQ(batch.status, 1);
    EXPECT_EQ(batch.out, "");
}

TEST_F(ViscousCommands, BatchSumsUpEachRowsPolarAndWritesItsFile)
{
    const std::string csv = "id,thickness,camber,te_angle\na,0.12,0.02,10\nb,0.12,x,10\nc,0.12,0.02,-10\n";
    const auto run = runCli({"batch", "-", "-j", "2", "--re", "1e6", "--alpha-from", "-1", "--alpha-to", "2",
                             "--alpha-step", "1", "--polar-dir", "polars", "--xfoil", xfoil()},
                            csv);
    EXPECT_EQ(run.status, 0) << run.err;
    const auto rows = linesOf(run.out);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_NE(rows[0].find(",Cl_max,alpha_Cl_max,Cd_min,Cl_Cd_max,alpha_Cl_Cd_max,polar_status,status,line"),
              std::string::npos);
    EXPECT_NE(rows[1].find(",0.2,2,0.01,20,2,converged,ok,2"), std::string::npos) << rows[1];
    EXPECT_NE(rows[2].find(",,,,,,,bad row: "), std::string::npos) << rows[2];
    EXPECT_NE(rows[3].find(",,,,,,,surfaces cross,4"), std::string::npos) << rows[3];
    EXPECT_EQ(readBytes(dir() / "polars" / "line-000002.csv"), runCli(polar({"--re", "1e6", "--xfoil", xfoil()})).out);
    EXPECT_FALSE(std::filesystem::exists(dir() / "polars" / "line-000004.csv"));

    // The polar files are files of the command, as the coordinate files are.
    std::ofstream(dir() / "polars" / "line-000001.csv") << "0.12,0.02,10\n";
    const auto clash = runCli({"batch", "polars/line-000001.csv", "--re", "1e6", "--alpha-from", "0", "--alpha-to",
                               "1", "--alpha-step", "1", "--polar-dir", "polars", "--xfoil", xfoil()});
    EXPECT_EQ(clash.status, 2);
    EXPECT_NE(clash.err.find("and the polar file polars/line-000001.csv are one file"), std::string::npos) << clash.err;
}

}  // namespace
}  // namespace folix
