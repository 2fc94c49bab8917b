#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace folix {

struct FileWrite {
    bool written = false;
    std::string reason;  // when not written: the system's reason
};

// Writes the contents to a new file beside the target and renames it over the
// target, so the target is either left as it was or holds the whole contents.
// On failure the temporary file is removed again.
FileWrite writeFileAtomically(const std::filesystem::path& target, std::string_view contents);

}  // namespace folix
