#include "private_folder.h"

#include <cerrno>
#include <cstdlib>
#include <string>
#include <system_error>

namespace folix {

PrivateFolder::PrivateFolder()
{
    std::string name = (std::filesystem::temp_directory_path() / "folix-xfoil-XXXXXX").string();
    if (::mkdtemp(name.data()) == nullptr)
        throw std::system_error(errno, std::generic_category(), "cannot make a temporary folder in " +
                                                                    std::filesystem::temp_directory_path().string());
    path_ = name;
}

PrivateFolder::~PrivateFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

}  // namespace folix
