#include "viscous_options.h"

#include <cmath>
#include <stdexcept>

#include "engine/number_text.h"

namespace folix {

namespace {

// A converged angle takes Debian's XFOIL about 0.05 s at 160 nodes, one that
// runs through 100 iterations about 0.2 s; the work grows with the square of
// the node count.
constexpr double kStartSeconds = 5;
constexpr double kAngleSeconds = 0.5;
constexpr double kIterationSeconds = 0.02;
constexpr double kReferenceNodes = 160;

void require(bool holds, const std::string& what, double value)
{
    if (!holds) throw std::invalid_argument(what + " (given " + formatGeneral(value) + ")");
}

}  // namespace

void checkViscousOptions(const ViscousOptions& o)
{
    if (o.viscous)
        require(o.reynolds >= 1e3 && o.reynolds <= 1e9, "the Reynolds number must be from 1000 to 1e9", o.reynolds);
    require(o.mach >= 0 && o.mach < 1, "the Mach number must be from 0 to below 1", o.mach);
    require(o.ncrit > 0 && o.ncrit <= 20, "Ncrit must be above 0 and at most 20", o.ncrit);
    require(o.xtrTop >= 0 && o.xtrTop <= 1, "the upper surface's transition x/c must be from 0 to 1", o.xtrTop);
    require(o.xtrBottom >= 0 && o.xtrBottom <= 1, "the lower surface's transition x/c must be from 0 to 1",
            o.xtrBottom);
    require(o.iterations >= 1 && o.iterations <= 10000, "the iteration limit must be from 1 to 10000", o.iterations);
    require(o.panelNodes >= 40 && o.panelNodes <= 360, "the panel node count must be from 40 to 360", o.panelNodes);
    require(o.trailingEdgePanelDensity > 0 && o.trailingEdgePanelDensity <= 10,
            "the trailing-edge panel density ratio must be above 0 and at most 10", o.trailingEdgePanelDensity);
    require(o.timeoutSeconds >= 0 && o.timeoutSeconds <= 86400, "the timeout must be from 0 (automatic) to 86400 s",
            o.timeoutSeconds);
}

double defaultTimeoutSeconds(std::size_t angles, const ViscousOptions& options)
{
    const double nodes = options.panelNodes / kReferenceNodes;
    const double perAngle = (kAngleSeconds + kIterationSeconds * options.iterations) * nodes * nodes;
    return kStartSeconds + static_cast<double>(angles) * perAngle;
}

double timeoutSeconds(std::size_t angles, const ViscousOptions& options)
{
    return options.timeoutSeconds > 0 ? options.timeoutSeconds : defaultTimeoutSeconds(angles, options);
}

}  // namespace folix
