#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include "results/file_output.h"
#include "scratch_directory.h"

namespace folix {
namespace {

namespace fs = std::filesystem;
using testing::readBytes;
using testing::ScratchDirectory;
using testing::writeBytes;

std::vector<std::string> entries(const fs::path& dir)
{
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(FileOutput, FailuresLeaveEverythingAsItWas)
{
    ScratchDirectory dir;
    fs::create_directory(dir / "taken");
    writeBytes(dir / "kept.dat", "old");
    const fs::path cases[] = {
        dir / "missing" / "section.dat",  // no such directory
        dir / "taken",                    // a directory is in the way
        dir / "kept.dat" / "x.dat",       // a file is in the way
        dir.path() / "",                  // no file name
    };
    for (const auto& target : cases) {
        const FileWrite result = writeTextFile(target, "new contents\n");
        EXPECT_FALSE(result.written) << target;
        EXPECT_FALSE(result.reason.empty()) << target;
        EXPECT_EQ(entries(dir.path()), (std::vector<std::string>{"kept.dat", "taken"})) << target;
        EXPECT_TRUE(fs::is_empty(dir / "taken"));
    }
    EXPECT_EQ(readBytes(dir / "kept.dat"), "old");
}

// Replaced in one step, leaving no temporary file.
TEST(FileOutput, ReplacementLandsOnTheLinksTargetWithItsMode)
{
    for (const mode_t mode : {0600, 0640, 0755}) {
        ScratchDirectory dir;
        const fs::path real = dir / "real.dat";
        writeBytes(real, "old");
        ::chmod(real.c_str(), mode);
        fs::create_symlink(real, dir / "inner.dat");
        fs::create_symlink("inner.dat", dir / "outer.dat");
        const FileWrite written = writeTextFile(dir / "outer.dat", "new\nand longer\n");
        ASSERT_TRUE(written.written && written.reason.empty()) << mode;
        EXPECT_EQ(readBytes(real), "new\nand longer\n");
        EXPECT_EQ(fs::status(real).permissions(), fs::perms(mode));
        EXPECT_EQ(entries(dir.path()), (std::vector<std::string>{"inner.dat", "outer.dat", "real.dat"}));
        EXPECT_TRUE(fs::is_symlink(dir / "inner.dat") && fs::is_symlink(dir / "outer.dat"));
    }
    ScratchDirectory dir;
    const mode_t previous = ::umask(027);
    EXPECT_TRUE(writeTextFile(dir / "new.dat", "new").written);
    ::umask(previous);
    EXPECT_EQ(fs::status(dir / "new.dat").permissions(), fs::perms(0640));
}

TEST(FileOutput, PipesAndDevicesAreWrittenThroughNeverReplaced)
{
    ScratchDirectory dir;
    const fs::path pipe = dir / "pipe";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const int reader = ::open(pipe.c_str(), O_RDONLY | O_NONBLOCK);
    EXPECT_TRUE(writeTextFile(pipe, "through the pipe\n").written);
    char received[64] = {};
    EXPECT_EQ(::read(reader, received, sizeof received - 1), 17);
    EXPECT_STREQ(received, "through the pipe\n");
    ::close(reader);
    EXPECT_TRUE(fs::is_fifo(pipe));

    // Devices of its own, never the system's: a fault here would replace them.
    const fs::path null = dir / "null";
    const fs::path full = dir / "full";
    if (::mknod(null.c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0) GTEST_SKIP() << "mknod needs root";
    ASSERT_EQ(::mknod(full.c_str(), S_IFCHR | 0666, makedev(1, 7)), 0);
    EXPECT_TRUE(writeTextFile(null, "into nothing\n").written);
    EXPECT_EQ(writeTextFile(full, "onto a full disk\n").reason, std::strerror(ENOSPC));
    EXPECT_TRUE(fs::is_character_file(null) && fs::is_character_file(full));
    EXPECT_EQ(entries(dir.path()), (std::vector<std::string>{"full", "null", "pipe"}));
}

}  // namespace
}  // namespace folix
