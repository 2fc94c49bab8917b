#pragma once

#include <ostream>

#include "command_line.h"

namespace folix {

// Rows of `folix bucket --table`: the range in 40 equal steps of the angle.
inline constexpr int kBucketTableRows = 41;

// `folix bucket`: designs the section as `folix design` does, then prints the
// design's results and its cavitation bucket (with --table also -Cp_min
// against Cl over the range), or one JSON object. Returns the exit status: 0,
// or 1 when the design stopped, the section has no bucket or sigma lies below
// its floor ("error: ..." and "hint: ..." on `err`).
int runBucketCommand(const BucketRequest& request, std::ostream& out, std::ostream& err);

}  // namespace folix
