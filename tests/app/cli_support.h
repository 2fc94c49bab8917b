#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "app/cli/folix_cli.h"

namespace folix::testing {

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

// The value of a top-level member of the command line's JSON, which puts one per line.
inline std::string jsonMember(const std::string& json, const std::string& key)
{
    const std::string opening = "\n  \"" + key + "\": ";
    const auto start = json.find(opening);
    if (start == std::string::npos) return "<missing>";
    const auto from = start + opening.size();
    auto end = json.find('\n', from);
    if (json[end - 1] == ',') --end;
    return json.substr(from, end - from);
}

inline CliRun runCli(const std::vector<std::string>& args, const std::string& input = "")
{
    std::istringstream in(input);
    std::ostringstream out;
    std::ostringstream err;
    CliRun run;
    run.status = runFolix(args, in, out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
}

inline std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

inline std::string readBytes(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Runs each test in a fresh, empty working directory, where the results file
// and coordinate files land.
class InScratchDirectory : public ::testing::Test {
protected:
    void SetUp() override
    {
        previous_ = std::filesystem::current_path();
        std::string pattern = (std::filesystem::temp_directory_path() / "folix-cli-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
        std::filesystem::current_path(dir_);
    }
    void TearDown() override
    {
        std::filesystem::current_path(previous_);
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }

    std::vector<std::string> entries() const
    {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(dir_)) names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    const std::filesystem::path& dir() const { return dir_; }

private:
    std::filesystem::path previous_;
    std::filesystem::path dir_;
};

}  // namespace folix::testing
