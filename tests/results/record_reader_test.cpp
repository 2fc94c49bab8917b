#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "results/record_reader.h"
#include "scratch_directory.h"

namespace folix {
namespace {

using testing::ScratchDirectory;
using testing::writeBytes;

const std::string kTop = "Delta Gamma  xDltC   Tau     F          G        m\r\n\r\n";

RecordedFile readContent(const std::string& content)
{
    ScratchDirectory directory;
    const auto file = directory / "Folix_Input.txt";
    writeBytes(file, content);
    const int fd = ::open(file.c_str(), O_RDONLY);
    RecordedFile recorded = readRecordedFile(fd);
    ::close(fd);
    return recorded;
}

std::vector<std::vector<double>> valuesOf(const RecordedFile& recorded)
{
    std::vector<std::vector<double>> rows;
    for (const auto& record : recorded.records) {
        std::vector<double> row;
        for (const auto& field : record) row.push_back(field.value_or(-999));
        rows.push_back(row);
    }
    return rows;
}

TEST(RecordReading, SeparatorsAndDamagedText)
{
    using Rows = std::vector<std::vector<double>>;
    struct Case {
        const char* name;
        std::string body;
        Rows rows;
    };
    const Case cases[] = {
        {"written lines", " 0.10   0.00   0.25000   10.00   0.07000   0.00000   1.94444\r\n", {{0.1, 0, 0.25, 10, 0.07, 0, 1.94444}}},
        {"commas", "1,2,3,4,5,6,7\r\n8, 9 ,10 , 11,12,13,14\r\n", {{1, 2, 3, 4, 5, 6, 7}, {8, 9, 10, 11, 12, 13, 14}}},
        {"records across lines", "1 2 3\r\n4\n5 6 7 8 9\r\n10 11 12 13 14\r\n", {{1, 2, 3, 4, 5, 6, 7}, {8, 9, 10, 11, 12, 13, 14}}},
        {"tabs and blank lines", "\r\n\t1\t2 3\r\n\r\n4 5 6 7\r\n", {{1, 2, 3, 4, 5, 6, 7}}},
        {"empty fields between commas", "1,,3,,,6,7\r\n", {{1, 0, 3, 0, 0, 6, 7}}},
        {"text reads as its leading number", "abc 2x 3.5.1 -4e1q 0x5 +6 7%\r\n", {{0, 2, 3.5, -40, 0, 6, 7}}},
        {"beyond the double range matches nothing", "1e999 2 -1e400 1e-400 &H" + std::string(300, 'F') + " 6 7\r\n", {{-999, 2, -999, 0, -999, 6, 7}}},
        {"lone CR line ends", "1 2 3 4 5 6 7\r8 9 10 11 12 13 14\r", {{1, 2, 3, 4, 5, 6, 7}, {8, 9, 10, 11, 12, 13, 14}}},
        {"the end of the file closes the last number", "1 2 3 4 5 6 7", {{1, 2, 3, 4, 5, 6, 7}}},
        {"a short last record is dropped", "1 2 3 4 5 6 7\r\n8 9 10 11 12 13\r\n", {{1, 2, 3, 4, 5, 6, 7}}},
        {"a trailing comma is no field", "1 2 3 4 5 6 7\r\n8 9 10 11 12 13,\r\n", {{1, 2, 3, 4, 5, 6, 7}}},
        {"binary", std::string("\x01\x02\xff\xfe\0\0 \x80 7", 10) + " 8 9 10 11", {{0, 0, 7, 8, 9, 10, 11}}},
    };
    for (const auto& c : cases) {
        const RecordedFile recorded = readContent(kTop + c.body);
        EXPECT_EQ(recorded.linesBeforeRecords, 2) << c.name;
        EXPECT_EQ(valuesOf(recorded), c.rows) << c.name;
    }
}

TEST(RecordReading, AnOverlongFieldReadsFromItsFirstCharacters)
{
    const std::string longFraction = "0." + std::string(5000, '5');
    const RecordedFile recorded = readContent(kTop + longFraction + " 2 3 4 5 6 7\r\n");
    ASSERT_EQ(recorded.records.size(), 1u);
    EXPECT_EQ(recorded.records[0][0], 0.5555555555555556);
    EXPECT_EQ(recorded.records[0][1], 2.0);
}

TEST(RecordReading, HeaderLinesSizeAndLastByte)
{
    struct Case {
        std::string content;
        int linesBeforeRecords;
        char lastByte;
    };
    const Case cases[] = {
        {"", 0, '\0'},
        {"Delta Gamma", 0, 'a'},
        {"Delta Gamma\r", 1, '\r'},
        {"Delta Gamma\r\n", 1, '\n'},
        {"Delta Gamma\r\nx", 1, 'x'},
        {"Delta Gamma\r\n\r\n", 2, '\n'},
        {"\n\n", 2, '\n'},
        {"\r\r", 2, '\r'},
        {"a\r\n\r\n1 2", 2, '2'},
    };
    for (const auto& c : cases) {
        const RecordedFile recorded = readContent(c.content);
        EXPECT_EQ(recorded.size, static_cast<off_t>(c.content.size())) << c.content;
        EXPECT_EQ(recorded.linesBeforeRecords, c.linesBeforeRecords) << c.content;
        if (!c.content.empty()) {
            EXPECT_EQ(recorded.lastByte, c.lastByte) << c.content;
        }
        EXPECT_TRUE(recorded.records.empty()) << c.content;
    }
}

TEST(RecordReading, NumbersOnTheHeaderLinesAreNotRecords)
{
    const RecordedFile recorded = readContent("1 2 3 4 5 6 7\r\n1 2 3 4 5 6 7\r\n");
    EXPECT_TRUE(recorded.records.empty());
}

// A save costs the same on a file of any size: nothing beyond kReadBytes is read.
TEST(RecordReading, NothingBeyondTheFirstPartIsRead)
{
    const std::string record = "1 2 3 4 5 6 7\r\n";
    const std::string blankLines(kReadBytes, '\n');
    EXPECT_TRUE(readContent(kTop + blankLines + record).records.empty());
    const std::string fill(kReadBytes - kTop.size() - 3, ' ');
    EXPECT_TRUE(readContent(kTop + fill + "0.123 2 3 4 5 6 7\r\n").records.empty());  // cut, not read as 0.1
    const RecordedFile longHeader = readContent(std::string(kReadBytes + 1, 'x'));
    EXPECT_EQ(longHeader.linesBeforeRecords, 2);
}

}  // namespace
}  // namespace folix
