#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "command_line.h"
#include "design/cavitation_bucket.h"
#include "target_design.h"

namespace folix {

// The batch columns of design targets, which a header may name after the
// design's own columns, in any order and any case:
//   cl                 a lift coefficient to design for instead of the camber
//   alpha              the angle of attack (degrees) of that Cl
//   ideal              1, true or yes: that Cl at the ideal angle instead
//   sigma              the cavitation number of the row's bucket
//   bucket_half_width  with cl and sigma: the thinnest section whose bucket
//                      holds Cl +- this, instead of the thickness and camber
// A row that leaves cl empty is an ordinary design (with sigma, its bucket).
enum class TargetColumn { Cl, Alpha, Ideal, Sigma, BucketHalfWidth };

std::optional<TargetColumn> targetColumnNamed(std::string_view name);

// The target columns a header names, each with its field index.
struct TargetColumns {
    std::vector<std::pair<TargetColumn, std::size_t>> fields;

    bool any() const { return !fields.empty(); }
    bool has(TargetColumn column) const;
    std::size_t lastField() const;
};

// The output's header for the target columns: the inputs as named, then what
// is solved and, with sigma, the bucket (each name followed by a comma).
std::string targetInputHeader(const TargetColumns& columns);
std::string targetResultHeader(const TargetColumns& columns);

// A row's targets, read from its fields; none, with the reason in `problem`,
// for a malformed field or targets that contradict each other or the row's
// own camber or thickness.
struct RowTargets {
    DesignTargets targets;
    std::optional<double> alpha;
    std::optional<double> sigma;  // the bucket of an ordinary design
};
std::optional<RowTargets> rowTargets(const TargetColumns& columns, const std::vector<std::string>& fields,
                                     bool camberGiven, bool thicknessGiven, std::string& problem);

// The design of a row with its targets: solved when it has a cl, else the
// ordinary design of its inputs; with sigma also the bucket.
struct TargetRowDesign {
    DesignOutcome outcome;
    std::string resultFields;  // targetResultFields
    std::optional<std::string> failure;  // a target not met, or no bucket: the row's status
};
TargetRowDesign designWithTargets(const TargetColumns& columns, const RowTargets& row, const DesignInputs& inputs);

// The row's target fields as read, for the output.
std::string targetInputFields(const TargetColumns& columns, const std::vector<std::string>& fields);

// The solved quantities (every digit) and the bucket's numbers of one row;
// empty fields where there are none.
std::string targetResultFields(const TargetColumns& columns, const SolvedDesign* solved,
                               const std::optional<CavitationBucket>& bucket);

}  // namespace folix
