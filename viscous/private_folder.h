#pragma once

#include <filesystem>

namespace folix {

// A new folder of the process's own (mode 0700) in the temporary folder
// ($TMPDIR, else /tmp), removed with everything in it when this goes.
class PrivateFolder {
public:
    // Throws std::system_error when it cannot be made.
    PrivateFolder();
    PrivateFolder(const PrivateFolder&) = delete;
    PrivateFolder& operator=(const PrivateFolder&) = delete;
    ~PrivateFolder();

    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

}  // namespace folix
