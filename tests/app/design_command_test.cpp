#include <gtest/gtest.h>

#include <cmath>
#include <optional>

#include "app/cli/json_text.h"
#include "cli_support.h"
#include "engine/number_text.h"
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

// Drives the design run as the window does: texts in, list lines and shown texts out.
class RecordingFrontEnd : public DesignFrontEnd {
public:
    void clearHistory() override { history.clear(); }
    void append(const std::string& line) override { history.push_back(line); }
    void showResults(const ResultTexts& shown) override { texts = shown; }
    void drawSection(const Outline&) override { ++drawings; }

    std::vector<std::string> history;
    ResultTexts texts;
    int drawings = 0;
};

struct WindowRun {
    DesignState state;
    RecordingFrontEnd ui;
    std::optional<std::string> error;
};

struct Case {
    const char* delta;
    const char* gamma;
    const char* tau;
    const char* xDltc;  // location mode when given
    bool converged;
    const char* error;  // the run stops with this arithmetic error
};

const Case kCases[] = {
    {"0.12", "0.02", "10", nullptr, true, nullptr},
    {"0.10", "0", "0", nullptr, true, nullptr},
    {"0.15", "0.04", "5", nullptr, true, nullptr},
    {"0.3", "0.07", "30", nullptr, true, nullptr},
    {"0.12", "0.02", "0", "0.30", true, nullptr},
    {"0.12", "0.02", "0", "0.40", true, nullptr},
    {"0.10", "0", "5", "0.28", true, nullptr},
    {"0.04", "0", "0", "0.2", false, nullptr},    // the exponent search gives up
    {"0.25", "0.06", "0", "0.22", false, nullptr},
    {"0.956", "0.153", "-15.9", nullptr, false, nullptr},  // the solve for F and G gives up
    {"0.12", "0.02", "9", "0.3", false, "Division by zero"},  // both starting exponents are 1.95
    {"0.06", "0", "18", nullptr, false, "Invalid argument"},   // F < 0 at m = 1.9
};

// The numbers the window reads from the case's texts.
DesignInputs inputsOf(const Case& c)
{
    return readTypedInputs({c.delta, c.gamma, c.tau, c.xDltc ? c.xDltc : "0.00", c.xDltc != nullptr});
}

std::vector<std::string> argsOf(const Case& c, std::vector<std::string> extra)
{
    std::vector<std::string> args = {"design", "--thickness", c.delta, "--camber", c.gamma, "--te-angle", c.tau};
    if (c.xDltc) args.insert(args.end(), {"--max-thickness-at", c.xDltc});
    args.insert(args.end(), extra.begin(), extra.end());
    return args;
}

std::string label(const Case& c)
{
    return std::string(c.delta) + "," + c.gamma + "," + c.tau + "," + (c.xDltc ? c.xDltc : "-");
}

std::unique_ptr<WindowRun> viaWindow(const Case& c)
{
    auto run = std::make_unique<WindowRun>();
    try {
        runDesign(run->state, inputsOf(c), run->ui);
    } catch (const ArithmeticError& e) {
        run->error = e.what();
    }
    return run;
}

double jsonDouble(const std::string& json, const std::string& key)
{
    return std::strtod(jsonMember(json, key).c_str(), nullptr);
}

