#include <gtest/gtest.h>

#include "app/cli/progress_line.h"
#include "cli_support.h"
#include "engine/section_polar.h"

namespace folix {
namespace {

using testing::linesOf;
using testing::readBytes;
using testing::runCli;

class Study : public testing::InScratchDirectory {};

// More rows than one part of the input holds: good, failing, not converged,
// bad and blank lines, with some files written.
std::string mixedRows()
{
    const char* kinds[] = {"0.12,0.02,10", "0.12,0.02,9,0.3", "0.04,0,0,0.2", "0.12,abc,10", "", "0.10,0,0,0.25"};
    std::string csv = "thickness,camber,te_angle,max_thickness_at\n";
    for (int i = 0; i < 4500; ++i) csv += (i % 97 == 0 ? kinds[i / 97 % 6] : "0.1") + std::string("\n");
    return csv;
}

TEST_F(Study, EveryNumberOfJobsGivesTheSameBytesAndFiles)
{
    std::ofstream(dir() / "rows.csv") << mixedRows();
    const auto one = runCli({"batch", "rows.csv", "-j", "1", "--dat-dir", "one", "--alpha", "2"});
    const auto four = runCli({"batch", "rows.csv", "--jobs=4", "--dat-dir", "four/deeper", "--alpha", "2"});
    EXPECT_EQ(one.status, 0) << one.err;
    EXPECT_EQ(one.err, "");
    EXPECT_EQ(four.out, one.out);
    const auto lines = linesOf(one.out);
    ASSERT_EQ(lines.size(), 4493u);  // eight blank lines
    EXPECT_EQ(lines.back(), "0.1,,,,,,,,,,,bad row: 1 field instead of 3 or 4,4501");
    EXPECT_EQ(lines[1].substr(lines[1].size() - 5), ",ok,2");

    // One file per row with an outline, the same in both folders; the rows here that did not
    // converge cross their surfaces too, so only --allow-crossing writes theirs.
    const auto filesIn = [this](const char* folder) {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(dir() / folder)) names.push_back(e.path().filename());
        std::sort(names.begin(), names.end());
        return names;
    };
    const auto counted = [&lines](const char* status) {
        return std::count_if(lines.begin(), lines.end(),
                             [status](const std::string& line) { return line.find(status) != std::string::npos; });
    };
    const std::vector<std::string> files = filesIn("one");
    EXPECT_EQ(files.size(), static_cast<std::size_t>(counted(",ok,")));
    EXPECT_EQ(runCli({"batch", "rows.csv", "--dat-dir", "all", "--allow-crossing"}).out, runCli({"batch", "rows.csv"}).out);
    EXPECT_EQ(filesIn("all").size(),
              static_cast<std::size_t>(counted(",ok,") + counted(",not converged,") + counted(",surfaces cross,")));
    for (const auto& name : files) EXPECT_EQ(readBytes(dir() / "four/deeper" / name), readBytes(dir() / "one" / name));
    EXPECT_EQ(files.front(), "line-000002.dat");
    EXPECT_EQ(runCli({"design", "--thickness", "0.12", "--camber", "0.02", "--te-angle", "10", "--dat", "d.dat"}).status, 0);
    EXPECT_EQ(readBytes(dir() / "one/line-000002.dat"), readBytes(dir() / "d.dat"));
}

TEST_F(Study, FirstLineNumbersAPartOfALargerFileAndPointsSizeTheFiles)
{
    const auto run = runCli({"batch", "-", "--first-line", "1000001", "--dat-dir", "d", "--points", "5"}, "\n0.1,0,0\n");
    EXPECT_EQ(linesOf(run.out).back(), "0.1,0,0,,JOUKOWSKY AIRFOIL,0.08354,0,2,0.25219,ok,1000002");
    EXPECT_EQ(linesOf(readBytes(dir() / "d/line-1000002.dat")).size(), 6u);

    std::ofstream(dir() / "d/file") << "";  // a file where the folder should be
    const auto blocked = runCli({"batch", "-", "--dat-dir", "d/file/x"}, "0.1,0,0\n");
    EXPECT_EQ(blocked.status, 1);
    EXPECT_EQ(blocked.out, "");
    EXPECT_EQ(blocked.err.rfind("error: cannot make the folder d/file/x: ", 0), 0u) << blocked.err;
}

TEST(Polar, CsvOrJsonOfTheDesignedSection)
{
    const auto csv = runCli({"polar", "--thickness", "0.12", "--camber", "0.02", "--te-angle", "10", "--alpha-from",
                             "-4", "--alpha-to", "12", "--alpha-step", "0.5"});
    EXPECT_EQ(csv.status, 0);
    const auto rows = linesOf(csv.out);
    ASSERT_EQ(rows.size(), 34u);
    EXPECT_EQ(rows[0], "alpha,Cl,Cm,Cp_min,x_Cp_min");
    EXPECT_EQ(rows[17].substr(0, 20), "4,0.760850630571607,");  // Cl: 0.7609 from `folix design --alpha 4`
    const auto json = runCli({"polar", "--alpha-from", "0", "--alpha-to", "1", "--alpha-step", "1", "--json"});
    EXPECT_EQ(testing::jsonMember(json.out, "alpha"), "[0, 1]");
    EXPECT_EQ(testing::jsonMember(json.out, "Cp_min_over"), "\"surface\"");
    const auto failed = runCli({"polar", "--te-angle", "9", "--max-thickness-at", "0.3", "--thickness", "0.12",
                                "--camber", "0.02", "--alpha-from", "0", "--alpha-to", "1", "--alpha-step", "1"});
    EXPECT_EQ(failed.status, 1);
    EXPECT_EQ(failed.out, "");
    EXPECT_EQ(failed.err, "error: Division by zero\n");
}

TEST(ProgressText, RowsRateAndTimeLeft)
{
    EXPECT_EQ(progressText(0, std::nullopt, 0), "0 rows");
    EXPECT_EQ(progressText(0, 1000, 0.5), "0 of 1,000 rows");
    EXPECT_EQ(progressText(1234567, std::nullopt, 2), "1,234,567 rows  617,284 rows/s");
    EXPECT_EQ(progressText(12000, 100000, 1.6), "12,000 of 100,000 rows  7,500 rows/s  0:12 left");
    EXPECT_EQ(progressText(100, 1000000, 1), "100 of 1,000,000 rows  100 rows/s  2:46:39 left");
}

}  // namespace
}  // namespace folix
