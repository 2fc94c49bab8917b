#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <string>
#include <tuple>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "engine/arithmetic_error.h"
#include "results/file_descriptor.h"
#include "results/record_reader.h"
#include "results/results_file.h"
#include "scratch_directory.h"

namespace folix {
namespace {

using testing::readBytes;
using testing::ScratchDirectory;
using testing::writeBytes;

const std::string kHead = "Delta Gamma  xDltC   Tau     F          G        m\r\n\r\n";
// Tau 10.00008, as step 1 computes it in doubles.
const double kExampleTau = (2 - 1.944444) * 180;
const std::string kExampleLine = " 0.10   0.00   0.25000   10.00   0.07000   0.00000   1.94444\r\n";

DesignState exampleDesign()
{
    DesignState state;
    state.Delta = 0.1;
    state.Gamma = 0;
    state.XDltC = 0.25;
    state.F = 0.07;
    state.G = 0;
    state.EM = 1.944444;
    return state;
}

// The exponent whose trailing-edge angle is `degrees`.
double exponentFor(double degrees) { return 2 - degrees / 180; }

class ResultsFile : public ::testing::Test {
protected:
    ScratchDirectory directory;
    std::filesystem::path file = directory / "Folix_Input.txt";
};

TEST_F(ResultsFile, FirstSaveCreatesHeaderEmptyLineAndRecord)
{
    DesignState state = exampleDesign();
    const SaveResult result = saveResult(state, file);

    EXPECT_EQ(result.outcome, SaveOutcome::Created);
    EXPECT_EQ(result.file, file);
    EXPECT_EQ(readBytes(file), kHead + kExampleLine);
    EXPECT_EQ(kExampleLine.size(), 62u);
    EXPECT_EQ(state.Tau, kExampleTau);
}

TEST_F(ResultsFile, SaveBeforeAnyDesignWritesZerosAndTau360)
{
    DesignState state;
    EXPECT_EQ(saveResult(state, file).outcome, SaveOutcome::Created);
    EXPECT_EQ(state.Tau, 360.0);
    EXPECT_EQ(readBytes(file), kHead + " 0.00   0.00   0.00000   360.00   0.00000   0.00000   0.00000\r\n");
}

TEST_F(ResultsFile, DefaultNameLivesInTheWorkingDirectory)
{
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(directory.path());
    DesignState state = exampleDesign();
    const SaveResult result = saveResult(state);
    std::filesystem::current_path(previous);

    EXPECT_EQ(result.outcome, SaveOutcome::Created);
    EXPECT_EQ(result.file, file);
    EXPECT_EQ(readBytes(file), kHead + kExampleLine);
}

TEST_F(ResultsFile, SameDesignTwiceIsRefusedAndLeavesTheFileAlone)
{
    DesignState state = exampleDesign();
    ASSERT_EQ(saveResult(state, file).outcome, SaveOutcome::Created);
    const std::string before = readBytes(file);

    state.Tau = 0.17;  // radians, as a design run leaves it
    EXPECT_EQ(saveResult(state, file).outcome, SaveOutcome::Duplicate);
    EXPECT_EQ(readBytes(file), before);
    EXPECT_EQ(state.Tau, kExampleTau);
}

TEST_F(ResultsFile, DuplicateTestComparesFourColumnsWithTheirTolerances)
{
    struct Case {
        const char* name;
        std::function<void(DesignState&)> change;
        SaveOutcome outcome;
    };
    const Case cases[] = {
        {"same design", [](DesignState&) {}, SaveOutcome::Duplicate},
        {"F, G and m are not compared", [](DesignState& s) { s.F = 0.5; s.G = -0.3; s.EM = exponentFor(10.003); }, SaveOutcome::Duplicate},
        {"Tau 0.004 above", [](DesignState& s) { s.EM = exponentFor(10.004); }, SaveOutcome::Duplicate},
        {"Tau 0.004 below", [](DesignState& s) { s.EM = exponentFor(9.996); }, SaveOutcome::Duplicate},
        {"Tau 0.006 above", [](DesignState& s) { s.EM = exponentFor(10.006); }, SaveOutcome::Appended},
        {"Tau 0.006 below", [](DesignState& s) { s.EM = exponentFor(9.994); }, SaveOutcome::Appended},
        {"xDltC 0.000004 above", [](DesignState& s) { s.XDltC = 0.250004; }, SaveOutcome::Duplicate},
        {"xDltC 0.000004 below", [](DesignState& s) { s.XDltC = 0.249996; }, SaveOutcome::Duplicate},
        {"xDltC 0.000006 above", [](DesignState& s) { s.XDltC = 0.250006; }, SaveOutcome::Appended},
        {"xDltC 0.000006 below", [](DesignState& s) { s.XDltC = 0.249994; }, SaveOutcome::Appended},
        {"Delta compared exactly", [](DesignState& s) { s.Delta = 0.1000000001; }, SaveOutcome::Appended},
        {"Gamma compared exactly", [](DesignState& s) { s.Gamma = 1e-12; }, SaveOutcome::Appended},
    };
    for (const auto& c : cases) {
        writeBytes(file, kHead + kExampleLine);
        DesignState state = exampleDesign();
        c.change(state);
        EXPECT_EQ(saveResult(state, file).outcome, c.outcome) << c.name;
        if (c.outcome == SaveOutcome::Duplicate) {
            EXPECT_EQ(readBytes(file), kHead + kExampleLine) << c.name;
        }
    }
}

TEST_F(ResultsFile, RoundedDeltaNeverMatchesItsTypedValue)
{
    DesignState state = exampleDesign();
    state.Delta = 0.125;
    ASSERT_EQ(saveResult(state, file).outcome, SaveOutcome::Created);
    EXPECT_EQ(saveResult(state, file).outcome, SaveOutcome::Appended);

    const std::string line = " 0.13   0.00   0.25000   10.00   0.07000   0.00000   1.94444\r\n";
    EXPECT_EQ(readBytes(file), kHead + line + line);
}

TEST_F(ResultsFile, OnlyTheFirstHundredRecordsAreTested)
{
    // Record k has Delta k/100; the design matches record 100 or record 101.
    std::string records;
    for (int k = 1; k <= 101; ++k) records += " " + std::to_string(k) + "e-2   0.00   0.25000   10.00   0   0   0\r\n";

    DesignState hundredth = exampleDesign();
    hundredth.Delta = 100e-2;
    writeBytes(file, kHead + records);
    EXPECT_EQ(saveResult(hundredth, file).outcome, SaveOutcome::Duplicate);

    DesignState beyond = exampleDesign();
    beyond.Delta = 101e-2;
    EXPECT_EQ(saveResult(beyond, file).outcome, SaveOutcome::Appended);
    EXPECT_EQ(readBytes(file), kHead + records + " 1.01   0.00   0.25000   10.00   0.07000   0.00000   1.94444\r\n");
}

TEST_F(ResultsFile, HandEditedFilesAreReadAsWellAsTheyCanBe)
{
    struct Case {
        const char* name;
        std::string records;
        SaveOutcome outcome;
    };
    const Case cases[] = {
        {"commas", "0.1,0,0.25,10,1,2,3\r\n", SaveOutcome::Duplicate},
        {"text among the numbers", "0.10   0.00   0.25000cm   10.00deg   F   G   m\r\n", SaveOutcome::Duplicate},
        {"match after a damaged record", "1e999 junk 1e999 1e999 -1e999 x y\r\n" + kExampleLine, SaveOutcome::Duplicate},
        {"a short last record is not counted", "0.10   0.00   0.25000   10.00   0.07000   0.00000\r\n", SaveOutcome::Appended},
    };
    for (const auto& c : cases) {
        writeBytes(file, kHead + c.records);
        DesignState state = exampleDesign();
        EXPECT_EQ(saveResult(state, file).outcome, c.outcome) << c.name;
        EXPECT_EQ(state.Tau, kExampleTau) << c.name;
        const std::string expected = kHead + c.records + (c.outcome == SaveOutcome::Appended ? kExampleLine : "");
        EXPECT_EQ(readBytes(file), expected) << c.name;
    }
}

// A file that stops before its records keeps all it holds and gets only the
// line ends it lacks; one without a line end after its last record gets one.
TEST_F(ResultsFile, IncompleteFilesAreCompletedNeverRewritten)
{
    const std::string header = "Delta Gamma  xDltC   Tau     F          G        m";
    const std::string longLine(1 << 20, 'x');
    struct Case {
        const char* name;
        std::string content;
        std::string added;
        SaveOutcome outcome;
    };
    const Case cases[] = {
        {"empty file", "", kHead + kExampleLine, SaveOutcome::Created},
        {"header without line end", header, "\r\n\r\n" + kExampleLine, SaveOutcome::Appended},
        {"header alone", header + "\r\n", "\r\n" + kExampleLine, SaveOutcome::Appended},
        {"header ended by a lone CR", header + "\r", "\n\r\n" + kExampleLine, SaveOutcome::Appended},
        {"header and unfinished second line", header + "\r\nnote", "\r\n" + kExampleLine, SaveOutcome::Appended},
        {"one long line", longLine, "\r\n\r\n" + kExampleLine, SaveOutcome::Appended},
        {"header and empty line", kHead, kExampleLine, SaveOutcome::Appended},
        {"last record without line end", kHead + " 0.20   0.00   0.25000   10.00   0   0   0", "\r\n" + kExampleLine, SaveOutcome::Appended},
        {"last record ended by LF only", kHead + " 0.20   0.00   0.25000   10.00   0   0   0\n", kExampleLine, SaveOutcome::Appended},
    };
    for (const auto& c : cases) {
        writeBytes(file, c.content);
        DesignState state = exampleDesign();
        EXPECT_EQ(saveResult(state, file).outcome, c.outcome) << c.name;
        EXPECT_EQ(readBytes(file), c.content + c.added) << c.name;

        // The file is valid again: the record just written is found.
        const std::string completed = readBytes(file);
        EXPECT_EQ(saveResult(state, file).outcome, SaveOutcome::Duplicate) << c.name;
        EXPECT_EQ(readBytes(file), completed) << c.name;
    }
}

TEST_F(ResultsFile, NameTakenByADirectoryFails)
{
    std::filesystem::create_directory(file);
    DesignState state = exampleDesign();
    const SaveResult result = saveResult(state, file);

    EXPECT_EQ(result.outcome, SaveOutcome::Failed);
    EXPECT_EQ(result.reason, std::strerror(EISDIR));
    EXPECT_EQ(result.errorNumber, EISDIR);
    EXPECT_EQ(result.file, file);
    EXPECT_EQ(state.Tau, kExampleTau);
    EXPECT_TRUE(std::filesystem::is_directory(file));
    EXPECT_TRUE(std::filesystem::is_empty(file));
}

TEST_F(ResultsFile, MissingFolderFailsWithoutCreatingAnything)
{
    const auto nowhere = directory / "missing" / "Folix_Input.txt";
    DesignState state = exampleDesign();
    const SaveResult result = saveResult(state, nowhere);

    EXPECT_EQ(result.outcome, SaveOutcome::Failed);
    EXPECT_EQ(result.reason, std::strerror(ENOENT));
    EXPECT_EQ(result.errorNumber, ENOENT);
    EXPECT_FALSE(std::filesystem::exists(directory / "missing"));
    EXPECT_EQ(state.Tau, kExampleTau);
}

TEST_F(ResultsFile, NameTakenByAPipeFailsWithoutWaiting)
{
    ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0);
    DesignState state = exampleDesign();
    const SaveResult result = saveResult(state, file);
    EXPECT_EQ(result.outcome, SaveOutcome::Failed);
    EXPECT_EQ(result.reason, "Not a regular file");
}

TEST_F(ResultsFile, AnAngleBeyondTheDoubleRangeEndsTheCommandFirst)
{
    DesignState state = exampleDesign();
    state.Tau = 0.17;
    state.EM = -1.7e308;
    try {
        saveResult(state, file);
        ADD_FAILURE() << "no overflow";
    } catch (const ArithmeticError& error) {
        EXPECT_EQ(error.kind(), ErrorKind::Overflow);
    }
    EXPECT_EQ(state.Tau, 0.17);
    EXPECT_FALSE(std::filesystem::exists(file));
}

struct ChildSave {
    int outcome = -1;
    std::string reason;
};

// Saves in a child process whose file-size limit is `limit` bytes, with SIGXFSZ
// ignored so that a write beyond it fails with EFBIG; this process keeps its limits.
ChildSave saveUnderFileSizeLimit(const std::filesystem::path& file, rlim_t limit)
{
    int channel[2];
    if (::pipe(channel) != 0) return {};
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit fileSize{};
        ::getrlimit(RLIMIT_FSIZE, &fileSize);
        fileSize.rlim_cur = limit;
        ::setrlimit(RLIMIT_FSIZE, &fileSize);
        DesignState state = exampleDesign();
        const SaveResult result = saveResult(state, file);
        const std::string report = std::to_string(static_cast<int>(result.outcome)) + "\n" + result.reason;
        const bool sent = ::write(channel[1], report.data(), report.size()) == static_cast<ssize_t>(report.size());
        ::_exit(sent ? 0 : 1);
    }
    ::close(channel[1]);
    std::string report;
    char buffer[256];
    for (ssize_t n; (n = ::read(channel[0], buffer, sizeof buffer)) > 0;) report.append(buffer, static_cast<std::size_t>(n));
    ::close(channel[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return {};
    const std::size_t newline = report.find('\n');
    return {std::stoi(report.substr(0, newline)), report.substr(newline + 1)};
}

TEST_F(ResultsFile, AppendFailingMidwayLeavesTheFileByteIdentical)
{
    DesignState first = exampleDesign();
    first.Delta = 0.2;
    ASSERT_EQ(saveResult(first, file).outcome, SaveOutcome::Created);
    const std::string before = readBytes(file);

    for (rlim_t room : {rlim_t{0}, rlim_t{1}, rlim_t{20}, rlim_t{61}}) {
        const ChildSave save = saveUnderFileSizeLimit(file, before.size() + room);
        EXPECT_EQ(save.outcome, static_cast<int>(SaveOutcome::Failed)) << room;
        EXPECT_EQ(save.reason, std::strerror(EFBIG)) << room;
        EXPECT_EQ(readBytes(file), before) << room;
    }
    const ChildSave enough = saveUnderFileSizeLimit(file, before.size() + 62);
    EXPECT_EQ(enough.outcome, static_cast<int>(SaveOutcome::Appended));
    EXPECT_EQ(readBytes(file), before + kExampleLine);
}

TEST_F(ResultsFile, CreationFailingMidwayLeavesNoFile)
{
    const ChildSave save = saveUnderFileSizeLimit(file, 30);
    EXPECT_EQ(save.outcome, static_cast<int>(SaveOutcome::Failed));
    EXPECT_EQ(save.reason, std::strerror(EFBIG));
    EXPECT_FALSE(std::filesystem::exists(file));
}

TEST_F(ResultsFile, CompletingAnIncompleteFileFailingMidwayRestoresIt)
{
    const std::string header = "Delta Gamma  xDltC   Tau     F          G        m";
    writeBytes(file, header);
    const ChildSave save = saveUnderFileSizeLimit(file, header.size() + 3);
    EXPECT_EQ(save.outcome, static_cast<int>(SaveOutcome::Failed));
    EXPECT_EQ(readBytes(file), header);
}

// Savers in separate processes, each saving every design in an order of its own.
TEST_F(ResultsFile, ConcurrentSaversRecordEachDesignOnce)
{
    constexpr int kSavers = 6;
    constexpr int kDesigns = 40;
    std::set<std::string> expected;  // Delta 0.01 to 0.40, one line each
    for (int k = 1; k <= kDesigns; ++k)
        expected.insert(" 0." + std::string(k < 10 ? "0" : "") + std::to_string(k) + kExampleLine.substr(5));
    for (const bool present : {false, true}) {
        if (present) writeBytes(file, kHead);
        std::vector<pid_t> savers(kSavers);
        for (int saver = 0; saver < kSavers; ++saver) {
            if ((savers[saver] = ::fork()) != 0) continue;
            bool saved = true;
            for (int k = 0; k < kDesigns; ++k) {
                DesignState state = exampleDesign();
                state.Delta = ((k + saver * 7) % kDesigns + 1) / 100.0;
                saved = saveResult(state, file).outcome != SaveOutcome::Failed && saved;
            }
            ::_exit(saved ? 0 : 1);
        }
        for (const pid_t child : savers) {
            int status = -1;
            ::waitpid(child, &status, 0);
            EXPECT_EQ(status, 0) << present;
        }
        const std::string saved = readBytes(file);
        ASSERT_EQ(saved.size(), kHead.size() + kDesigns * kExampleLine.size()) << present;
        EXPECT_EQ(saved.rfind(kHead, 0), 0u) << present;
        std::set<std::string> records;
        for (std::size_t at = kHead.size(); at < saved.size(); at += kExampleLine.size())
            records.insert(saved.substr(at, kExampleLine.size()));
        EXPECT_EQ(records, expected) << present;
        std::filesystem::remove(file);
    }
}

TEST_F(ResultsFile, LockHeldElsewhereFailsTheSaveAfterAFewSeconds)
{
    writeBytes(file, kHead);
    FileDescriptor holder(::open(file.c_str(), O_RDONLY));
    ASSERT_EQ(::flock(holder.get(), LOCK_EX), 0);
    DesignState state = exampleDesign();
    const SaveResult result = saveResult(state, file);
    EXPECT_EQ(result.outcome, SaveOutcome::Failed);
    EXPECT_EQ(result.reason, "the results file is locked by another program");
    EXPECT_EQ(result.errorNumber, 0);
    EXPECT_EQ(readBytes(file), kHead);
}

int openHandles()
{
    int count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) ++count;
    return count;
}

TEST_F(ResultsFile, NoOutcomeLeavesAHandleOpen)
{
    const int before = openHandles();
    DesignState state = exampleDesign();
    EXPECT_EQ(saveResult(state, file).outcome, SaveOutcome::Created);
    EXPECT_EQ(saveResult(state, file).outcome, SaveOutcome::Duplicate);
    state.Delta = 0.3;
    EXPECT_EQ(saveResult(state, file).outcome, SaveOutcome::Appended);
    const auto folder = directory / "folder";
    std::filesystem::create_directory(folder);
    EXPECT_EQ(saveResult(state, folder).outcome, SaveOutcome::Failed);
    EXPECT_EQ(openHandles(), before);
}

TEST_F(ResultsFile, ReadingFailsWhereAndAsTheSaveFails)
{
    const auto pipe = directory / "pipe";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    std::filesystem::create_directory(file);
    for (const auto& unreadable : {file, pipe, directory / "missing" / "Folix_Input.txt"}) {
        const RecordedResults read = readResultsFile(unreadable, 10);
        DesignState state = exampleDesign();
        const SaveResult saved = saveResult(state, unreadable);
        ASSERT_TRUE(read.failure.has_value()) << unreadable;
        EXPECT_EQ(read.failure->outcome, SaveOutcome::Failed);
        EXPECT_EQ(std::tie(read.failure->reason, read.failure->errorNumber, read.failure->file),
                  std::tie(saved.reason, saved.errorNumber, saved.file));
        EXPECT_TRUE(read.records.empty());
    }
}

TEST_F(ResultsFile, ReadingGivesTheRecordsAskedBeyondWhatASaveReads)
{
    const std::size_t count = kReadBytes / kExampleLine.size() + 2;
    std::string text = kHead;
    for (std::size_t i = 0; i < count; ++i) text += kExampleLine;
    writeBytes(file, text + " 0.10   0.00   0.25000");  // a record cut short is none
    for (const std::size_t most : {std::size_t{0}, std::size_t{120}, count + 1}) {
        const RecordedResults read = readResultsFile(file, most);
        EXPECT_FALSE(read.failure.has_value());
        ASSERT_EQ(read.records.size(), std::min(most, count));
        if (most > 0) {
            EXPECT_EQ(read.records.back()[6], 1.94444);
        }
    }
}

}  // namespace
}  // namespace folix
