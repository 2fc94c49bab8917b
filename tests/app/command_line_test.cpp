#include <gtest/gtest.h>

#include <cmath>

#include <variant>

#include "app/cli/command_line.h"
#include "app/cli/strict_number.h"
#include "cli_support.h"
#include "engine/number_text.h"

namespace folix {
namespace {

using testing::runCli;

TEST(StrictNumber, WholeTextMustBeOneDecimalNumber)
{
    for (const char* text : {"0.12", "+0.12", "-0.02", ".5", "5.", "12", "1e-3", "1E+2", "2.5e1", "0", "-0"}) {
        std::string problem;
        const auto value = readStrictNumber(text, problem);
        ASSERT_TRUE(value.has_value()) << text;
        EXPECT_EQ(*value, readLeadingNumber(text)) << text;  // exactly what the window reads
        EXPECT_TRUE(problem.empty());
    }
    for (const char* text : {"", "abc", "1x", "nan", "NaN", "inf", "-inf", "infinity", "1e", "e5", ".", "+", "-",
                             "0x10", "&H10", " 1", "1 ", "1,5", "0,12", "1d3", "1e+", "--1", "1..2", "1e5.0"}) {
        std::string problem;
        EXPECT_FALSE(readStrictNumber(text, problem).has_value()) << text;
        EXPECT_EQ(problem, "'" + std::string(text) + "' is not a number");
    }
    std::string problem;
    EXPECT_FALSE(readStrictNumber("1e999", problem).has_value());
    EXPECT_EQ(problem, "'1e999' is out of range");
}

TEST(StrictNumber, Counts)
{
    std::string problem;
    EXPECT_EQ(readStrictCount("161", problem), 161);
    for (const char* text : {"", "-5", "+5", "5.0", "1e3", "abc", "16 1"})
        EXPECT_FALSE(readStrictCount(text, problem).has_value()) << text;
    EXPECT_FALSE(readStrictCount("99999999999999999999", problem).has_value());
    EXPECT_EQ(problem, "'99999999999999999999' is out of range");
}

TEST(CommandLine, DesignOptionsReadAsNumbers)
{
    const Request request = parseCommandLine({"design", "--thickness=+0.12", "--camber", "-0.0", "--te-angle", "1E1",
                                              "--max-thickness-at", ".3", "--json", "--save", "--dat=a.dat",
                                              "--points", "41"});
    const auto* design = std::get_if<DesignRequest>(&request);
    ASSERT_NE(design, nullptr);
    EXPECT_EQ(design->inputs.thickness, 0.12);
    EXPECT_FALSE(std::signbit(design->inputs.camber));
    EXPECT_EQ(design->inputs.camber, 0.0);
    EXPECT_EQ(design->inputs.teAngleDegrees, 10);
    EXPECT_EQ(design->inputs.maxThicknessAt, 0.3);
    EXPECT_TRUE(design->json);
    EXPECT_FALSE(design->history);
    EXPECT_TRUE(design->save);
    EXPECT_EQ(design->datFile, "a.dat");
    EXPECT_EQ(design->points, 41);
}

class BadCommandLine : public testing::InScratchDirectory {};

TEST_F(BadCommandLine, ExitTwoWithAMessageAndNothingWritten)
{
    struct Case {
        std::vector<std::string> args;
        const char* message;
    };
    const Case cases[] = {
        {{}, "folix: no command given"},
        {{"draw"}, "folix: unknown command 'draw'"},
        {{"--thickness", "0.1"}, "folix: unknown option --thickness"},
        {{"design", "--thicknes", "0.12"}, "folix: unknown option --thicknes"},
        {{"design", "-t", "0.12"}, "folix: unknown option -t"},
        {{"design", "0.12"}, "folix: unexpected argument '0.12'"},
        {{"design", "--thickness"}, "folix: --thickness needs a value"},
        {{"design", "--thickness", "--camber", "0.02"}, "folix: --thickness needs a value"},
        {{"design", "--camber", "abc", "--save"}, "folix: --camber: 'abc' is not a number"},
        {{"design", "--thickness", "1x", "--save"}, "folix: --thickness: '1x' is not a number"},
        {{"design", "--te-angle", "nan"}, "folix: --te-angle: 'nan' is not a number"},
        {{"design", "--te-angle", "inf"}, "folix: --te-angle: 'inf' is not a number"},
        {{"design", "--thickness", "0,12"}, "folix: --thickness: '0,12' is not a number"},
        {{"design", "--thickness="}, "folix: --thickness: '' is not a number"},
        {{"design", "--max-thickness-at", "1e400"}, "folix: --max-thickness-at: '1e400' is out of range"},
        {{"design", "--thickness", "0.1", "--thickness", "0.2"}, "folix: --thickness is given more than once"},
        {{"design", "--dat", "s.dat", "--points", "160"}, "folix: --points: 160 is even; the count must be odd"},
        {{"design", "--dat", "s.dat", "--points", "3"}, "folix: --points: 3 is outside 5 to 100001"},
        {{"design", "--dat", "s.dat", "--points", "100003"}, "folix: --points: 100003 is outside 5 to 100001"},
        {{"design", "--dat", "s.dat", "--points", "abc"}, "folix: --points: 'abc' is not a whole number"},
        {{"design", "--dat", "s.dat", "--points", "-5"}, "folix: --points: '-5' is not a whole number"},
        {{"design", "--points", "41"}, "folix: --points needs --dat"},
        {{"design", "--dat"}, "folix: --dat needs a value"},
        {{"design", "--dat="}, "folix: --dat needs a file name"},
        {{"design", "--history", "--json"}, "folix: --history and --json exclude each other"},
        {{"design", "--save=yes"}, "folix: --save takes no value"},
        {{"batch"}, "folix: batch needs a CSV file"},
        {{"batch", "a.csv", "b.csv"}, "folix: batch takes one file, not 'a.csv' and 'b.csv'"},
        {{"batch", "a.csv", "--points", "5"}, "folix: --points needs --dat-dir"},
        {{"batch", "no-such-file.csv", "--save"}, "folix: cannot read no-such-file.csv: No such file or directory\n"},
        {{"batch", "."}, "folix: cannot read .: Is a directory\n"},
        {{"--help", "design"}, "folix: unexpected argument 'design' after --help"},
        {{"--version", "--help"}, "folix: unexpected argument '--help' after --version"},
        {{"design", "--help", "--thickness", "1"}, "folix: unexpected argument '--thickness' after --help"},
        {{"design", "--", "--save"}, "folix: unexpected argument '--save'"},
        {{"design", "--dat", "-", "--cp", "-"}, "folix: --dat and --cp cannot both write to standard output (-)"},
        {{"design", "--cp", "-", "--pdf", "-"}, "folix: --cp and --pdf cannot both write to standard output (-)"},
        {{"design", "--svg", "a.svg", "--dxf", "./a.svg"}, "folix: --svg and --dxf name the same file"},
        {{"design", "--chord", "50"}, "folix: --chord needs --svg, --dxf or --pdf"},
        {{"design", "--dat", "s.dat", "--te-gap", "0.01"}, "folix: --te-gap needs --svg, --dxf or --pdf"},
        {{"design", "--construction"}, "folix: --construction needs --svg, --dxf or --pdf"},
        {{"design", "--svg", "a.svg", "--chord", "0.05"}, "folix: --chord: 0.05 is outside 0.1 to 100000"},
        {{"design", "--svg", "a.svg", "--chord", "1e6"}, "folix: --chord: 1000000 is outside 0.1 to 100000"},
        {{"design", "--svg", "a.svg", "--te-gap", "-0.001"}, "folix: --te-gap: -0.001 is outside 0 to 0.1"},
        {{"design", "--dxf", "a.dxf", "--chord", "10mm"}, "folix: --chord: '10mm' is not a number"},
        {{"batch", "a.csv", "-j", "0"}, "folix: -j: 0 is outside 1 to 1024"},
        {{"batch", "a.csv", "-j", "-2"}, "folix: -j: '-2' is not a whole number"},
        {{"batch", "a.csv", "-jx"}, "folix: -j: 'x' is not a whole number"},
        {{"batch", "a.csv", "--jobs=1025"}, "folix: --jobs: 1025 is outside 1 to 1024"},
        {{"batch", "a.csv", "-j", "2", "--jobs", "2"}, "folix: -j and --jobs are given more than once"},
        {{"batch", "a.csv", "--first-line", "0"}, "folix: --first-line: 0 is outside 1 to"},
        {{"batch", "a.csv", "--dat-dir", "-"}, "folix: --dat-dir needs a folder"},
        {{"polar", "--alpha-from", "0", "--alpha-to", "1"}, "folix: polar needs --alpha-from, --alpha-to and --alpha-step"},
        {{"polar", "--alpha-from", "0", "--alpha-to", "1", "--alpha-step", "0"}, "folix: the step of the angles of attack must be greater than 0"},
        {{"polar", "--alpha-from", "0", "--alpha-to", "1", "--alpha-step", "-1"}, "folix: the step of the angles of attack must be greater than 0"},
        {{"polar", "--alpha-from", "2", "--alpha-to", "1", "--alpha-step", "1"}, "folix: the first angle of attack is above the last"},
        {{"polar", "--alpha-from", "0", "--alpha-to", "1", "--alpha-step", "1e-6"}, "folix: the angles of attack are more than 100001"},
        {{"polar", "--alpha-from", "nan", "--alpha-to", "1", "--alpha-step", "1"}, "folix: --alpha-from: 'nan' is not a number"},
    };
    for (const auto& c : cases) {
        const auto run = runCli(c.args);
        EXPECT_EQ(run.status, 2) << c.message;
        EXPECT_EQ(run.out, "") << c.message;
        EXPECT_EQ(run.err.rfind(c.message, 0), 0u) << run.err;
        EXPECT_TRUE(entries().empty()) << c.message;
    }
    EXPECT_EQ(runCli({"design", "--camber", "abc"}).err, "folix: --camber: 'abc' is not a number\nTry 'folix --help'.\n");
}

TEST(HelpAndVersion, GoToStandardOutput)
{
    for (const char* help : {"--help", "-h", "help"}) {
        const auto run = runCli({help});
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.out.rfind("Usage:\n  folix design", 0), 0u);
        EXPECT_EQ(run.err, "");
    }
    EXPECT_EQ(runCli({"design", "--help"}).out, runCli({"--help"}).out);
    EXPECT_EQ(runCli({"batch", "--help"}).out, runCli({"--help"}).out);

    const auto version = runCli({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, std::string("folix ") + FOLIX_PROJECT_VERSION + "\n");
}

}  // namespace
}  // namespace folix
