#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <variant>

#include "app/cli/batch_run.h"
#include "app/cli/command_line.h"
#include "app/cli/json_text.h"
#include "engine/section_flow.h"
#include "cli_support.h"
#include "engine/section_analysis.h"
#include "engine/selig_export.h"
#include "results/results_file.h"
#include "design/design_run.h"
#include "window/typed_inputs.h"

namespace folix {
namespace {

using testing::jsonMember;
using testing::linesOf;
using testing::readBytes;
using testing::runCli;

const std::vector<std::string> kTypical = {"design", "--thickness", "0.12", "--camber", "0.02", "--te-angle", "10"};
const std::vector<std::string> kReEntrant = {"design", "--thickness", "0.12", "--camber", "0.02", "--te-angle", "-10"};
const std::string kTypicalResults =
    "family: KARMAN-TREFFTZ AIRFOIL\nF: 0.0703\nG: 0.04377\nm: 1.94444\nmax thickness at: 0.32657\n";
const std::string kReEntrantError =
    "error: analysis: Division by zero (m > 2: the trailing edge is re-entrant and the flow speed there unbounded)\n";
const std::string kReEntrantWarning = "folix: warning: the upper and lower surfaces cross from x/c 0.88679 (a negative "
                                      "trailing-edge angle, m > 2): the outline is no valid section\n";

std::vector<std::string> with(std::vector<std::string> args, const std::vector<std::string>& extra)
{
    args.insert(args.end(), extra.begin(), extra.end());
    return args;
}

// The window's design of the same inputs.
DesignState windowDesign(const std::string& delta, const std::string& gamma, const std::string& tau)
{
    struct Silent : DesignFrontEnd {
        void clearHistory() override {}
        void append(const std::string&) override {}
        void showResults(const ResultTexts&) override {}
        void drawSection(const Outline&) override {}
    } frontEnd;
    DesignState state;
    runDesign(state, readTypedInputs({delta, gamma, tau, "0.00", false}), frontEnd);
    return state;
}

TEST(FlowCommand, PlainOutputAddsClAndCm)
{
    struct Case {
        const char* alpha;
        const char* loads;
    };
    const Case cases[] = {
        {"0", "Cl: 0.2814\nCm: -0.0660\n"},
        {"4", "Cl: 0.7609\nCm: -0.0725\n"},
        {"-2.3418", "Cl: 0.0000\nCm: -0.0623\n"},  // just below zero lift: no "-0.0000"
        {"364", "Cl: 0.7609\nCm: -0.0725\n"},                 // a full turn later
    };
    for (const Case& c : cases) {
        const auto run = runCli(with(kTypical, {"--alpha", c.alpha}));
        EXPECT_EQ(run.status, 0) << c.alpha;
        EXPECT_EQ(run.out, kTypicalResults + c.loads) << c.alpha;
        EXPECT_EQ(run.err, "");
    }
    // Without --alpha the output stays as it was.
    EXPECT_EQ(runCli(kTypical).out, kTypicalResults);
}

TEST(FlowCommand, JsonHoldsTheWindowsAnalysisUnrounded)
{
    const DesignState window = windowDesign("0.12", "0.02", "10");
    const SectionAnalysis analysis(window.F, window.G, window.EM, {});
    for (double alpha : {0.0, 4.0, -7.5}) {
        std::ostringstream alphaText;
        alphaText << alpha;
        const auto run = runCli(with(kTypical, {"--alpha", alphaText.str(), "--json"}));
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(jsonMember(run.out, "alpha"), jsonNumber(alpha));
        EXPECT_EQ(jsonMember(run.out, "Cl"), jsonNumber(analysis.liftCoefficient(alpha))) << alpha;
        EXPECT_EQ(jsonMember(run.out, "Cm"), jsonNumber(analysis.momentCoefficient(alpha))) << alpha;
        EXPECT_EQ(jsonMember(run.out, "zero_lift_angle"), jsonNumber(analysis.zeroLiftAngle()));
        EXPECT_EQ(jsonMember(run.out, "error"), "null");
    }
    const auto at4 = runCli(with(kTypical, {"--alpha", "4", "--json"})).out;
    EXPECT_NEAR(std::strtod(jsonMember(at4, "Cl").c_str(), nullptr), 0.7609, 0.00005);
    EXPECT_NEAR(std::strtod(jsonMember(at4, "Cm").c_str(), nullptr), -0.0725, 0.00005);
    EXPECT_NEAR(std::strtod(jsonMember(at4, "zero_lift_angle").c_str(), nullptr),
                -std::atan(window.G / (1 + window.F)) * 45 / std::atan(1.0), 1e-12);
    EXPECT_NE(at4.find("\"max_thickness_at\": 0.3265665779221182,\n  \"surfaces_cross_from\": null,\n  \"alpha\": 4,\n  \"Cl\": "),
              std::string::npos)
        << at4;

    EXPECT_EQ(jsonMember(runCli(with(kTypical, {"--json"})).out, "alpha"), "<missing>");
}

TEST(FlowCommand, FailedDesignLeavesTheLoadsNull)
{
    const auto run = runCli({"design", "--thickness", "0.06", "--te-angle", "18", "--alpha", "2", "--json"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(jsonMember(run.out, "alpha"), "2");  // the angle is known, the loads are not
    EXPECT_EQ(jsonMember(run.out, "Cl"), "null");
    EXPECT_EQ(jsonMember(run.out, "Cm"), "null");
    EXPECT_EQ(jsonMember(run.out, "zero_lift_angle"), "null");
    EXPECT_EQ(jsonMember(run.out, "error"), "\"Invalid argument\"");
    EXPECT_EQ(run.err.rfind("error: Invalid argument\nhint: ", 0), 0u);
}

class FlowFiles : public testing::InScratchDirectory {};

// The x y text of every line of the pressure file is the coordinate file's.
TEST_F(FlowFiles, PressureFileHasTheCoordinateFilesPointsAndOrder)
{
    const DesignState window = windowDesign("0.12", "0.02", "10");
    for (int points : {5, 41, kDefaultSeligPoints}) {
        const std::string count = std::to_string(points);
        const auto run = runCli(with(kTypical, {"--alpha", "4", "--dat", "s.dat", "--cp", "s.cp", "--points", count}));
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out, kTypicalResults + "Cl: 0.7609\nCm: -0.0725\n");

        const auto dat = linesOf(readBytes(dir() / "s.dat"));
        const auto cp = linesOf(readBytes(dir() / "s.cp"));
        ASSERT_EQ(cp.size(), static_cast<std::size_t>(points) + 1);
        ASSERT_EQ(dat.size(), cp.size());
        EXPECT_EQ(cp.front(), dat.front() + "  alpha=4");
        EXPECT_EQ(cp.front(), "KARMAN-TREFFTZ F=0.0703 G=0.04377 m=1.94444  alpha=4");

        const SectionAnalysis analysis(window.F, window.G, window.EM, seligPointAngles(points));
        const auto Cp = analysis.pressureCoefficients(4.0);
        for (std::size_t i = 1; i < cp.size(); ++i) {
            EXPECT_EQ(cp[i].substr(0, dat[i].size()), dat[i]) << points << " line " << i;
            std::istringstream numbers(cp[i].substr(dat[i].size()));
            double value = 0;
            std::string rest;
            ASSERT_TRUE(numbers >> value) << cp[i];
            EXPECT_FALSE(numbers >> rest) << cp[i];
            EXPECT_NEAR(value, Cp[i - 1], 5.1e-11) << points << " line " << i;
        }
        // A trailing edge sharper than a cusp is a stagnation point.
        EXPECT_EQ(cp[1], " 1.0000000000  0.0000000000  1.0000000000");
        EXPECT_EQ(cp.back(), " 1.0000000000  0.0000000000  1.0000000000");
    }
    EXPECT_EQ(entries(), (std::vector<std::string>{"s.cp", "s.dat"}));
}

TEST_F(FlowFiles, PressureFileAloneTakesNoIncidenceUnlessGiven)
{
    const auto run = runCli(with(kTypical, {"--cp", "zero.cp", "--points", "21"}));
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, kTypicalResults);  // loads are printed for --alpha only
    const std::string zero = readBytes(dir() / "zero.cp");
    EXPECT_EQ(linesOf(zero).size(), 22u);
    EXPECT_EQ(linesOf(zero).front(), "KARMAN-TREFFTZ F=0.0703 G=0.04377 m=1.94444  alpha=0");

    EXPECT_EQ(runCli(with(kTypical, {"--cp", "explicit.cp", "--points", "21", "--alpha", "0"})).status, 0);
    EXPECT_EQ(readBytes(dir() / "explicit.cp"), zero);
    EXPECT_EQ(runCli(with(kTypical, {"--cp", "default.cp"})).status, 0);
    EXPECT_EQ(linesOf(readBytes(dir() / "default.cp")).size(), static_cast<std::size_t>(kDefaultSeligPoints) + 1);
}

// Past the cusp the loads of the Kutta flow exist, as the window shows them;
// the pressure at the trailing edge does not.
TEST_F(FlowFiles, ReEntrantTrailingEdgeHasLoadsButNoPressureFile)
{
    const DesignState window = windowDesign("0.12", "0.02", "-10");
    ASSERT_GT(window.EM, 2.0);
    const SectionAnalysis circulation(window.F, window.G, window.EM, {});

    const auto loads = runCli(with(kReEntrant, {"--alpha", "2"}));
    EXPECT_EQ(loads.status, 0) << loads.err;
    const auto lines = linesOf(loads.out);
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[5], "Cl: " + coefficientText(circulation.liftCoefficient(2.0)));
    EXPECT_EQ(lines[6], "Cm: " + coefficientText(circulation.momentCoefficient(2.0)));
    EXPECT_EQ(lines[5], "Cl: 0.5053");

