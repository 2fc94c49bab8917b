#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

#include <sys/stat.h>

#include "engine/reference_section.h"

namespace folix {
namespace {

const std::string kSelig = "Test 0012-like\n1.0 0.0\n0.5 0.06\n0.0 0.0\n0.5 -0.06\n1.0 0.0\n";
const std::string kLednicer = "TEST LEDNICER\n  3.  4.\n\n0. 0.\n.5 .06\n1. 0.\n\n0. 0.\n0.3 -0.05\n0.7 -0.03\n1.0 -0.001\n";

std::vector<SectionPoint> points(std::initializer_list<std::pair<double, double>> xy)
{
    std::vector<SectionPoint> out;
    for (const auto& [x, y] : xy) out.push_back({x, y});
    return out;
}

bool same(const std::vector<SectionPoint>& a, const std::vector<SectionPoint>& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](SectionPoint p, SectionPoint q) { return p.x == q.x && p.y == q.y; });
}

TEST(ReferenceSection, BothLayoutsInSeligOrder)
{
    const ReferenceSection selig = parseReferenceSection(kSelig, "fallback");
    EXPECT_EQ(selig.name, "Test 0012-like");
    EXPECT_TRUE(same(selig.points, points({{1, 0}, {0.5, 0.06}, {0, 0}, {0.5, -0.06}, {1, 0}})));

    const ReferenceSection lednicer = parseReferenceSection(kLednicer, "fallback");
    EXPECT_EQ(lednicer.name, "TEST LEDNICER");
    EXPECT_TRUE(same(lednicer.points,
                     points({{1, 0}, {0.5, 0.06}, {0, 0}, {0.3, -0.05}, {0.7, -0.03}, {1, -0.001}})));

    // CR LF, tabs, a plus sign, no name line, trailing blank lines.
    const ReferenceSection bare = parseReferenceSection("1 0\r\n+0.5\t0.06\r\n0 0\r\n0.5 -6e-2\r\n1 0\r\n\r\n\n", "naca");
    EXPECT_EQ(bare.name, "naca");
    EXPECT_TRUE(same(bare.points, selig.points));
}

TEST(ReferenceSection, FaultsNameTheirLine)
{
    const std::pair<std::string, std::string> cases[] = {
        {"s\n1 0\n0.5 0.06\n0 0\n0.5 abc\n1 0\n", "line 5: expected two numbers \"x y\", found \"0.5 abc\""},
        {"s\n1 0\n0.5 0.06 7\n0 0\n0.5 -0.06\n1 0\n", "line 3: expected two numbers"},
        {"s\n1 0\n0.5 nan\n0 0\n0.5 -0.06\n1 0\n", "line 3: expected two numbers"},
        {"s\n1 0\n0.5 1e999\n0 0\n0.5 -0.06\n1 0\n", "line 3: expected two numbers"},
        {"s\n1 0\n0.5 0,06\n0 0\n0.5 -0.06\n1 0\n", "line 3: expected two numbers"},
        {"s\n1 0\n0.5 0.06\n\n0 0\n0.5 -0.06\n1 0\n", "line 4: a blank line between points"},
        {"s\n0 0\n0.5 0.06\n1 0\n0.5 -0.06\n1 0.01\n", "line 2: the points must run from the trailing edge"},
        {"s\n3 3\n\n0 0\n0.5 0.06\n1 0\n\n0 0\n0.5 -0.06\n", "line 2: the counts announce 6 points, the file has 5"},
        {"s\n2 2\n\n0 0\n1 0\n\n0 0\n1 0\n1 1\n", "line 9: more points than the counts on line 2 announce"},
        {"s\n1 0\n0 0\n1 0\n", "a section needs from 5 to 100001 points, the file has 3"},
        {"name only\n\n", "the file holds no points"},
        {"", "the file is empty"},
        {"s\n1 0\n0.5\x01 0.06\n", "line 3: not a text file (byte 0x01)"},
        {std::string("\x89PNG\r\n\x1a\n\0\0", 10), "line 2: not a text file (byte 0x1a)"},
    };
    for (const auto& [text, message] : cases) {
        try {
            parseReferenceSection(text, "f");
            ADD_FAILURE() << "read: " << text;
        } catch (const ReferenceFileError& error) {
            EXPECT_EQ(std::string(error.what()).rfind(message, 0), 0u) << error.what();
        }
    }
}

TEST(ReferenceSection, ReadsOnlyRegularFilesOfBoundedSize)
{
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / ("reference_" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "n0012.dat") << kSelig.substr(kSelig.find('\n') + 1);
    EXPECT_EQ(readReferenceSection(folder / "n0012.dat").name, "n0012");

    // A sparse file of a gigabyte is refused before anything is read.
    std::ofstream(folder / "huge.dat") << kSelig;
    std::filesystem::resize_file(folder / "huge.dat", std::uintmax_t{1} << 30);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_THROW(readReferenceSection(folder / "huge.dat"), ReferenceFileError);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(100));

    ASSERT_EQ(::mkfifo((folder / "pipe.dat").c_str(), 0600), 0);
    for (const char* name : {"pipe.dat", "missing.dat", "."}) {
        try {
            readReferenceSection(folder / name);
            ADD_FAILURE() << name;
        } catch (const ReferenceFileError& error) {
            EXPECT_EQ(error.line(), 0) << error.what();
        }
    }
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace folix
