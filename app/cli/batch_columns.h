#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "design/design_inputs.h"
#include "target_columns.h"

namespace folix {

// The input columns a batch knows by name. A header maps them by name in any
// order; a file without one gives the positional columns in this order. More
// columns are added here, and nowhere else.
struct KnownColumn {
    const char* name;
    bool required;    // a header must name it; a row must give a number in it
    bool positional;  // one of the columns of a file without a header, shown in every output
    void (*set)(DesignInputs& inputs, double value);
};

const std::vector<KnownColumn>& knownColumns();

// Places of the design's own columns in knownColumns().
inline constexpr std::size_t kThicknessColumn = 0;
inline constexpr std::size_t kCamberColumn = 1;

// Where an input's fields go: the field of each known column (none when the
// header does not name it), and the fields no known column takes, carried
// through to the output unchanged.
struct BatchColumns {
    bool named = false;                         // a header gave them
    std::vector<std::optional<std::size_t>> known;  // per knownColumns() entry
    TargetColumns targets;                      // the design targets the header names (cl, alpha, ...)
    std::vector<std::size_t> carried;           // in input order
    std::vector<std::string> carriedNames;      // their header names
    std::size_t fields = 0;                     // with a header: how many it has
};

// The columns of a file without a header.
BatchColumns positionalColumns();

// What a first row makes of the columns: none when it is no header (it names
// no known column and no target); else the columns, or in `problem` why the
// header cannot be used (a required column it does not name, a column named
// twice). With a target column cl the camber need not be named, with
// bucket_half_width the thickness: the target solves for them.
std::optional<BatchColumns> headerColumns(const std::vector<std::string>& fields, std::string& problem);

// The inputs of one row, or none and the reason in `problem`.
std::optional<DesignInputs> rowInputs(const BatchColumns& columns, const std::vector<std::string>& fields,
                                      std::string& problem);

// The output's input part: the positional columns, the other known columns a
// header named, the target columns it named, then the carried ones, each
// ending with a comma.
std::string inputHeader(const BatchColumns& columns);
std::string inputFields(const BatchColumns& columns, const std::vector<std::string>& fields);

}  // namespace folix
