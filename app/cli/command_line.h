#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

#include "engine/selig_export.h"
#include "design/design_inputs.h"
#include "design/parallel_work.h"

namespace folix {

// A command line that cannot be carried out as written.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The file name that stands for standard input (batch) or output (--dat, --cp).
inline constexpr const char* kStandardStream = "-";

struct HelpRequest {};
struct VersionRequest {};

struct DesignRequest {
    DesignInputs inputs;
    bool history = false;
    bool json = false;
    bool save = false;
    std::optional<std::string> datFile;  // kStandardStream for standard output
    std::optional<double> alpha;        // degrees
    std::optional<std::string> cpFile;  // at alpha, 0 when not given
    int points = kDefaultSeligPoints;   // of the coordinate and pressure files
};

inline constexpr long long kLastFirstLine = 1'000'000'000'000'000;

struct BatchRequest {
    std::string file;  // "-" for standard input
    bool save = false;
    std::optional<double> alpha;  // degrees; adds the Cl and Cm columns
    std::optional<unsigned> jobs;  // none: one per core
    std::size_t firstLine = 1;
    std::optional<std::string> datDir;
    int points = kDefaultSeligPoints;  // of the coordinate files
};

struct PolarRequest {
    DesignInputs inputs;
    std::vector<double> alphas;  // degrees, as polarAngles gives them
    bool json = false;
    int points = kDefaultSeligPoints;  // where Cp_min is taken over a coordinate file's points
};

using Request = std::variant<HelpRequest, VersionRequest, DesignRequest, BatchRequest, PolarRequest>;

// Reads the arguments after the program name; "--" ends the options. Raises
// UsageError for an unknown command or option, an argument that no command
// takes (after --help or --version included), a missing or malformed value, a
// repeated option or options that contradict each other.
Request parseCommandLine(const std::vector<std::string>& args);

extern const char* const kUsageText;

}  // namespace folix
