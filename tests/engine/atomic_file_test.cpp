#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <random>

#include "engine/atomic_file.h"

namespace folix {
namespace {

namespace fs = std::filesystem;

class AtomicFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = fs::temp_directory_path() / ("folix_atomic_" + std::to_string(std::random_device{}()));
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    std::vector<std::string> entries() const
    {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    static std::string contents(const fs::path& file)
    {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    fs::path dir;
};

TEST_F(AtomicFile, WritesAndReplacesLeavingNoTemporaryFile)
{
    const fs::path target = dir / "section.dat";
    EXPECT_TRUE(writeFileAtomically(target, "first\n").written);
    EXPECT_EQ(contents(target), "first\n");
    const FileWrite second = writeFileAtomically(target, "second\nlonger\n");
    EXPECT_TRUE(second.written);
    EXPECT_TRUE(second.reason.empty());
    EXPECT_EQ(contents(target), "second\nlonger\n");
    EXPECT_EQ(entries(), std::vector<std::string>{"section.dat"});
}

TEST_F(AtomicFile, FailuresLeaveEverythingAsItWas)
{
    fs::create_directory(dir / "taken");
    std::ofstream(dir / "kept.dat") << "old";
    struct Case {
        fs::path target;
    };
    const Case cases[] = {
        {dir / "missing" / "section.dat"},  // no such directory
        {dir / "taken"},                    // a directory is in the way
        {dir / "kept.dat" / "x.dat"},       // a file is in the way
        {dir / ""},                         // no file name
    };
    for (const auto& c : cases) {
        const FileWrite result = writeFileAtomically(c.target, "new contents\n");
        EXPECT_FALSE(result.written) << c.target;
        EXPECT_FALSE(result.reason.empty()) << c.target;
        EXPECT_EQ(entries(), (std::vector<std::string>{"kept.dat", "taken"})) << c.target;
        EXPECT_TRUE(fs::is_empty(dir / "taken"));
    }
    EXPECT_EQ(contents(dir / "kept.dat"), "old");
}

}  // namespace
}  // namespace folix
