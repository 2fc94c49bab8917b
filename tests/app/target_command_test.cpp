#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "cli_support.h"
#include "design/cavitation_bucket.h"
#include "design/reported_design.h"

namespace folix {
namespace {

using testing::jsonMember;
using testing::linesOf;
using testing::runCli;

const std::vector<std::string> kSection = {"design", "--thickness", "0.12", "--te-angle", "10"};

std::vector<std::string> with(std::vector<std::string> args, const std::vector<std::string>& extra)
{
    args.insert(args.end(), extra.begin(), extra.end());
    return args;
}

// The reported design is `folix design --camber` of the camber printed with every digit.
TEST(TargetCommand, PrintedCamberGivesTheSameDesignAndTheTargetLift)
{
    const std::vector<std::string> targets[] = {{"--cl", "0.5", "--alpha", "2"}, {"--cl", "0.3", "--ideal"},
                                                {"--cl", "0.9", "--alpha", "1", "--max-thickness-at", "0.3"}};
    for (const auto& target : targets) {
        const testing::CliRun solved = runCli(with(with(kSection, target), {"--json"}));
        ASSERT_EQ(solved.status, 0) << solved.err;
        const std::string camber = jsonMember(solved.out, "camber");
        const std::string alpha = jsonMember(solved.out, "alpha");
        std::vector<std::string> plain = with(kSection, {"--camber", camber, "--alpha", alpha, "--json"});
        if (target.size() > 4) plain = with(plain, {"--max-thickness-at", "0.3"});
        const testing::CliRun ordinary = runCli(plain);
        for (const char* member : {"F", "G", "m", "max_thickness_at", "Cl", "Cm"})
            EXPECT_EQ(jsonMember(ordinary.out, member), jsonMember(solved.out, member)) << member;
        EXPECT_LE(std::abs(std::stod(jsonMember(solved.out, "Cl")) - std::stod(target[1])), 1e-9);
        EXPECT_EQ(jsonMember(solved.out, "alpha_ideal"), target[2] == "--ideal" ? alpha : "<missing>");

        const testing::CliRun text = runCli(with(kSection, target));
        const std::vector<std::string> lines = linesOf(text.out);
        ASSERT_GE(lines.size(), 6u);
        EXPECT_EQ(lines[5], "camber: " + camber);
    }
}

TEST(TargetCommand, ContradictionsAndTargetsOutOfRangeAreUsageErrors)
{
    const std::vector<std::string> wrong[] = {
        {"--cl", "-0.1", "--alpha", "2"},
        {"--cl", "0.5"},
        {"--cl", "0.5", "--alpha", "2", "--camber", "0.02"},
        {"--cl", "0.5", "--alpha", "2", "--ideal"},
        {"--ideal"},
        {"--cl", "0.3", "--sigma", "0", "--bucket-half-width", "0.2"},
        {"--cl", "0.3", "--sigma", "0.8", "--bucket-half-width", "-0.2"},
        {"--cl", "0.3", "--sigma", "0.8"},
        {"--sigma", "0.8", "--bucket-half-width", "0.2"},
        {"--cl", "0.3", "--sigma", "0.8", "--bucket-half-width", "0.2", "--ideal"},
    };
    for (const auto& args : wrong) {
        const testing::CliRun run = runCli(with(kSection, args));
        EXPECT_EQ(run.status, 2) << args[0] << " " << args[1];
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err.rfind("folix: ", 0), 0u) << run.err;
    }
    EXPECT_EQ(runCli(with(kSection, {"--cl", "0.3", "--sigma", "0.8", "--bucket-half-width", "0.2"})).status, 2)
        << "the thickness is solved";
    EXPECT_EQ(runCli({"bucket", "--thickness", "0.12"}).status, 2);
    EXPECT_EQ(runCli({"bucket", "--sigma", "-1"}).status, 2);
}

TEST(TargetCommand, TargetNotMetFailsWithReasonAndHint)
{
    const testing::CliRun run = runCli(with(kSection, {"--cl", "0.1", "--alpha", "2", "--json"}));
    EXPECT_EQ(run.status, 1);
    const std::vector<std::string> said = linesOf(run.err);
    ASSERT_EQ(said.size(), 2u);
    EXPECT_EQ(said[0].rfind("error: Cl 0.1 at 2\u00b0 is below the symmetric section's Cl 0.24021 there", 0), 0u);
    EXPECT_EQ(said[1].rfind("hint: lower the angle of attack to 0.832", 0), 0u);
    EXPECT_EQ(jsonMember(run.out, "hint"), "\"" + said[1].substr(6) + "\"");
}

TEST(BucketCommand, RangeAsTheDesignLayerFindsItOrNoneBelowTheFloor)
{
    const std::vector<std::string> bucket = {"bucket", "--thickness", "0.12", "--camber", "0.02", "--te-angle", "10",
                                             "--sigma", "0.8"};
    DesignInputs in;
    in.thickness = 0.12;
    in.camber = 0.02;
    in.teAngleDegrees = 10;
    const DesignRecord r = reportedDesign(in).record;
    const CavitationBucket expected = *cavitationBucket(r.F, r.G, r.m, 0.8).bucket;

    const testing::CliRun json = runCli(with(bucket, {"--json", "--table"}));
    ASSERT_EQ(json.status, 0) << json.err;
    EXPECT_EQ(std::stod(jsonMember(json.out, "alpha_low")), expected.low.alpha);
    EXPECT_EQ(std::stod(jsonMember(json.out, "Cl_high")), expected.high.Cl);
    EXPECT_EQ(std::stod(jsonMember(json.out, "minus_Cp_min_floor")), expected.floor.suction);
    EXPECT_EQ(jsonMember(json.out, "cavitation_free"), "true");

    const std::vector<std::string> lines = linesOf(runCli(with(bucket, {"--table"})).out);
    ASSERT_EQ(lines.size(), 5u + 9u + 1u + 1u + 41u);
    const char* names[] = {"sigma", "alpha_low", "alpha_high", "Cl_low", "Cl_high", "Cl_width", "alpha_floor",
                           "Cl_floor", "minus_Cp_min_floor"};
    for (std::size_t i = 0; i < std::size(names); ++i) EXPECT_EQ(lines[5 + i].rfind(std::string(names[i]) + ": ", 0), 0u);
    EXPECT_EQ(lines[15], "alpha,Cl,minus_Cp_min");

    const testing::CliRun below = runCli(with(bucket, {"--sigma=0.3"}));
    EXPECT_EQ(below.status, 2);  // given twice
    const testing::CliRun none = runCli({"bucket", "--thickness", "0.12", "--camber", "0.02", "--te-angle", "10",
                                         "--sigma", "0.3"});
    EXPECT_EQ(none.status, 1);
    EXPECT_EQ(none.err.rfind("error: no cavitation-free range at sigma 0.3: the bucket's floor is -Cp_min 0.447269", 0),
              0u);
    EXPECT_NE(none.out.find("minus_Cp_min_floor: 0.447268569"), std::string::npos);
    EXPECT_EQ(runCli({"bucket", "--te-angle", "-10", "--sigma", "1"}).status, 1);
}

TEST(BatchTargets, SolvedColumnsMatchTheCommandAndContradictionsAreBadRows)
{
    const std::string csv =
        "thickness,camber,te_angle,cl,alpha,ideal,sigma\n"
        "0.12,,10,0.5,2,,\n"
        "0.12,,10,0.3,,yes,0.8\n"
        "0.12,0.02,10,,,,0.8\n"
        "0.12,0.02,10,0.5,2,,\n"
        "0.12,,10,0.5,2,maybe,\n";
    const testing::CliRun run = runCli({"batch", "-"}, csv);
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<std::string> rows = linesOf(run.out);
    ASSERT_EQ(rows.size(), 6u);
    EXPECT_EQ(rows[0],
              "thickness,camber,te_angle,max_thickness_at,cl,alpha,ideal,sigma,family,F,G,m,measured_max_thickness_at,"
              "solved_thickness,solved_camber,solved_alpha,solved_Cl,design_runs,alpha_low,alpha_high,Cl_low,Cl_high,"
              "Cl_width,alpha_floor,Cl_floor,minus_Cp_min_floor,status,line");
    const std::string camber = jsonMember(runCli(with(kSection, {"--cl", "0.5", "--alpha", "2", "--json"})).out, "camber");
    EXPECT_NE(rows[1].find(",0.07032,0.04043,1.94444,0.32644,," + camber + ",2,"), std::string::npos) << rows[1];
    EXPECT_NE(rows[2].find(",ok,3"), std::string::npos) << rows[2];
    EXPECT_NE(rows[3].find(",,,,,-2.48157561242115"), std::string::npos) << rows[3];
    EXPECT_NE(rows[4].find(",bad row: camber and cl exclude each other,5"), std::string::npos) << rows[4];
    EXPECT_NE(rows[5].find(",\"bad row: ideal 'maybe' is not 1, 0, true, false, yes or no\",6"), std::string::npos)
        << rows[5];

    // Named in any order, the camber a target solves for may be left out, and other columns ride along.
    const auto named = linesOf(runCli({"batch", "-"}, "id,cl,te_angle,alpha,thickness\nA,0.5,10,2,0.12\n").out);
    ASSERT_EQ(named.size(), 2u);
    EXPECT_EQ(named[1].rfind("0.12,,10,,0.5,2,A,KARMAN-TREFFTZ AIRFOIL,0.07032,0.04043,", 0), 0u) << named[1];
}

}  // namespace
}  // namespace folix
