#pragma once

#include <vector>

#include "design/outline.h"
#include "engine/mapped_section.h"
#include "engine/selig_export.h"

namespace folix {

// The outline the section plot draws, in chord lengths and Selig order: the
// drawing's 401 points, clustered at both edges, so that the nose is as smooth
// as the rest at any size. Raises ArithmeticError where the mapping fails.
std::vector<SectionPoint> smoothOutline(const MappedSection& section);

// The design run's own 52 samples as points: what the plot falls back to.
std::vector<SectionPoint> outlineSamples(const Outline& outline);

}  // namespace folix
