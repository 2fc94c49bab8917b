#include "polar_summary.h"

#include "engine/real.h"

namespace folix {

PolarSummary summarisePolar(const ViscousPolar& polar)
{
    PolarSummary summary;
    summary.angles = polar.angles.size();
    for (const ViscousAngle& angle : polar.angles) {
        if (angle.status != ViscousAngle::Status::Converged) continue;
        ++summary.converged;
        // Converged angles carry a Cd above 0 (the polar file's reader sees to it).
        const double glide = (Real(angle.Cl) / angle.Cd).value();
        if (!summary.ClMax || angle.Cl > *summary.ClMax) {
            summary.ClMax = angle.Cl;
            summary.alphaClMax = angle.alpha;
        }
        if (!summary.CdMin || angle.Cd < *summary.CdMin) summary.CdMin = angle.Cd;
        if (!summary.ClCdMax || glide > *summary.ClCdMax) {
            summary.ClCdMax = glide;
            summary.alphaClCdMax = angle.alpha;
        }
    }
    return summary;
}

std::string polarStatusText(const ViscousPolar& polar)
{
    std::size_t converged = 0;
    const ViscousAngle* firstFailure = nullptr;
    for (const ViscousAngle& angle : polar.angles) {
        if (angle.status == ViscousAngle::Status::Converged) ++converged;
        if (angle.status == ViscousAngle::Status::Failed && !firstFailure) firstFailure = &angle;
    }
    if (polar.angles.empty()) return "";
    if (converged == polar.angles.size()) return "converged";
    if (converged > 0) return std::to_string(converged) + " of " + std::to_string(polar.angles.size()) + " converged";
    return firstFailure ? statusText(*firstFailure) : "not converged";
}

}  // namespace folix
