#include <gtest/gtest.h>

#include <string>

#include "results/results_file.h"
#include "scratch_directory.h"
#include "testing/generated_file.h"

namespace folix {
namespace {

using testing::ChunkMaker;
using testing::ScratchDirectory;

const std::string kRecordLine = " 0.10   0.00   0.25000   10.00   0.07000   0.00000   1.94444\r\n";

// Files of several read chunks; bench/results_bench.cpp times the same kinds
// at tens of megabytes and holds the save to its time and memory limits.
TEST(BadFiles, SaveKeepsEveryByteOfAnOddFile)
{
    struct Case {
        const char* name;
        std::size_t chunks;
        ChunkMaker make;
        std::string added;
    };
    const Case cases[] = {
        {"binary", 4, testing::binaryChunk, ""},
        {"without a line end", 8, testing::unbrokenChunk, "\r\n\r\n" + kRecordLine},
        {"short lines", 3, testing::shortLinesChunk, kRecordLine},
    };
    for (const auto& c : cases) {
        ScratchDirectory directory;
        const auto file = directory / "Folix_Input.txt";
        testing::writeGenerated(file, c.chunks, c.make);

        DesignState state;
        state.Delta = 0.1;
        state.XDltC = 0.25;
        state.F = 0.07;
        state.EM = 1.944444;
        EXPECT_EQ(saveResult(state, file).outcome, SaveOutcome::Appended) << c.name;

        std::string rest;
        EXPECT_TRUE(testing::startsWithGenerated(file, c.chunks, c.make, rest)) << c.name;
        if (!c.added.empty()) {
            EXPECT_EQ(rest, c.added) << c.name;
        }
        EXPECT_EQ(rest.substr(rest.size() - kRecordLine.size()), kRecordLine) << c.name;
    }
}

}  // namespace
}  // namespace folix
