#pragma once

namespace folix {

// The leading edge of a section: the point of its outline with the least x/c
// (the frame of the coordinate file, trailing edge at x = 1). For a symmetric
// section it is the circle point on the axis; with camber it lies a little
// away from the point of circle angle 0 that the chord is measured to.
struct LeadingEdge {
    double circleAngle = 0;  // the angle of the circle point, measured at the origin as XY's TETA
    double x = 0;            // its place on the outline
    double y = 0;
    double idealAngle = 0;   // degrees: the angle of attack whose front stagnation point it is
};

// Finds the leading edge of the section F, G, EM where the outline's x/c is
// least: the circle point at which the direction of the surface is across the
// chord, a root found by bisection to the last bit of the circle angle. The
// flow past the circle has its front stagnation point where zeta + 1 points
// along the free stream turned by -alpha, so the ideal angle is minus the
// direction of zeta + 1 there. Needs F > 0 (a rounded leading edge); raises
// ArithmeticError otherwise, or where the mapping fails.
LeadingEdge leadingEdge(double F, double G, double EM);

}  // namespace folix
