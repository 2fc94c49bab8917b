#include "atomic_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>

namespace folix {

namespace {

constexpr int kNameAttempts = 100;

std::string randomSuffix()
{
    static std::mt19937_64 generator{std::random_device{}()};
    return std::to_string(generator() % 1'000'000'000'000ULL);
}

std::string systemReason(int error) { return error != 0 ? std::strerror(error) : "write failed"; }

FileWrite failure(const std::filesystem::path& temporary, std::string reason)
{
    std::error_code ignored;
    std::filesystem::remove(temporary, ignored);
    return {false, std::move(reason)};
}

}  // namespace

FileWrite writeFileAtomically(const std::filesystem::path& target, std::string_view contents)
{
    if (!target.has_filename()) return {false, "not a file name"};

    // "x": never reuse a file that exists, whoever made it.
    std::filesystem::path temporary;
    std::FILE* file = nullptr;
    for (int attempt = 0; attempt < kNameAttempts && file == nullptr; ++attempt) {
        // A hidden name beside the target, so the rename stays within one file system.
        std::string name(1, '.');
        name += target.filename().string();
        name += '.';
        name += randomSuffix();
        name += ".tmp";
        temporary = target;
        temporary.replace_filename(name);
        errno = 0;
        file = std::fopen(temporary.string().c_str(), "wbx");
        if (file == nullptr && errno != EEXIST) return {false, systemReason(errno)};
    }
    if (file == nullptr) return {false, "no free temporary file name"};

    errno = 0;
    const bool complete = std::fwrite(contents.data(), 1, contents.size(), file) == contents.size();
    const int writeError = errno;
    // Closing flushes; a full disk may show only here.
    errno = 0;
    const bool closed = std::fclose(file) == 0;
    const int closeError = errno;
    if (!complete) return failure(temporary, systemReason(writeError));
    if (!closed) return failure(temporary, systemReason(closeError));

    std::error_code renameError;
    std::filesystem::rename(temporary, target, renameError);
    if (renameError) return failure(temporary, renameError.message());
    return {true, {}};
}

}  // namespace folix
