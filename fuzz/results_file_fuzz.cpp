// "Save result" onto a results file of arbitrary bytes, for a design record of
// fuzzed fields: the save never fails on a regular file, never loses or changes
// a byte that was there, and adds at most the missing line ends and the record
// line. A design saved into a new file is then found as a duplicate.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <unistd.h>

#include "engine/arithmetic_error.h"
#include "results/record_text.h"
#include "results/results_file.h"

namespace {

namespace fs = std::filesystem;

[[noreturn]] void fail(const std::string& what)
{
    std::fprintf(stderr, "%s\n", what.c_str());
    std::abort();
}

// A directory of its own for the whole fuzzing process, removed at its end.
class ScratchDirectory {
public:
    ScratchDirectory()
    {
        std::string pattern = (fs::temp_directory_path() / "folix-fuzz-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) fail("no scratch directory");
        path_ = pattern;
    }
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;
    ~ScratchDirectory()
    {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

std::string readBytes(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeBytes(const fs::path& file, const std::string& bytes)
{
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << bytes;
    if (!out.flush()) fail("could not write the scratch file");
}

// Values as a user's designs give them: the file's decimals hold them exactly
// (Tau up to the rounding of its conversion from EM), so a saved design must
// be recognised when saved again.
folix::DesignState designLikeRecord(FuzzedDataProvider& input)
{
    folix::DesignState state;
    state.Delta = input.ConsumeIntegralInRange(-10000, 10000) / 100.0;
    state.Gamma = input.ConsumeIntegralInRange(-10000, 10000) / 100.0;
    state.XDltC = input.ConsumeIntegralInRange(-2000000, 2000000) / 100000.0;
    state.EM = 2 - input.ConsumeIntegralInRange(-36000, 36000) / 18000.0;  // Tau = (2 - EM) 180 degrees
    state.F = input.ConsumeIntegralInRange(-200000, 200000) / 100000.0;
    state.G = input.ConsumeIntegralInRange(-200000, 200000) / 100000.0;
    return state;
}

folix::DesignState anyDesign(FuzzedDataProvider& input)
{
    folix::DesignState state;
    state.Delta = input.ConsumeFloatingPoint<double>();
    state.Gamma = input.ConsumeFloatingPoint<double>();
    state.XDltC = input.ConsumeFloatingPoint<double>();
    state.EM = input.ConsumeFloatingPoint<double>();
    state.F = input.ConsumeFloatingPoint<double>();
    state.G = input.ConsumeFloatingPoint<double>();
    return state;
}

bool onlyLineEnds(const std::string& text)
{
    return text.find_first_not_of("\r\n") == std::string::npos;
}

void checkSave(folix::DesignState& state, const fs::path& file, bool existed)
{
    const std::string before = existed ? readBytes(file) : std::string();
    folix::SaveResult result;
    try {
        result = folix::saveResult(state, file);
    } catch (const folix::ArithmeticError& error) {
        if (error.kind() != folix::ErrorKind::Overflow) fail("save raised another error kind");
        if (fs::exists(file) != existed || readBytes(file) != before) fail("a save that raised touched the file");
        return;
    }

    const std::string after = readBytes(file);
    const std::string record = folix::recordLine(state) + folix::kLineEnd;
    switch (result.outcome) {
    case folix::SaveOutcome::Failed:
        fail("save failed on a regular file: " + result.reason);
    case folix::SaveOutcome::Duplicate:
        if (after != before) fail("a duplicate changed the file");
        break;
    case folix::SaveOutcome::Created:
        if (!before.empty()) fail("created over a file that held something");
        if (after != std::string(folix::kHeaderLine) + folix::kLineEnd + folix::kLineEnd + record)
            fail("a new file is not header, empty line and record");
        break;
    case folix::SaveOutcome::Appended: {
        if (before.empty() || after.size() < before.size() + record.size())
            fail("appended to an empty file, or too little");
        if (after.compare(0, before.size(), before) != 0) fail("an append changed what was there");
        if (after.compare(after.size() - record.size(), record.size(), record) != 0) fail("the record is not last");
        const std::string added = after.substr(before.size(), after.size() - before.size() - record.size());
        if (added.size() > 4 || !onlyLineEnds(added)) fail("an append added more than line ends before the record");
        break;
    }
    }
}

}  // namespace

// Input: a byte choosing the kind of design and whether a file exists, the
// design's fields, then the file's bytes.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const auto choice = input.ConsumeIntegral<std::uint8_t>();
    const bool recordLike = (choice & 1) != 0;
    const bool fileExists = (choice & 2) == 0;
    folix::DesignState state = recordLike ? designLikeRecord(input) : anyDesign(input);

    static const ScratchDirectory scratch;
    const fs::path file = scratch.path() / folix::kResultsFileName;
    std::error_code ignored;
    fs::remove(file, ignored);
    if (fileExists) writeBytes(file, input.ConsumeRemainingBytesAsString());
    checkSave(state, file, fileExists);

    if (recordLike) {
        fs::remove(file, ignored);
        folix::SaveResult first = folix::saveResult(state, file);
        if (first.outcome != folix::SaveOutcome::Created) fail("a save into no file did not create it");
        folix::SaveResult second = folix::saveResult(state, file);
        if (second.outcome != folix::SaveOutcome::Duplicate) fail("a design saved twice is not a duplicate");
    }
    fs::remove(file, ignored);
    return 0;
}
