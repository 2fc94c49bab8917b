#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "viscous_options.h"

namespace folix {

// One data line of XFOIL's polar file: alpha CL CD CDp CM Top_Xtr Bot_Xtr,
// then columns this reader does not use.
struct PolarRow {
    double alpha = 0;
    double Cl = 0;
    double Cd = 0;
    double Cdp = 0;
    double Cm = 0;
    double xtrTop = 0;
    double xtrBottom = 0;
};

// XFOIL's polar-accumulation file as read, every byte untrusted: the header's
// name and settings when they read as numbers, then the lines below its
// dashed line. A line counts once it ends; each is a row or unreadable.
struct PolarFile {
    bool complete = false;  // the dashed line below the column titles is there
    std::string name;
    std::optional<double> xtrTop, xtrBottom, mach, reynolds, ncritTop, ncritBottom;
    std::vector<std::optional<PolarRow>> lines;  // nullopt: not seven to twelve numbers
};

PolarFile readPolarFile(std::string_view text);

// Whether the header shows the airfoil name and the settings the run asked
// for, to the three decimals XFOIL writes: "" or what differs.
std::string polarHeaderMismatch(const PolarFile& polar, const std::string& name, const ViscousOptions& options);

// What became of one angle of a run.
struct AngleReading {
    enum class Kind { Converged, NotConverged, Failed };
    Kind kind = Kind::NotConverged;
    PolarRow row;         // when converged
    std::string failure;  // when failed
};

// The angles [0, finished) of a run that was given `alphas` in this order,
// each ended by XFOIL. XFOIL adds a line for each angle that converged, in
// order, so the lines are matched to the angles in order by their alpha (to
// the three decimals written). A converged angle's numbers must be finite
// and plausible (|Cl|, |Cdp|, |Cm| up to 10, Cd above 0 up to 10 when
// viscous, transition x/c from 0 to 1), else the angle failed. From the
// first line that is unreadable or matches no angle in order, nothing below
// it is trusted: the finished angles not matched above it failed.
std::vector<AngleReading> readRunAngles(const PolarFile& polar, const std::vector<double>& alphas,
                                        std::size_t finished, bool viscous);

}  // namespace folix
