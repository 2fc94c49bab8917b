#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <fstream>
#include <functional>
#include <string>

#include <sys/resource.h>

#include "results/results_file.h"
#include "scratch_directory.h"

namespace folix {
namespace {

using testing::ScratchDirectory;

const std::string kRecordLine = " 0.10   0.00   0.25000   10.00   0.07000   0.00000   1.94444\r\n";
constexpr std::size_t kChunk = 1 << 20;

// Fills `chunk` with the bytes of chunk number `index` of a generated file.
using ChunkMaker = std::function<void(std::size_t index, std::string& chunk)>;

void writeGenerated(const std::filesystem::path& file, std::size_t chunks, const ChunkMaker& make)
{
    std::ofstream out(file, std::ios::binary);
    std::string chunk;
    for (std::size_t i = 0; i < chunks; ++i) {
        make(i, chunk);
        out << chunk;
    }
}

// Compares the file chunk by chunk, so the test itself stays small in memory.
bool startsWithGenerated(const std::filesystem::path& file, std::size_t chunks, const ChunkMaker& make, std::string& rest)
{
    std::ifstream in(file, std::ios::binary);
    std::string expected;
    std::string actual;
    for (std::size_t i = 0; i < chunks; ++i) {
        make(i, expected);
        actual.assign(expected.size(), '\0');
        in.read(actual.data(), static_cast<std::streamsize>(actual.size()));
        if (actual != expected) return false;
    }
    rest.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

long peakResidentKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

void binaryChunk(std::size_t index, std::string& chunk)
{
    std::uint64_t x = 0x9E3779B97F4A7C15ull * (index + 1);
    chunk.resize(kChunk);
    for (char& c : chunk) {
        x ^= x << 13;
        x ^= x >> 7;
        x ^= x << 17;
        c = static_cast<char>(x >> 56);
    }
}

void unbrokenChunk(std::size_t, std::string& chunk) { chunk.assign(kChunk, '7'); }

void shortLinesChunk(std::size_t, std::string& chunk)
{
    chunk.clear();
    for (int k = 0; k < 100'000; ++k) chunk += "x\r\n";
}

TEST(BadFiles, SaveFinishesQuicklyInBoundedMemoryAndKeepsEverything)
{
    struct Case {
        const char* name;
        std::size_t chunks;
        ChunkMaker make;
        std::string added;
    };
    const Case cases[] = {
        {"binary, 16 MB", 16, binaryChunk, ""},
        {"32 MB without a line end", 32, unbrokenChunk, "\r\n\r\n" + kRecordLine},
        {"a million short lines", 10, shortLinesChunk, kRecordLine},
    };
    for (const auto& c : cases) {
        ScratchDirectory directory;
        const auto file = directory / "Folix_Input.txt";
        writeGenerated(file, c.chunks, c.make);

        const long peakBefore = peakResidentKilobytes();
        const auto start = std::chrono::steady_clock::now();
        DesignState state;
        state.Delta = 0.1;
        state.XDltC = 0.25;
        state.F = 0.07;
        state.EM = 1.944444;
        const SaveResult result = saveResult(state, file);
        const auto elapsed = std::chrono::steady_clock::now() - start;
        const long peakGrowth = peakResidentKilobytes() - peakBefore;

        EXPECT_EQ(result.outcome, SaveOutcome::Appended) << c.name;
        EXPECT_LT(elapsed, std::chrono::seconds(2)) << c.name;
        EXPECT_LT(peakGrowth, 4 * 1024) << c.name;

        std::string rest;
        EXPECT_TRUE(startsWithGenerated(file, c.chunks, c.make, rest)) << c.name;
        if (!c.added.empty()) {
            EXPECT_EQ(rest, c.added) << c.name;
        }
        EXPECT_EQ(rest.substr(rest.size() - kRecordLine.size()), kRecordLine) << c.name;
    }
}

}  // namespace
}  // namespace folix