    const auto json = runCli(with(kReEntrant, {"--alpha", "2", "--cp", "s.cp", "--dat", "s.dat", "--save", "--json"}));
    EXPECT_EQ(json.status, 1);
    EXPECT_EQ(jsonMember(json.out, "converged"), "true");
    EXPECT_EQ(jsonMember(json.out, "Cl"), jsonNumber(circulation.liftCoefficient(2.0)));
    EXPECT_EQ(jsonMember(json.out, "Cm"), jsonNumber(circulation.momentCoefficient(2.0)));
    EXPECT_EQ(jsonMember(json.out, "error"), jsonString(kReEntrantError.substr(7, kReEntrantError.size() - 8)));
    EXPECT_EQ(json.err, kReEntrantWarning + kReEntrantError);
    EXPECT_TRUE(entries().empty());
}

TEST_F(FlowFiles, SectionWithoutAFiniteFlowWritesNothing)
{
    const auto run = runCli(with(kReEntrant, {"--cp", "s.cp", "--dat", "s.dat", "--save"}));
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, kReEntrantWarning + kReEntrantError);
    EXPECT_EQ(linesOf(run.out).front(), "family: KARMAN-TREFFTZ AIRFOIL");
    EXPECT_TRUE(entries().empty());

    // Without thickness the leading edge is the mapping's singular point:
    // the loads exist, the pressure there does not.
    const std::vector<std::string> arc = {"design", "--thickness", "0", "--camber", "0.02", "--alpha", "3"};
    const auto loads = runCli(arc);
    EXPECT_EQ(loads.status, 0) << loads.err;
    EXPECT_EQ(linesOf(loads.out)[1], "F: 0");
    EXPECT_EQ(linesOf(loads.out).size(), 7u);
    const auto pressures = runCli(with(arc, {"--cp", "arc.cp"}));
    EXPECT_EQ(pressures.status, 1);
    EXPECT_EQ(pressures.err,
              "error: analysis: Division by zero (F = 0: the leading edge of a section without thickness is a singular point)\n");
    EXPECT_TRUE(entries().empty());
}

