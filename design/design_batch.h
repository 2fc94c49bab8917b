#pragma once

#include <vector>

#include "design/design_outcome.h"
#include "design/parallel_work.h"

namespace folix {

// The outcomes of many design runs, in the order of their inputs; each run
// has a record of its own, so the result is the same for every `jobs`.
std::vector<DesignOutcome> designOutcomes(const std::vector<DesignInputs>& inputs, unsigned jobs);

}  // namespace folix
