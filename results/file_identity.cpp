#include "file_identity.h"

#include <cerrno>

#include <sys/stat.h>

#include "results/file_output.h"

namespace folix {

std::optional<FileIdentity> fileIdentity(const std::filesystem::path& name)
{
    struct stat status {};
    if (::stat(name.c_str(), &status) == 0) return FileIdentity{status.st_dev, status.st_ino, {}};
    if (errno != ENOENT) return std::nullopt;

    // A dangling link makes its target: the folder that target would be made in counts.
    int error = 0;
    const std::filesystem::path landing = finalTarget(name, error);
    if (error != 0 || !landing.has_filename()) return std::nullopt;
    const std::filesystem::path folder = landing.has_parent_path() ? landing.parent_path() : ".";
    if (::stat(folder.c_str(), &status) != 0 || !S_ISDIR(status.st_mode)) return std::nullopt;
    return FileIdentity{status.st_dev, status.st_ino, landing.filename().string()};
}

std::optional<FileIdentity> openFileIdentity(int fd)
{
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) return std::nullopt;
    return FileIdentity{status.st_dev, status.st_ino, {}};
}

}  // namespace folix
