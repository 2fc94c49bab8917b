#pragma once

#include <ostream>

#include "command_line.h"

namespace folix {

// `folix polar`: designs the section as `folix design` does, then prints its
// polar as CSV, or as one JSON object of arrays. Returns the exit status: 0,
// or 1 when the design or the analysis stopped on an error ("error: ..." on
// `err`, nothing on `out`).
int runPolarCommand(const PolarRequest& request, std::ostream& out, std::ostream& err);

}  // namespace folix
