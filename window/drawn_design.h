#pragma once

#include <string>

#include "engine/mapped_section.h"
#include "engine/selig_export.h"

namespace folix {

// The section the plot shows is the one of the last run that completed: a run
// that stops on an error leaves the plot as it was, so whatever acts on "the
// section on screen" takes that run's MappedSection.

// The Selig coordinate file of the drawn section.
std::string coordinateText(const MappedSection& drawn, int points = kDefaultSeligPoints);

// A file name without extension that tells designs apart at a glance:
// family, then F, G and m as shown, e.g. "karman-trefftz_F0.0703_G0.04377_m1.94444".
std::string suggestedFileStem(const MappedSection& drawn);

}  // namespace folix
