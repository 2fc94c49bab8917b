#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "viscous_options.h"

namespace folix {

// The files of one XFOIL run, named relative to its working folder.
struct XfoilRunFiles {
    std::string contour;  // the coordinate file it loads
    std::string saved;    // where it saves the airfoil it has loaded
    std::string polar;    // its polar-accumulation file
    std::string markerStem;

    // Written (as a Cp file) once angle k of the run is done, whether it
    // converged or not: the run's progress, read without its screen output.
    std::string marker(std::size_t k) const;
};

XfoilRunFiles xfoilRunFiles(int run);

// What XFOIL reads on its standard input for one run: graphics off, load and
// re-panel the contour, save it back, set up the flow, accumulate the polar,
// then each angle followed by its marker, and quit.
std::string xfoilCommands(const XfoilRunFiles& files, const ViscousOptions& options, const std::vector<double>& alphas);

}  // namespace folix
