#include <gtest/gtest.h>

#include "app/cli/batch_run.h"
#include "app/cli/csv_text.h"
#include "cli_support.h"
#include "results/results_file.h"

namespace folix {
namespace {

using testing::linesOf;
using testing::readBytes;
using testing::runCli;

const std::string kHeader =
    "thickness,camber,te_angle,max_thickness_at,family,F,G,m,measured_max_thickness_at,status,line";

// What `folix design` prints for the same inputs, as one CSV result part.
std::string designedColumns(std::vector<std::string> args)
{
    args.insert(args.begin(), "design");
    const auto lines = linesOf(runCli(args).out);
    std::string columns;
    for (const auto& line : lines) columns += line.substr(line.find(": ") + 2) + ",";
    return columns;
}

TEST(Batch, RowsGiveWhatTheDesignCommandGives)
{
    const std::string csv =
        "thickness,camber,te_angle,max_thickness_at\r\n"
        "0.12,0.02,10\r\n"
        "\r\n"
        "0.12, 0.02 ,0,0.30\r\n"
        "   \n"
        "0.10,0,5,\n"
        "0.15,0.04,5";  // no line end at the end
    std::ostringstream out, err;
    EXPECT_EQ(runBatch(csv, out, err, false), 0);
    EXPECT_EQ(err.str(), "");
    const std::vector<std::string> expected = {
        kHeader,
        "0.12,0.02,10,," +
            designedColumns({"--thickness", "0.12", "--camber", "0.02", "--te-angle", "10"}) + "ok,2",
        "0.12,0.02,0,0.30," +
            designedColumns({"--thickness", "0.12", "--camber", "0.02", "--max-thickness-at", "0.30"}) + "ok,4",
        "0.10,0,5,," + designedColumns({"--thickness", "0.10", "--te-angle", "5"}) + "ok,6",
        "0.15,0.04,5,," + designedColumns({"--thickness", "0.15", "--camber", "0.04", "--te-angle", "5"}) + "ok,7",
    };
    EXPECT_EQ(linesOf(out.str()), expected);
    EXPECT_EQ(expected[1], "0.12,0.02,10,,KARMAN-TREFFTZ AIRFOIL,0.0703,0.04377,1.94444,0.32657,ok,2");
}

TEST(Batch, FailingRowsDoNotStopTheOthers)
{
    const std::string csv =
        "0.12,0.02\n"
        "0.12,0.02,10,0.3,7\n"
        "0.12,abc,10\n"
        "0.12,0.02,1x\n"
        "0.12,0.02,0,nan\n"
        "thickness,camber,te_angle\n"
        ",,\n"
        "0.12,0.02,9,0.3\n"
        "0.04,0,0,0.2\n"
        "0.10,0,0\n";
    std::ostringstream out, err;
    EXPECT_EQ(runBatch(csv, out, err, false), 0);
    const std::vector<std::string> expected = {
        kHeader,
        "0.12,0.02,,,,,,,,bad row: 2 fields instead of 3 or 4,1",
        "0.12,0.02,10,0.3,,,,,,bad row: 5 fields instead of 3 or 4,2",
        "0.12,abc,10,,,,,,,bad row: camber 'abc' is not a number,3",
        "0.12,0.02,1x,,,,,,,bad row: te_angle '1x' is not a number,4",
        "0.12,0.02,0,nan,,,,,,bad row: max_thickness_at 'nan' is not a number,5",
        "thickness,camber,te_angle,,,,,,,bad row: thickness 'thickness' is not a number,6",  // only a first line is a header
        ",,,,,,,,,bad row: thickness '' is not a number,7",
        "0.12,0.02,9,0.3,,,,,,error: Division by zero,8",
        "0.04,0,0,0.2,KARMAN-TREFFTZ AIRFOIL,0.02795,0,2.01649,0.20493,not converged,9",
        "0.10,0,0,,JOUKOWSKY AIRFOIL,0.08354,0,2,0.25219,ok,10",
    };
    EXPECT_EQ(linesOf(out.str()), expected);
    EXPECT_EQ(err.str(), "");
}

TEST(Batch, OnlyTheColumnNamesMakeAHeaderAndQuotesAreRead)
{
    const std::string ok = "0.10,0,0,,JOUKOWSKY AIRFOIL,0.08354,0,2,0.25219,ok,2\n";
    const std::pair<std::string, std::string> cases[] = {
        {" Thickness ,CAMBER,\tte_angle,Max_Thickness_At\n0.10,0,0\n", ok},
        {"0.12x,0.02,10\n0.10,0,0\n", "0.12x,0.02,10,,,,,,,bad row: thickness '0.12x' is not a number,1\n" + ok},
        {"\"0.10\", \"0\" ,\"0\"\n", ok.substr(0, ok.size() - 2) + "1\n"},
        {"\"0,10\",0,0\n0.10,0,0\n", "\"0,10\",0,0,,,,,,,\"bad row: thickness '0,10' is not a number\",1\n" + ok},
        {"\"0.1\"\"0\",0,0\n0.10,0,0\n", "\"0.1\"\"0\",0,0,,,,,,,\"bad row: thickness '0.1\"\"0' is not a number\",1\n" + ok},
        {"0.10,0,0\n\"0.10,0,0\n", ok.substr(0, ok.size() - 2) + "1\n\"0.10,0,0\",,,,,,,,,bad row: 1 field instead of 3 or 4,2\n"},
    };
    for (const auto& [csv, rows] : cases) {
        std::ostringstream out, err;
        runBatch(csv, out, err, false);
        EXPECT_EQ(out.str(), kHeader + "\n" + rows) << csv;
    }
}

// A header maps the columns by name, in any order and case; columns it does
// not know come through unchanged, after the known ones, with their names.
TEST(Batch, HeaderMapsColumnsByNameAndCarriesTheOthers)
{
    const std::string ok = "JOUKOWSKY AIRFOIL,0.08354,0,2,0.25219,ok,";
    const std::string results = "family,F,G,m,measured_max_thickness_at,status,line\n";
    const std::pair<std::string, std::string> cases[] = {
        {"camber,thickness,te_angle\n0,0.10,0\n", "thickness,camber,te_angle,max_thickness_at," + results + "0.10,0,0,," + ok + "2\n"},
        {" id ,TE_Angle, Camber,note,thickness\nA7,0,0,\"a, b\",0.10\n", "thickness,camber,te_angle,max_thickness_at,id,note," +
             results + "0.10,0,0,,A7,\"a, b\"," + ok + "2\n"},
        {"thickness,camber,te_angle,note\n0.10,0,0,\"two\nlines\"\n0.10,0,0\n", "thickness,camber,te_angle,max_thickness_at,note," +
             results + "0.10,0,0,,\"two\nlines\"," + ok + "2\n0.10,0,0,,," + ok + "4\n"},
        {"0.10,0,\"0\n\"\n0.10,0,0\n", "thickness,camber,te_angle,max_thickness_at," + results +
             "0.10,0,\"0\n\",,,,,,,\"bad row: te_angle \"\"0\\n\"\" is not a number\",1\n0.10,0,0,," + ok + "3\n"},
    };
    for (const auto& [csv, output] : cases) {
        std::ostringstream out, err;
        EXPECT_EQ(runBatch(csv, out, err, false), 0) << csv;
        EXPECT_EQ(out.str(), output) << csv;
        EXPECT_EQ(err.str(), "") << csv;
    }
}

// An input that holds no row of numbers, or a header that cannot be used,
// ends with status 2 before any output, saying what was found.
TEST(Batch, InputWithoutARowOfNumbersIsRefused)
{
    const std::pair<std::string, std::string> cases[] = {
        {"0.12;0.02;10\n0.10;0;0\n", "no row of comma-separated numbers found in its 2 rows; line 1: 1 field instead of 3 or 4 in \"0.12;0.02;10\""},
        {std::string("\x7f" "ELF\x02\x01\0\0,\n\x01,x,y", 16), "no row of comma-separated numbers found in its 2 rows; line 1: 2 fields instead of 3 or 4 in \"\\x7fELF\\x02\\x01\\x00\\x00,\""},
        {"thickness,camber,te_angle\n" + std::string(1500, 'x') + "\n", "no row of comma-separated numbers found in its 1 row; line 2: 1 field instead of 3 or 4 in \"" + std::string(60, 'x') + "\"..."},
        {"\x1b[2J" + std::string(50, 'x') + ",0,0\n", "no row of comma-separated numbers found in its 1 row; line 1: thickness \"\\x1b[2J" +
             std::string(36, 'x') + "\"... is not a number in \"\\x1b[2J" + std::string(50, 'x') + ",0,0\""},
        {std::string(2000, '\n') + "a,b,c\n", "no row of comma-separated numbers found in its 1 row; line 2001: thickness 'a' is not a number in \"a,b,c\""},
        {"thicknes,camber,te_angle\n0.1,0,0\n", "line 1: the header names no thickness column (its columns: thicknes, camber, te_angle)"},
        {"camber,thickness,te_angle,Camber\n0,0.1,0,0\n", "line 1: the header names camber twice (columns 1 and 4) (its columns: camber, thickness, te_angle, Camber)"},
    };
    for (const auto& [csv, message] : cases) {
        std::ostringstream out, err;
        EXPECT_EQ(runBatch(csv, out, err, false), 2) << message;
        EXPECT_EQ(out.str(), "");
        EXPECT_EQ(err.str(), "folix: " + message + "\n");
    }
    std::string thousand;
    for (int i = 0; i < 1000; ++i) thousand += "x\n";
    std::ostringstream out, err;
    EXPECT_EQ(runBatch(thousand + "0.10,0,0\n", out, err, false), 2);
    EXPECT_EQ(err.str(), "folix: no row of comma-separated numbers found in its first 1000 rows; line 1: 1 field instead of 3 or 4 in \"x\"\n");
    // A part of a larger file is judged with the whole: its rows come out.
    std::stringbuf part("x\n");
    BatchOptions options;
    options.firstLine = 2;
    std::ostringstream partOut;
    EXPECT_EQ(runBatch(part, partOut, err, options), 0);
    EXPECT_EQ(linesOf(partOut.str()).back(), "x,,,,,,,,,bad row: 1 field instead of 3 or 4,2");
}

TEST(Batch, ByteOrderMarkDoesNotTurnTheFirstRowIntoAHeader)
{
    std::ostringstream out, err;
    runBatch("\xEF\xBB\xBF" "0.10,0,0\n", out, err, false);
    EXPECT_EQ(linesOf(out.str()), (std::vector<std::string>{kHeader, "0.10,0,0,,JOUKOWSKY AIRFOIL,0.08354,0,2,0.25219,ok,1"}));
}

TEST(Batch, EmptyInputGivesTheHeaderAlone)
{
    for (const char* csv : {"", "\n\n", "thickness,camber,te_angle\r\n"}) {
        std::ostringstream out, err;
        EXPECT_EQ(runBatch(csv, out, err, false), 0);
        EXPECT_EQ(out.str(), kHeader + "\n");
    }
}

TEST(Csv, SplitAndQuote)
{
    EXPECT_EQ(splitCsvRecord(" 0.1 ,\t0.2,0.3\r"), (std::vector<std::string>{"0.1", "0.2", "0.3"}));
    EXPECT_EQ(splitCsvRecord(""), (std::vector<std::string>{""}));
    EXPECT_EQ(splitCsvRecord("a,,"), (std::vector<std::string>{"a", "", ""}));
    EXPECT_EQ(csvField("ok"), "ok");
    EXPECT_EQ(csvField("error: a, b"), "\"error: a, b\"");
    EXPECT_EQ(csvField("say \"x\""), "\"say \"\"x\"\"\"");
}

class BatchFiles : public testing::InScratchDirectory {};

TEST_F(BatchFiles, ReadsAFileOrStandardInput)
{
    const std::string csv = "0.12,0.02,10\n";
    std::ofstream(dir() / "rows.csv") << csv;
    const auto fromFile = runCli({"batch", "rows.csv"});
    EXPECT_EQ(fromFile.status, 0);
    EXPECT_EQ(linesOf(fromFile.out).size(), 2u);
    const auto fromInput = runCli({"batch", "-"}, csv);
    EXPECT_EQ(fromInput.status, 0);
    EXPECT_EQ(fromInput.out, fromFile.out);
    std::filesystem::rename(dir() / "rows.csv", dir() / "-rows.csv");
    EXPECT_EQ(runCli({"batch", "--", "-rows.csv"}).out, fromFile.out);
}

TEST_F(BatchFiles, SaveAppendsEveryRowThatIsOkAndNamesTheOthers)
{
    std::ofstream(dir() / "rows.csv") << "0.12,0.02,10\n0.12,0.02\n0.12,0.02,9,0.3\n0.04,0,0,0.2\n0.10,0,0\n0.12,0.02,10\n";
    const auto run = runCli({"batch", "rows.csv", "--save"});
    EXPECT_EQ(run.status, 0) << run.err;
    const auto file = std::filesystem::current_path() / kResultsFileName;
    EXPECT_EQ(run.err, "folix: line 2: not saved: bad row: 2 fields instead of 3 or 4\n"
                       "folix: line 3: not saved: error: Division by zero\n"
                       "folix: line 4: not saved: not converged (the search for m gave up after 20 steps)\n"
                       "folix: line 6: an equal design is already recorded in " +
                           file.string() + "; not saved again\n");
    const auto lines = linesOf(readBytes(dir() / kResultsFileName));
    ASSERT_EQ(lines.size(), 4u);  // header, empty line, two designs
    EXPECT_EQ(lines[2], " 0.12   0.02   0.32657   10.00   0.07030   0.04377   1.94444\r");
    EXPECT_EQ(lines[3], " 0.10   0.00   0.25219   0.00   0.08354   0.00000   2.00000\r");
}

TEST_F(BatchFiles, FailedSaveStopsSavingButNotDesigning)
{
    std::filesystem::create_directory(dir() / kResultsFileName);  // in the way of the file
    std::ofstream(dir() / "rows.csv") << "0.12,0.02,10\n0.10,0,0\n";
    const auto run = runCli({"batch", "rows.csv", "--save"});
    EXPECT_EQ(run.status, 1);
    const auto lines = linesOf(run.out);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[2].substr(lines[2].size() - 5), ",ok,2");
    const auto messages = linesOf(run.err);
    ASSERT_EQ(messages.size(), 2u) << run.err;
    EXPECT_EQ(messages[0].rfind("error: line 1: cannot save to ", 0), 0u) << run.err;
    EXPECT_EQ(messages[1], "folix: no later row is saved");
}

}  // namespace
}  // namespace folix