TEST(DesignCommand, HistoryAndResultsAreTheWindowsOwn)
{
    for (const Case& c : kCases) {
        const auto window = viaWindow(c);
        ASSERT_EQ(window->error.has_value(), c.error != nullptr) << label(c);
        const auto cli = runCli(argsOf(c, {"--history"}));

        std::vector<std::string> expected = window->ui.history;
        if (c.error) {
            EXPECT_EQ(cli.status, 1) << label(c);
            EXPECT_EQ(cli.err.substr(0, cli.err.find('\n') + 1), "error: " + std::string(c.error) + "\n") << label(c);
            EXPECT_EQ(*window->error, c.error);
        } else {
            EXPECT_EQ(cli.status, 0) << label(c);
            const auto& shown = window->ui.texts;
            expected.push_back("family: " + shown.airfoilType);
            expected.push_back("F: " + shown.f);
            expected.push_back("G: " + shown.g);
            expected.push_back("m: " + shown.m);
            const auto results = linesOf(cli.out);
            ASSERT_FALSE(results.empty());
            expected.push_back(results.back());  // the location is checked below
            EXPECT_EQ(results.back().rfind("max thickness at: 0.", 0), 0u) << results.back();
            EXPECT_EQ(cli.err.find("did not converge") == std::string::npos, c.converged) << label(c) << cli.err;
        }
        EXPECT_EQ(linesOf(cli.out), expected) << label(c);
    }
}