TEST_F(FlowFiles, PressureFileThatCannotBeWrittenFailsTheCommand)
{
    const auto run = runCli(with(kTypical, {"--cp", "missing/s.cp", "--dat", "s.dat"}));
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "error: cannot write missing/s.cp: No such file or directory\n");
    EXPECT_EQ(entries(), std::vector<std::string>{"s.dat"});
}

TEST(FlowCommandLine, OptionsParse)
{
    const Request request = parseCommandLine({"design", "--alpha=-3.5", "--cp", "p.txt", "--points", "21"});
    const auto* design = std::get_if<DesignRequest>(&request);
    ASSERT_NE(design, nullptr);
    EXPECT_EQ(design->alpha, -3.5);
    EXPECT_EQ(design->cpFile, "p.txt");
    EXPECT_FALSE(design->datFile.has_value());
    EXPECT_EQ(design->points, 21);

    const Request batch = parseCommandLine({"batch", "rows.csv", "--alpha", "1E1"});
    ASSERT_NE(std::get_if<BatchRequest>(&batch), nullptr);
    EXPECT_EQ(std::get<BatchRequest>(batch).alpha, 10.0);
    EXPECT_FALSE(std::get<DesignRequest>(parseCommandLine({"design"})).alpha.has_value());
}

class BadFlowCommandLine : public testing::InScratchDirectory {};

