#pragma once

// The typical design: thickness ratio 0.12, camber ratio 0.02, trailing-edge
// angle 10 degrees (m = 2 - 1/18). Its figures are checked at every level:
// the solver, the design run, the window and the command line.

#include <string>
#include <vector>

namespace folix::typical {

// The lines of its one solve: heading, then five measurements.
inline const std::vector<std::string> kSolveHistory = {
    "",
    " M=1.94444",
    "",
    "F=0.09231  G=0.04  Delta=0.14338  Gamma=0.01794  XDltC=0.31233",
    "F=0.10154  G=0.044  Delta=0.15298  Gamma=0.01958  XDltC=0.30822",
    "F=0.06982  G=0.04504  Delta=0.11948  Gamma=0.0206  XDltC=0.32682",
    "F=0.07031  G=0.04443  Delta=0.12001  Gamma=0.02031  XDltC=0.32642",
    "F=0.0703  G=0.04377  Delta=0.12  Gamma=0.02001  XDltC=0.32657",
};

// The whole history list after a design run: its title, then the solve.
inline std::vector<std::string> runHistory()
{
    std::vector<std::string> lines = {" Iteration history"};
    lines.insert(lines.end(), kSolveHistory.begin(), kSolveHistory.end());
    return lines;
}

}  // namespace folix::typical
