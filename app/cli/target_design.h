#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "command_line.h"
#include "design/cavitation_bucket.h"
#include "design/design_outcome.h"
#include "design/target_failure.h"

namespace folix {

// A design command's targets, solved: the ordinary design they come to, and
// what the command reports of them beside the design's own results.
struct SolvedDesign {
    DesignInputs inputs;           // as `folix design` takes them: the solved camber (and thickness)
    DesignOutcome outcome;         // a converged design; no run when the targets were not met
    std::optional<double> alpha;   // the angle of the loads: the target's, or the ideal angle
    std::string lines;             // "name: value" lines: the solved inputs with every digit, the bucket
    std::string jsonMembers;       // the same as members of the design's JSON object
    std::optional<TargetFailure> failure;
    int designRuns = 0;
    std::optional<CavitationBucket> bucket;  // of the thinnest section for a bucket
};

SolvedDesign solveTargets(const DesignInputs& inputs, const DesignTargets& targets, std::optional<double> alpha);

// The JSON object of targets that were not met: the targets, the error and the hint.
void writeTargetFailureJson(std::ostream& out, const DesignTargets& targets, std::optional<double> alpha,
                            const SolvedDesign& solved);

// "error: <reason>" and "hint: <hint>" lines.
void writeTargetFailure(std::ostream& err, const TargetFailure& failure);

}  // namespace folix
