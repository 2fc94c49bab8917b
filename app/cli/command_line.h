#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

#include "design/design_inputs.h"
#include "design/parallel_work.h"
#include "engine/section_drawing.h"
#include "engine/selig_export.h"
#include "viscous/viscous_options.h"

namespace folix {

// A command line that cannot be carried out as written.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The file name that stands for standard input (batch) or output (--dat, --cp, --svg, --dxf, --pdf).
inline constexpr const char* kStandardStream = "-";

struct HelpRequest {};
struct VersionRequest {};

// Aerodynamic targets that replace a typed camber (and thickness): a lift
// coefficient at --alpha or at the ideal angle, or with sigma and a half-width
// the thinnest section whose cavitation bucket holds Cl +- the half-width.
struct DesignTargets {
    std::optional<double> cl;
    bool ideal = false;
    std::optional<double> sigma;
    std::optional<double> bucketHalfWidth;

    bool any() const { return cl.has_value(); }
};

struct DesignRequest {
    DesignInputs inputs;
    DesignTargets targets;
    bool history = false;
    bool json = false;
    bool save = false;
    std::optional<std::string> datFile;  // kStandardStream for standard output
    bool allowCrossing = false;          // write --dat and the drawings even when the surfaces cross
    std::optional<double> alpha;        // degrees
    std::optional<std::string> cpFile;  // at alpha, 0 when not given
    int points = kDefaultSeligPoints;   // of the coordinate and pressure files
    // True-scale drawings of the section, each kStandardStream for standard output.
    std::optional<std::string> svgFile;
    std::optional<std::string> dxfFile;
    std::optional<std::string> pdfFile;
    DrawingOptions drawing;  // chord, trailing-edge gap and construction layer of all three

    bool drawn() const { return svgFile || dxfFile || pdfFile; }
    // The files written, in the order they are written.
    std::vector<const std::optional<std::string>*> files() const { return {&datFile, &cpFile, &svgFile, &dxfFile, &pdfFile}; }
};

inline constexpr long long kLastFirstLine = 1'000'000'000'000'000;

struct BatchRequest {
    std::string file;  // "-" for standard input
    bool save = false;
    std::optional<double> alpha;  // degrees; adds the Cl and Cm columns
    std::optional<unsigned> jobs;  // none: one per core
    std::size_t firstLine = 1;
    std::optional<std::string> datDir;
    bool allowCrossing = false;        // coordinate files also of sections whose surfaces cross
    int points = kDefaultSeligPoints;  // of the coordinate files
    // With --re: each row's polar from XFOIL at these angles, summed up in
    // columns of its own and, with polarDir, written as DIR/line-000012.csv.
    std::optional<ViscousOptions> viscous;
    std::vector<double> polarAlphas;
    std::optional<std::string> polarDir;
};

struct PolarRequest {
    DesignInputs inputs;
    std::vector<double> alphas;  // degrees, as polarAngles gives them
    bool json = false;
    int points = kDefaultSeligPoints;  // where Cp_min is taken over a coordinate file's points
    std::optional<ViscousOptions> viscous;  // --re given: XFOIL's columns beside the exact ones
};

struct BucketRequest {
    DesignInputs inputs;
    double sigma = 0;
    bool table = false;  // -Cp_min against Cl over the range
    bool json = false;
};

using Request = std::variant<HelpRequest, VersionRequest, DesignRequest, BatchRequest, PolarRequest, BucketRequest>;

// Reads the arguments after the program name; "--" ends the options. Raises
// UsageError for an unknown command or option, an argument that no command
// takes (after --help or --version included), a missing or malformed value, a
// repeated option or options that contradict each other.
Request parseCommandLine(const std::vector<std::string>& args);

extern const char* const kUsageText;

}  // namespace folix
