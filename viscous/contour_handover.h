#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "engine/selig_export.h"

namespace folix {

// XFOIL loads a labelled coordinate file of up to 365 points; from 367 on it
// cannot set its current airfoil, and at 1,001 it stops on an array
// overflow. It keeps 48 characters of the name line.
inline constexpr std::size_t kMostXfoilPoints = 365;
inline constexpr std::size_t kXfoilNameLength = 48;

// Raises std::invalid_argument unless the contour is at least 5 finite
// points with an extent.
void checkContour(const std::vector<SectionPoint>& contour);

// The points XFOIL is given: the contour itself when it is short enough,
// else points spread evenly over its indices, the first and last kept.
std::vector<SectionPoint> xfoilContour(const std::vector<SectionPoint>& contour);

// The name as XFOIL keeps it: printable ASCII (others become "_"), no blanks
// at either end, at most 48 characters, and beginning with a letter other
// than T or F, which XFOIL's reader could take for a logical value ("_" is
// put in front otherwise). An empty name becomes "section".
std::string xfoilName(std::string_view name);

// Whether XFOIL's saved current airfoil (its SAVE file: the name line, then
// x y per line) is the contour it was given, `fed`, re-panelled with
// `panelNodes` nodes: "" when it is, else what is wrong. Its name must be
// `name`, every saved point must lie on the outline through `fed` and every
// point of `fed` on the saved outline, each within the rounding of the saved
// digits plus the room the curvature between the points of the outline gives
// a smooth curve through them. (XFOIL quietly caps the node count.)
std::string contourMismatch(std::string_view saved, const std::string& name, const std::vector<SectionPoint>& fed,
                            std::size_t panelNodes);

// Splits a line at blanks and reads each piece as a decimal number (NaN and
// infinities included); false when a piece is not a number.
bool readNumbers(std::string_view line, std::vector<double>& numbers);

}  // namespace folix
