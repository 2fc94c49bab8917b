#pragma once

#include <ostream>

#include "command_line.h"

namespace folix {

// `folix polar`: designs the section as `folix design` does, then prints its
// polar as CSV, or as one JSON object of arrays. Returns the exit status: 0,
// or 1 when the design or the analysis stopped on an error ("error: ..." on
// `err`, nothing on `out`).
//
// With --re XFOIL's polar follows the exact one, column by column, each
// angle with its status, and a progress line on a terminal `err`. Then also 1
// when XFOIL cannot be run (nothing on `out`) or no angle converged (the
// table shows why), and 128 + the signal after Ctrl+C or SIGTERM, which kill
// XFOIL: the table is printed with the angles not done failed as cancelled.
int runPolarCommand(const PolarRequest& request, std::ostream& out, std::ostream& err, bool errIsTerminal = false);

}  // namespace folix
