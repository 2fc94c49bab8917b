#include "file_clash.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include "coordinate_files.h"
#include "results/shown_file_name.h"

namespace folix {

namespace {

std::string clash(const CommandFile& a, const std::string& b)
{
    return a.role + " and " + b + " are one file; nothing was written";
}

class Folder {
public:
    explicit Folder(const std::filesystem::path& path) : stream_(::opendir(path.c_str())) {}
    Folder(const Folder&) = delete;
    Folder& operator=(const Folder&) = delete;
    ~Folder()
    {
        if (stream_) ::closedir(stream_);
    }
    DIR* get() const { return stream_; }

private:
    DIR* stream_;
};

}  // namespace

std::optional<std::string> sameFileClash(const std::vector<CommandFile>& files)
{
    for (std::size_t i = 0; i < files.size(); ++i) {
        for (std::size_t j = i + 1; j < files.size(); ++j) {
            if (files[i].identity && files[i].identity == files[j].identity) return clash(files[i], files[j].role);
        }
    }
    return std::nullopt;
}

std::optional<std::string> coordinateFileClash(const std::filesystem::path& folder, std::size_t firstLine,
                                               const std::vector<CommandFile>& files)
{
    struct stat folderStatus {};
    if (::stat(folder.c_str(), &folderStatus) != 0 || !S_ISDIR(folderStatus.st_mode)) return std::nullopt;
    const auto written = [firstLine](const std::string& name) {
        const std::optional<std::size_t> line = coordinateFileLine(name);
        return line && *line >= firstLine;
    };
    const auto role = [&folder](const std::string& name) {
        return "the coordinate file " + shownFileName((folder / name).string());
    };

    // A name not made yet that would be made there.
    for (const CommandFile& file : files) {
        const auto& identity = file.identity;
        if (identity && !identity->newName.empty() && identity->device == folderStatus.st_dev &&
            identity->inode == folderStatus.st_ino && written(identity->newName))
            return clash(file, role(identity->newName));
    }

    Folder entries(folder);
    if (!entries.get()) return std::nullopt;
    while (const dirent* entry = ::readdir(entries.get())) {
        const std::string name = entry->d_name;
        if (!written(name)) continue;
        // Followed through links; a dangling one would make its target.
        struct stat status {};
        const bool there = ::fstatat(::dirfd(entries.get()), name.c_str(), &status, 0) == 0;
        const std::optional<FileIdentity> reached =
            there ? FileIdentity{status.st_dev, status.st_ino, {}} : fileIdentity(folder / name);
        for (const CommandFile& file : files) {
            if (reached && file.identity == reached) return clash(file, role(name));
        }
    }
    return std::nullopt;
}

}  // namespace folix
