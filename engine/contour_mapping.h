#pragma once

#include "design_state.h"

namespace folix {

// A point of the section plane: x and y of one pass of XY.
struct MappedPoint {
    double x = 0;
    double y = 0;
};

// One pass of XY as a value: the section point of the circle angle TETA with
// exponent EM and scale B, computed by the very same steps.
MappedPoint mapCirclePoint(double F, double G, double EM, double TETA, double B);

// Maps the circle angles TETA and -TETA through the Karman-Trefftz transformation
// with exponent EM and scale B into slot I of the tables: XU/YU for +TETA,
// XL/YL for -TETA. TETA is negated after each pass, so it holds its entry value
// again on a normal return. Sets Pi.
void XY(DesignState& state, double& F, double& G, double& EM, double& TETA, int& I, double& B);

// The scale B that makes the mapped outline one chord long from the trailing
// edge (circle angle pi) to the circle-angle-0 point.
double chordNormalisingScale(double F, double EM);

// An x of XY's first pass with that scale in the outline's frame: turned
// around and shifted, the leading edge to x = 0 and the trailing edge to x = 1.
// The window's outline and the coordinate file both go through it.
double outlineX(double x, double EM, double B);

}  // namespace folix
