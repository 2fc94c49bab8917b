#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "results/file_identity.h"

namespace folix {

// A file one command reads or writes, with the words its messages name it by
// ("--dat a.dat", "the results file Folix_Input.txt").
struct CommandFile {
    std::string role;
    std::optional<FileIdentity> identity;  // none: no clash the system could tell
};

// The files of a command that are one file, whatever their names say: the
// message naming the first two ("--dat a.dat and --cp l.dat are one file"),
// none when every file is a file of its own.
std::optional<std::string> sameFileClash(const std::vector<CommandFile>& files);

// The same between `files` and the coordinate files a batch may write into
// `folder` for input lines from `firstLine` on: a name there, or a link
// there, that reaches one of them.
std::optional<std::string> coordinateFileClash(const std::filesystem::path& folder, std::size_t firstLine,
                                               const std::vector<CommandFile>& files);

}  // namespace folix
