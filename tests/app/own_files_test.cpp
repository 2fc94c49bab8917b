#include <gtest/gtest.h>

#include "cli_support.h"
#include "results/results_file.h"

namespace folix {
namespace {

namespace fs = std::filesystem;
using testing::readBytes;
using testing::runCli;

class OwnFiles : public testing::InScratchDirectory {};

// Two files of one command that are one file, by any name, stop it before
// anything is written; every file keeps its bytes.
TEST_F(OwnFiles, NoCommandOverwritesItsOwnInputOrResults)
{
    const std::string rows = "0.12,0.02,10\n0.10,0,0\n";
    struct Case {
        std::vector<std::string> args;
        std::string message;
    };
    const Case cases[] = {
        {{"design", "--dat", "Folix_Input.txt", "--save"}, "--dat Folix_Input.txt and the results file Folix_Input.txt"},
        {{"design", "--dat", "a.dat", "--cp", "l.dat"}, "--dat a.dat and --cp l.dat"},
        {{"design", "--dat", "new.dat", "--cp", "here/new.dat"}, "--dat new.dat and --cp here/new.dat"},
        {{"design", "--cp", "r.dat", "--save"}, "--cp r.dat and the results file Folix_Input.txt"},
        {{"batch", "dd/line-000002.dat", "--dat-dir", "dd"}, "the batch input dd/line-000002.dat and the coordinate file dd/line-000002.dat"},
        {{"batch", "rows.csv", "--dat-dir", "dd"}, "the batch input rows.csv and the coordinate file dd/line-000007.dat"},
        {{"batch", "Folix_Input.txt", "--save"}, "the batch input Folix_Input.txt and the results file Folix_Input.txt"},
    };
    for (const auto& c : cases) {
        fs::create_directory("dd");
        std::ofstream("Folix_Input.txt") << "results\n";
        std::ofstream("a.dat") << "a\n";
        std::ofstream("rows.csv") << rows;
        std::ofstream("dd/line-000002.dat") << rows;
        fs::create_symlink("a.dat", "l.dat");
        fs::create_symlink(".", "here");
        fs::create_symlink("Folix_Input.txt", "r.dat");
        fs::create_symlink("../rows.csv", "dd/line-000007.dat");
        const auto before = entries();

        const auto run = runCli(c.args);
        EXPECT_EQ(run.status, 2) << c.message;
        EXPECT_EQ(run.err, "folix: " + c.message + " are one file; nothing was written\n");
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(entries(), before) << c.message;
        EXPECT_EQ(readBytes("Folix_Input.txt") + readBytes("a.dat") + readBytes("rows.csv"), "results\na\n" + rows);
        EXPECT_EQ(readBytes("dd/line-000002.dat"), rows);
        fs::remove_all("dd");
        for (const char* name : {"l.dat", "here", "r.dat", "Folix_Input.txt", "a.dat", "rows.csv"}) fs::remove(name);
    }
    // Lines before --first-line are never written: no clash.
    fs::create_directory("dd");
    std::ofstream("dd/line-000002.dat") << rows;
    EXPECT_EQ(runCli({"batch", "dd/line-000002.dat", "--dat-dir", "dd", "--first-line", "3"}).status, 0);
    EXPECT_EQ(readBytes("dd/line-000002.dat"), rows);
}

// A name holding a line end cannot make a message that looks like another one.
TEST_F(OwnFiles, MessagesQuoteNamesWithControlCharacters)
{
    const auto run = runCli({"design", "--dat", "no\nerror: such/x.dat"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "error: cannot write \"no\\nerror: such/x.dat\": No such file or directory\n");
    EXPECT_EQ(runCli({"batch", "a\x1b[1m.csv"}).err, "folix: cannot read \"a\\x1b[1m.csv\": No such file or directory\n");
}

}  // namespace
}  // namespace folix
