#include "xfoil_program.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

#include <unistd.h>

namespace folix {

namespace {

namespace fs = std::filesystem;

std::string environmentValue(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

bool isExecutableFile(const fs::path& path)
{
    std::error_code error;
    return fs::is_regular_file(path, error) && ::access(path.c_str(), X_OK) == 0;
}

// The first executable `name` in a folder of the PATH, or "".
std::string onPath(const std::string& name)
{
    std::string path = environmentValue("PATH");
    if (path.empty()) path = "/usr/local/bin:/usr/bin:/bin";
    std::istringstream folders(path);
    for (std::string folder; std::getline(folders, folder, ':');) {
        const fs::path candidate = fs::path(folder.empty() ? "." : folder) / name;
        if (isExecutableFile(candidate)) return candidate.string();
    }
    return "";
}

std::string findProgram(const std::string& requested)
{
    std::string origin = "--xfoil";
    std::string name = requested;
    if (name.empty()) {
        name = environmentValue(kXfoilVariable);
        origin = kXfoilVariable;
    }
    if (name.empty()) {
        std::string found = onPath("xfoil");
        if (found.empty())
            throw XfoilUnavailable("XFOIL was not found on the PATH: install Debian's package xfoil "
                                   "(sudo apt install xfoil), or name the program with --xfoil or " +
                                   std::string(kXfoilVariable));
        return fs::absolute(found).string();
    }
    std::string found = name.find('/') == std::string::npos ? onPath(name) : name;
    if (found.empty() || !isExecutableFile(found))
        throw XfoilUnavailable("the XFOIL program " + name + " (named by " + origin +
                               ") is not an executable file; Debian's package xfoil installs /usr/bin/xfoil");
    // XFOIL starts in a folder of its own.
    return fs::absolute(found).string();
}

// The file of the program or shared object that holds this code: the mapping
// of the running process that contains one of its functions. (The dynamic
// linker's own record has the name it was started by, which may be relative
// to a working folder changed since.)
fs::path loadedObjectPath()
{
    const auto here = reinterpret_cast<std::uintptr_t>(&loadedObjectPath);
    std::ifstream maps("/proc/self/maps");
    for (std::string line; std::getline(maps, line);) {
        std::istringstream fields(line);
        std::string range, permissions, offset, device, inode, path;
        fields >> range >> permissions >> offset >> device >> inode;
        std::getline(fields >> std::ws, path);
        const auto dash = range.find('-');
        if (dash == std::string::npos || path.empty() || path.front() != '/') continue;
        const auto start = std::stoull(range.substr(0, dash), nullptr, 16);
        const auto end = std::stoull(range.substr(dash + 1), nullptr, 16);
        if (here >= start && here < end) return path;
    }
    std::error_code error;
    return fs::read_symlink("/proc/self/exe", error);
}

std::string findNoTrapsLibrary()
{
    const fs::path object = loadedObjectPath();
    fs::path found = environmentValue(kNoTrapsLibraryVariable);
    std::error_code error;
    if (!found.empty() && !fs::is_regular_file(found, error))
        throw XfoilUnavailable(std::string(kNoTrapsLibraryVariable) + " names " + found.string() +
                               ", which is not a file");
    for (fs::path folder = object.parent_path(); found.empty() && !folder.empty(); folder = folder.parent_path()) {
        const fs::path candidate = folder / "lib" / "folix" / kNoTrapsLibraryName;
        if (fs::is_regular_file(candidate, error)) found = candidate;
        if (folder == folder.root_path()) break;
    }
    if (found.empty())
        throw XfoilUnavailable(std::string(kNoTrapsLibraryName) +
                               ", which keeps XFOIL free of floating-point traps, was not found in lib/folix above " +
                               object.string() + "; set " + kNoTrapsLibraryVariable + " to its path");
    // The dynamic linker splits its preload list at blanks and colons, in XFOIL's own folder.
    const std::string path = fs::absolute(found).string();
    if (path.find_first_of(" :") != std::string::npos)
        throw XfoilUnavailable("XFOIL cannot preload " + path + ": the path has a blank or a colon; set " +
                               kNoTrapsLibraryVariable + " to a copy elsewhere");
    return path;
}

}  // namespace

XfoilProgram findXfoil(const std::string& requested)
{
    return {findProgram(requested), findNoTrapsLibrary()};
}

std::string xfoilUnavailableReason(const std::string& requested)
{
    try {
        findXfoil(requested);
        return "";
    } catch (const XfoilUnavailable& problem) {
        return problem.what();
    }
}

}  // namespace folix