TEST_F(BadFlowCommandLine, ExitTwoWithAMessageAndNothingWritten)
{
    struct Case {
        std::vector<std::string> args;
        const char* message;
    };
    const Case cases[] = {
        {{"design", "--alpha", "abc", "--cp", "s.cp"}, "folix: --alpha: 'abc' is not a number\n"},
        {{"design", "--alpha", "4deg"}, "folix: --alpha: '4deg' is not a number\n"},
        {{"design", "--alpha", "nan", "--save"}, "folix: --alpha: 'nan' is not a number\n"},
        {{"design", "--alpha", "-inf"}, "folix: --alpha: '-inf' is not a number\n"},
        {{"design", "--alpha", "1e999"}, "folix: --alpha: '1e999' is out of range\n"},
        {{"design", "--alpha", "4,5"}, "folix: --alpha: '4,5' is not a number\n"},
        {{"design", "--alpha"}, "folix: --alpha needs a value\n"},
        {{"design", "--alpha", "--cp", "s.cp"}, "folix: --alpha needs a value\n"},
        {{"design", "--alpha=1", "--alpha=2"}, "folix: --alpha is given more than once\n"},
        {{"design", "--cp"}, "folix: --cp needs a value\n"},
        {{"design", "--cp="}, "folix: --cp needs a file name\n"},
        {{"design", "--dat", "s.dat", "--cp", "./s.dat"}, "folix: --dat and --cp name the same file\n"},
        {{"design", "--alpha", "4", "--points", "21"}, "folix: --points needs --dat or --cp\n"},
        {{"design", "--cp", "s.cp", "--points", "20"}, "folix: --points: 20 is even; the count must be odd\n"},
        {{"batch", "rows.csv", "--alpha", "x"}, "folix: --alpha: 'x' is not a number\n"},
        {{"batch", "rows.csv", "--cp", "s.cp"}, "folix: unknown option --cp\n"},
    };
    for (const auto& c : cases) {
        const auto run = runCli(c.args);
        EXPECT_EQ(run.status, 2) << c.message;
        EXPECT_EQ(run.out, "") << c.message;
        EXPECT_EQ(run.err, c.message + std::string("Try 'folix --help'.\n"));
        EXPECT_TRUE(entries().empty()) << c.message;
    }
}

TEST(FlowCommandLine, HelpTellsTheNewOptions)
{
    const std::string help = runCli({"--help"}).out;
    for (const char* text : {"[--alpha DEG]", "--alpha DEG           angle of attack in degrees", "any finite",
                             "--cp FILE", "at --alpha\n                        (default 0)", "number of points of --dat and --cp",
                             "folix batch FILE.csv [--save] [--alpha DEG]", "add the columns Cl and Cm"})
        EXPECT_NE(help.find(text), std::string::npos) << text;
}

const std::string kLoadsHeader =
    "thickness,camber,te_angle,max_thickness_at,family,F,G,m,measured_max_thickness_at,Cl,Cm,status,line";

TEST(FlowBatch, ClAndCmColumnsAreTheDesignCommands)
{
    const std::string csv =
        "thickness,camber,te_angle,max_thickness_at\n"
        "0.12,0.02,10\n"
        "0.12,0.02,-10\n"
        "0.12,0.02,0,0.30\n"
        "0.12\n"
        "0.12,0.02,9,0.3\n";
    std::ostringstream out, err;
    EXPECT_EQ(runBatch(csv, out, err, false, 4.0), 0);
    EXPECT_EQ(err.str(), "");
    const auto lines = linesOf(out.str());
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0], kLoadsHeader);
    EXPECT_EQ(lines[1], "0.12,0.02,10,,KARMAN-TREFFTZ AIRFOIL,0.0703,0.04377,1.94444,0.32657,0.7609,-0.0725,ok,2");
    EXPECT_EQ(lines[2],
              "0.12,0.02,-10,,KARMAN-TREFFTZ AIRFOIL,0.1296,0.04423,2.05556,0.20751,0.7427,-0.0583,surfaces cross,3");
    EXPECT_EQ(lines[4], "0.12,,,,,,,,,,,bad row: 1 field instead of 3 or 4,5");
    EXPECT_EQ(lines[5], "0.12,0.02,9,0.3,,,,,,,,error: Division by zero,6");

    // The location-mode row against `folix design` with the same inputs.
    const auto design = linesOf(
        runCli({"design", "--thickness", "0.12", "--camber", "0.02", "--max-thickness-at", "0.30", "--alpha", "4"}).out);
    ASSERT_EQ(design.size(), 7u);
    const std::string loads = design[5].substr(4) + "," + design[6].substr(4) + ",ok,4";
    EXPECT_EQ(lines[3].substr(lines[3].size() - loads.size()), loads);
}

class FlowBatchFiles : public testing::InScratchDirectory {};

TEST_F(FlowBatchFiles, ColumnsChangeNothingThatIsSaved)
{
    std::ofstream(dir() / "rows.csv") << "0.12,0.02,10\n0.12,0.02,-10\n0.12,0.02,9,0.3\n0.10,0,0\n";
    const auto withLoads = runCli({"batch", "rows.csv", "--alpha", "2", "--save"});
    EXPECT_EQ(withLoads.status, 0) << withLoads.err;
    EXPECT_EQ(linesOf(withLoads.out).front(), kLoadsHeader);
    const std::string saved = readBytes(dir() / kResultsFileName);
    EXPECT_EQ(linesOf(saved).size(), 5u);  // header, empty line, three designs
    std::filesystem::remove(dir() / kResultsFileName);

    EXPECT_EQ(runCli({"batch", "rows.csv", "--save"}).status, 0);
    EXPECT_EQ(readBytes(dir() / kResultsFileName), saved);
}

}  // namespace
}  // namespace folix
