#pragma once

#include <optional>

namespace folix {

// Where the upper and lower surfaces of the section of F, G, EM cross: the
// x/c (in the outline's frame, leading edge 0, trailing edge 1) from which
// the upper surface runs below the lower one up to the trailing edge; none
// when they do not cross.
//
// The circle maps to a straight line under w = (zeta - 1)/(zeta + 1), and the
// section is m (1 + w^m)/(1 - w^m). Two points of that line give the same
// section point only where their distances from w = 0 agree and their
// directions differ by 2 pi/m; along a line the directions span less than pi,
// so that happens exactly when m > 2 (a negative trailing-edge angle), for
// the one pair at +-pi/m either side of the line's nearest point to w = 0.
// The crossing is that pair's section point, found exactly rather than on a
// sampled outline, so a crossing of any length counts. Raises ArithmeticError
// where the mapping fails.
std::optional<double> surfacesCrossFrom(double F, double G, double EM);

}  // namespace folix