TEST(DesignCommand, PlainOutputWithoutHistory)
{
    const auto run = runCli({"design", "--thickness", "0.12", "--camber", "0.02", "--te-angle", "10"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out,
              "family: KARMAN-TREFFTZ AIRFOIL\nF: 0.0703\nG: 0.04377\nm: 1.94444\nmax thickness at: 0.32657\n");
    EXPECT_EQ(run.err, "");
}

TEST(DesignCommand, JsonHoldsTheUnroundedValuesOfTheWindowsRun)
{
    for (const Case& c : kCases) {
        const auto window = viaWindow(c);
        const auto cli = runCli(argsOf(c, {"--json"}));
        const std::string& json = cli.out;
        EXPECT_EQ(json.front(), '{');
        EXPECT_EQ(json.substr(json.size() - 2), "}\n");
        EXPECT_EQ(jsonMember(json, "mode"), c.xDltc ? "\"location\"" : "\"angle\"") << label(c);

        std::string history = "[";
        for (std::size_t i = 0; i < window->ui.history.size(); ++i)
            history += (i ? ",\n    " : "\n    ") + jsonString(window->ui.history[i]);
        history += "\n  ]";
        EXPECT_NE(json.find("\"history\": " + history + ",\n"), std::string::npos) << label(c) << json;

        if (c.error) {
            EXPECT_EQ(cli.status, 1);
            EXPECT_EQ(jsonMember(json, "error"), jsonString(c.error)) << label(c);
            EXPECT_EQ(jsonMember(json, "F"), "null");
            EXPECT_EQ(jsonMember(json, "converged"), "null");
            continue;
        }
        EXPECT_EQ(cli.status, 0);
        const DesignState& s = window->state;
        EXPECT_EQ(jsonDouble(json, "F"), s.F) << label(c);  // round trip, bit for bit
        EXPECT_EQ(jsonDouble(json, "G"), s.G) << label(c);
        EXPECT_EQ(jsonDouble(json, "m"), s.EM) << label(c);
        EXPECT_EQ(jsonMember(json, "family"), jsonString(s.AirfoilType));
        const auto& shown = window->ui.texts;
        EXPECT_NE(json.find("\"shown\": {\"family\": " + jsonString(shown.airfoilType) + ", \"F\": " +
                            jsonString(shown.f) + ", \"G\": " + jsonString(shown.g) + ", \"m\": " + jsonString(shown.m)),
                  std::string::npos);
        EXPECT_EQ(jsonMember(json, "converged"), c.converged ? "true" : "false") << label(c);
        EXPECT_EQ(jsonMember(json, "error"), "null");

        const double location = jsonDouble(json, "max_thickness_at");
        if (!c.xDltc && c.converged) {
            EXPECT_EQ(location, s.XDltC) << label(c);  // the run's own measurement
        }
        if (c.xDltc) {
            EXPECT_EQ(s.XDltC, readLeadingNumber(c.xDltc));  // the state holds the wanted location
            EXPECT_EQ(jsonMember(json, "location_search_converged"), c.converged ? "true" : "false") << label(c);
            if (c.converged) {
                EXPECT_LT(std::abs(location - s.XDltC), 0.001) << label(c);
            }
        } else {
            EXPECT_EQ(jsonMember(json, "location_search_converged"), "null");
        }
    }
}

TEST(DesignCommand, JsonTellsWhichSolveGaveUp)
{
    const auto searchGaveUp = runCli({"design", "--thickness", "0.04", "--max-thickness-at", "0.2", "--json"});
    EXPECT_EQ(jsonMember(searchGaveUp.out, "location_search_converged"), "false");
    EXPECT_EQ(searchGaveUp.out.find("\"converged\": false}"), std::string::npos);
    EXPECT_NE(searchGaveUp.out.find("    {\"m\": \"2\", \"measurements\": 3, \"converged\": true, \"safeguarded\": false},\n"
                                    "    {\"m\": \"1.95\", \"measurements\": 5, \"converged\": true, \"safeguarded\": false},\n"),
              std::string::npos)
        << searchGaveUp.out;

    const auto solveGaveUp =
        runCli({"design", "--thickness", "0.956", "--camber", "0.153", "--te-angle", "-15.9", "--json"});
    EXPECT_NE(solveGaveUp.out.find("\"iterations\": [\n    {\"m\": \"2.08833\", \"measurements\": 22, \"converged\": false, "
                                   "\"safeguarded\": false}\n  ],"),
              std::string::npos)
        << solveGaveUp.out;
    EXPECT_EQ(jsonMember(solveGaveUp.out, "converged"), "false");
    EXPECT_EQ(solveGaveUp.err.rfind("folix: warning: the iteration did not converge; the values are the last ones tried\n", 0), 0u);

    // An error cuts the last solve short: its outcome is unknown.
    const auto error = runCli({"design", "--thickness", "0.06", "--te-angle", "18", "--json"});
    EXPECT_NE(error.out.find("{\"m\": \"1.9\", \"measurements\": 2, \"converged\": null, \"safeguarded\": false}"),
              std::string::npos)
        << error.out;
}

TEST(DesignCommand, AStopOrAMissedTargetSaysWhatToChange)
{
    struct Case {
        std::vector<std::string> args;
        const char* firstLine;
        const char* hint;
    };
    const Case cases[] = {
        {{"--camber", "-0.02"}, "error: Division by zero", "camber ratio must be 0 or more, not -0.02"},
        {{"--thickness", "12", "--camber", "0.02"}, "error: Division by zero", "thickness is a ratio of the chord"},
        {{"--thickness", "0.0561", "--te-angle", "13.54"}, "error: Invalid argument",
         "thickness ratio must be more than 0.05915 at a trailing-edge angle of 13.54 degrees"},
        {{"--thickness", "0.12", "--camber", "0.02", "--max-thickness-at", "0.2"},
         "folix: warning: the iteration did not converge", "max-thickness location 0.2 is out of reach"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"design"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const auto run = runCli(args);
        const auto lines = linesOf(run.err);
        ASSERT_GE(lines.size(), 2u) << run.err;
        EXPECT_EQ(lines[0].rfind(c.firstLine, 0), 0u) << run.err;
        EXPECT_EQ(lines[1].rfind(std::string("hint: ") + c.hint, 0), 0u) << run.err;
        EXPECT_EQ(jsonMember(runCli(args).out, "hint"), "<missing>");
    }
}

class DesignFiles : public testing::InScratchDirectory {};

TEST_F(DesignFiles, CrossingSurfacesAreFlaggedAndTheirCoordinatesWrittenOnlyOnRequest)
{
    const std::vector<std::string> crossing = {"design", "--thickness", "0.12", "--te-angle", "-10", "--dat", "s.dat"};
    const auto refused = runCli(crossing);
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err, "folix: warning: the upper and lower surfaces cross from x/c 0.88678 (a negative "
                           "trailing-edge angle, m > 2): the outline is no valid section\n"
                           "error: not writing s.dat: the upper and lower surfaces cross from x/c 0.88678; "
                           "--allow-crossing writes the coordinates all the same\n");
    EXPECT_TRUE(entries().empty());
    std::vector<std::string> allowed = crossing;
    allowed.push_back("--allow-crossing");
    EXPECT_EQ(runCli(allowed).status, 0);
    EXPECT_EQ(entries(), std::vector<std::string>{"s.dat"});
    const auto json = runCli({"design", "--thickness", "0.12", "--te-angle", "-10", "--json"}).out;
    EXPECT_EQ(jsonMember(json, "surfaces_cross_from").substr(0, 6), "0.8867");
    EXPECT_EQ(jsonMember(runCli({"design", "--json"}).out, "surfaces_cross_from"), "null");
}

TEST_F(DesignFiles, DatFileHoldsTheExportOfTheWindowsSection)
{
    const Case& c = kCases[0];
    const auto window = viaWindow(c);
    const auto run = runCli(argsOf(c, {"--dat", "section.dat", "--points", "41"}));
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(readBytes(dir() / "section.dat"), seligText(window->state, 41));
    EXPECT_EQ(entries(), std::vector<std::string>{"section.dat"});

    EXPECT_EQ(runCli(argsOf(c, {"--dat", "default.dat"})).status, 0);
    EXPECT_EQ(readBytes(dir() / "default.dat"), seligText(window->state, kDefaultSeligPoints));

    // "-": standard output holds the file alone; the results go to standard error.
    const auto onOutput = runCli(argsOf(c, {"--dat", "-", "--points", "41"}));
    EXPECT_EQ(onOutput.out, seligText(window->state, 41));
    EXPECT_EQ(onOutput.err, runCli(argsOf(c, {})).out);
}

TEST_F(DesignFiles, DatFileThatCannotBeWrittenFailsTheCommand)
{
    const auto run = runCli({"design", "--dat", "missing/section.dat"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "error: cannot write missing/section.dat: No such file or directory\n");
    EXPECT_EQ(linesOf(run.out).front(), "family: JOUKOWSKY AIRFOIL");
    EXPECT_TRUE(entries().empty());
}

TEST_F(DesignFiles, FailedDesignWritesNothing)
{
    const auto run = runCli(argsOf(kCases[10], {"--dat", "section.dat", "--save"}));
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_TRUE(entries().empty());
}

TEST_F(DesignFiles, SaveGoesThroughTheWindowsSaveCommand)
{
    // The window's way, into a file of its own.
    const auto reference = dir() / "reference";
    std::filesystem::create_directory(reference);
    for (const std::size_t i : {0, 4}) {
        auto window = viaWindow(kCases[i]);
        saveResult(window->state, reference / kResultsFileName);
    }

    for (const std::size_t i : {0, 4}) {
        const auto run = runCli(argsOf(kCases[i], {"--save"}));
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.err, "");
    }
    const std::string saved = readBytes(dir() / kResultsFileName);
    EXPECT_EQ(saved, readBytes(reference / kResultsFileName));
    EXPECT_EQ(saved.rfind("Delta Gamma  xDltC   Tau     F          G        m\r\n\r\n", 0), 0u) << saved;

    const auto again = runCli(argsOf(kCases[0], {"--save"}));
    EXPECT_EQ(again.status, 0);
    const auto file = std::filesystem::current_path() / kResultsFileName;
    EXPECT_EQ(again.err, "folix: an equal design is already recorded in " + file.string() + "; not saved again\n");
    EXPECT_EQ(linesOf(again.out).front(), "family: KARMAN-TREFFTZ AIRFOIL");
    EXPECT_EQ(readBytes(dir() / kResultsFileName), saved);
}

TEST_F(DesignFiles, FailedSaveFailsTheCommand)
{
    std::filesystem::create_directory(dir() / kResultsFileName);  // in the way of the file
    const auto run = runCli({"design", "--save"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err.rfind("error: cannot save to ", 0), 0u) << run.err;
    EXPECT_EQ(linesOf(run.out).front(), "family: JOUKOWSKY AIRFOIL");
}

}  // namespace
}  // namespace folix
