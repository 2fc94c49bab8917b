#pragma once

#include <string>
#include <vector>

#include "engine/mapped_section.h"
#include "engine/section_polar.h"
#include "viscous_polar.h"

namespace folix {

// The columns XFOIL adds to the exact polar's.
inline constexpr const char* kViscousColumns = "Cd,Cdp,Cm_visc,Cl_visc,xtr_top,xtr_bottom,status";

// A section's polar at the same angles twice: the exact inviscid one and
// XFOIL's viscous one.
struct SectionPolars {
    std::vector<PolarRow> exact;
    ViscousPolar viscous;
};

// The polar as CSV: polarCsvText's columns, then kViscousColumns. XFOIL's
// numbers are written as read (the general number format) and left empty
// where the angle did not converge; the status as statusText gives it,
// quoted where it holds a comma or a quote. Raises std::invalid_argument
// unless both polars have the same angles.
std::string polarTableText(const SectionPolars& polars);

// What XFOIL is given for a section: the points of its coordinate file
// (seligPoints, kDefaultSeligPoints of them) under its name line (seligName),
// so that a polar can be checked by hand on `folix design --dat`'s file.
// Raises ArithmeticError where the mapping fails.
std::vector<SectionPoint> polarContour(const MappedSection& section);

// The exact polar (sectionPolar, Cp_min over `points` where the surface has
// no finite speed) and XFOIL's of a section (see viscousPolar). Raises
// ArithmeticError where the exact analysis or the mapping fails, and what
// viscousPolar raises.
SectionPolars sectionPolars(const MappedSection& section, const std::vector<double>& alphas,
                            const ViscousOptions& options, const PolarControl& control = {},
                            int points = kDefaultSeligPoints);

}  // namespace folix
