#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstring>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
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

mode_t modeOf(const fs::path& file)
{
    struct stat status {};
    ::lstat(file.c_str(), &status);
    return status.st_mode;
}

TEST(FileOutput, WritesAndReplacesLeavingNoTemporaryFile)
{
    ScratchDirectory dir;
    const fs::path target = dir / "section.dat";
    EXPECT_TRUE(writeTextFile(target, "first\n").written);
    EXPECT_EQ(readBytes(target), "first\n");
    const FileWrite second = writeTextFile(target, "second\nlonger\n");
    EXPECT_TRUE(second.written);
    EXPECT_TRUE(second.reason.empty());
    EXPECT_EQ(readBytes(target), "second\nlonger\n");
    EXPECT_EQ(entries(dir.path()), std::vector<std::string>{"section.dat"});
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

TEST(FileOutput, ReplacementLandsOnTheLinksTargetWithItsMode)
{
    for (const mode_t mode : {0600, 0640, 0755}) {
        ScratchDirectory dir;
        fs::create_directory(dir / "sub");
        writeBytes(dir / "sub" / "real.dat", "old");
        ::chmod((dir / "sub" / "real.dat").c_str(), mode);
        fs::create_symlink("real.dat", dir / "sub" / "inner.dat");
        fs::create_symlink("sub/inner.dat", dir / "outer.dat");

        ASSERT_TRUE(writeTextFile(dir / "outer.dat", "new").written) << mode;
        EXPECT_EQ(readBytes(dir / "sub" / "real.dat"), "new");
        EXPECT_TRUE(fs::is_symlink(dir / "outer.dat") && fs::is_symlink(dir / "sub" / "inner.dat"));
        EXPECT_EQ(modeOf(dir / "sub" / "real.dat"), S_IFREG | mode);
        EXPECT_EQ(entries(dir / "sub"), (std::vector<std::string>{"inner.dat", "real.dat"}));
    }
    ScratchDirectory dir;
    const mode_t previous = ::umask(027);
    const bool written = writeTextFile(dir / "new.dat", "new").written;
    ::umask(previous);
    EXPECT_TRUE(written);
    EXPECT_EQ(modeOf(dir / "new.dat"), S_IFREG | 0640);
}

TEST(FileOutput, PipesAndDevicesAreWrittenThroughNeverReplaced)
{
    ScratchDirectory dir;
    const fs::path pipe = dir / "pipe";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const int reader = ::open(pipe.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    EXPECT_TRUE(writeTextFile(pipe, "through the pipe\n").written);
    char received[64];
    const ssize_t count = ::read(reader, received, sizeof received);
    ::close(reader);
    EXPECT_EQ(std::string(received, static_cast<std::size_t>(std::max<ssize_t>(count, 0))), "through the pipe\n");
    EXPECT_TRUE(S_ISFIFO(modeOf(pipe)));

    // Devices of its own, never the system's: a fault here would replace them.
    const fs::path null = dir / "null";
    const fs::path full = dir / "full";
    if (::mknod(null.c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0) GTEST_SKIP() << "mknod needs root";
    ASSERT_EQ(::mknod(full.c_str(), S_IFCHR | 0666, makedev(1, 7)), 0);
    EXPECT_TRUE(writeTextFile(null, "into nothing\n").written);
    const FileWrite failed = writeTextFile(full, "onto a full disk\n");
    EXPECT_FALSE(failed.written);
    EXPECT_EQ(failed.reason, std::strerror(ENOSPC));
    EXPECT_TRUE(S_ISCHR(modeOf(null)) && S_ISCHR(modeOf(full)));
    EXPECT_EQ(entries(dir.path()), (std::vector<std::string>{"full", "null", "pipe"}));
}

TEST(FileOutput, WriteFailingMidwayKeepsTheOldBytes)
{
    ScratchDirectory dir;
    const fs::path target = dir / "section.dat";
    writeBytes(target, "old bytes\n");
    const pid_t child = ::fork();
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit small{4, 4};
        ::setrlimit(RLIMIT_FSIZE, &small);
        const FileWrite result = writeTextFile(target, "longer than four bytes\n");
        ::_exit(!result.written && result.reason == std::strerror(EFBIG) ? 0 : 1);
    }
    int status = -1;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(readBytes(target), "old bytes\n");
    EXPECT_EQ(entries(dir.path()), std::vector<std::string>{"section.dat"});
}

}  // namespace
}  // namespace folix
