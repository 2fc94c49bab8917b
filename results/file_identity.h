#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include <sys/types.h>

namespace folix {

// What writing or reading a name reaches: the file at the end of its symbolic
// links, or, for a name that is not there yet, the folder it would be made in
// and its last part. Two names with equal identities reach one file, whatever
// their texts (links, "./", hard links, another path to the same folder).
struct FileIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    std::string newName;  // set for a name not there yet: device and inode are then its folder's

    bool operator==(const FileIdentity&) const = default;
};

// None when the system cannot tell: a folder that may not be searched, a
// loop of links, a new name in a folder that is not there.
std::optional<FileIdentity> fileIdentity(const std::filesystem::path& name);

// The open file's identity; none for anything but a regular file, which is
// all that reading and writing through a name could clash with.
std::optional<FileIdentity> openFileIdentity(int fd);

}  // namespace folix
