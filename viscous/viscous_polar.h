#pragma once

#include <atomic>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "engine/selig_export.h"
#include "viscous_options.h"

namespace folix {

// One angle of attack of a polar from XFOIL. The coefficients are XFOIL's,
// as written to four or five decimals, and hold only when converged
// (otherwise they are 0).
struct ViscousAngle {
    enum class Status { Converged, NotConverged, Failed };
    double alpha = 0;  // degrees, as asked
    double Cl = 0;
    double Cd = 0;
    double Cdp = 0;  // the polar file's CDp: in Debian's XFOIL 6.99 not the CD - CDf it prints on screen
    double Cm = 0;   // about the quarter chord, positive nose-up
    double xtrTop = 0;     // transition x/c on the upper surface
    double xtrBottom = 0;  // and on the lower surface
    Status status = Status::Failed;
    std::string failure;  // when failed: why
};

// "converged", "not converged" or "failed: <reason>".
std::string statusText(const ViscousAngle& angle);

struct ViscousPolar {
    std::vector<ViscousAngle> angles;  // in the order the angles were asked for
};

// Watching and stopping a polar from another thread.
struct PolarControl {
    // Set to stop: XFOIL is killed at once, and the angles not done fail as cancelled.
    const std::atomic<bool>* cancel = nullptr;
    // Told each angle's result the moment it is known (once per angle, on
    // the thread running the polar): its index among the angles asked for.
    std::function<void(std::size_t index, const ViscousAngle& angle)> angleDone;
};

// The polar of a section from XFOIL, each angle with its status.
//
// `contour` runs from the trailing edge over the upper surface to the
// leading edge and back over the lower surface (a coordinate file's points:
// seligPoints of a design); XFOIL is given at most 365 of them under the
// name xfoilName(name), re-panels them (PPAR), and before any number is
// trusted the airfoil it saves back must be this outline under this name,
// and its polar file's header must show these settings.
//
// Angles in degrees, from -90 to 90, at least 0.001 apart (XFOIL writes three
// decimals), any order. They are swept from the angle nearest 0 upwards, then
// from the next below it downwards, each branch in an XFOIL of its own, so
// the boundary layer starts afresh for each. An angle that does not converge
// is passed over, as in XFOIL; after a crash or a result that is not a
// plausible number XFOIL is started again for the rest of the branch. The
// whole polar is held to its timeout; every XFOIL runs in a private temporary
// folder and process group, both gone when this returns.
//
// Raises std::invalid_argument for options, angles or a contour outside
// their limits, and XfoilUnavailable when XFOIL cannot be found.
ViscousPolar viscousPolar(const std::vector<SectionPoint>& contour, const std::string& name,
                          const std::vector<double>& alphas, const ViscousOptions& options,
                          const PolarControl& control = {});

// Raises std::invalid_argument unless the angles are finite, within
// -90..90 and at least 0.001 apart.
void checkPolarAngles(const std::vector<double>& alphas);

// The order XFOIL is given the angles in: indices of `alphas`, first from
// the angle nearest 0 (the positive one of a tie) upwards, then from the
// next below it downwards. Either branch may be empty.
std::vector<std::vector<std::size_t>> sweepBranches(const std::vector<double>& alphas);

}  // namespace folix
