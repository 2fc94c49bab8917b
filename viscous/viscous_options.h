#pragma once

#include <cstddef>
#include <string>

namespace folix {

// How XFOIL analyses a section. Where XFOIL has a default, it is this one.
struct ViscousOptions {
    std::string xfoil;            // the program; empty: $FOLIX_XFOIL, else xfoil on the PATH
    bool viscous = true;          // false: XFOIL's inviscid panel solution alone (Cd 0)
    double reynolds = 0;          // chord Reynolds number; needed when viscous
    double mach = 0;              // free-stream Mach number (Karman-Tsien correction)
    double ncrit = 9;             // e^n transition criterion, both surfaces
    double xtrTop = 1;            // forced transition x/c on the upper surface; 1 leaves it free
    double xtrBottom = 1;         // the same on the lower surface
    int iterations = 100;         // viscous Newton iterations per angle before it counts as not converged
    int panelNodes = 160;         // XFOIL's re-panelling (PPAR N)
    double trailingEdgePanelDensity = 0.15;  // and its trailing-edge to leading-edge panel density (PPAR T)
    double timeoutSeconds = 0;    // for a whole polar; 0: defaultTimeoutSeconds
};

// Raises std::invalid_argument naming the option and its limits when one is
// outside them: Re from 1,000 to 1e9 (when viscous), Mach from 0 to below 1,
// Ncrit above 0 up to 20, transition x/c from 0 to 1, 1 to 10,000
// iterations, 40 to 360 panel nodes (XFOIL's arrays hold fewer than 370), a
// density ratio above 0 up to 10, a timeout of 0 or up to a day.
void checkViscousOptions(const ViscousOptions& options);

// Enough for a polar of `angles` angles on a busy machine: about ten times
// what XFOIL takes for an angle that uses up its iterations at these
// settings, plus start-up.
double defaultTimeoutSeconds(std::size_t angles, const ViscousOptions& options);

// The timeout a polar of `angles` angles runs under.
double timeoutSeconds(std::size_t angles, const ViscousOptions& options);

}  // namespace folix
