#pragma once

#include <optional>
#include <vector>

#include "checked_complex.h"

namespace folix {

enum class FlowPlane { Section, Circle };

// A point of the section plane in the frame of outlinePoints (leading edge at
// x = 0, trailing edge at x = 1, chord lengths), or of the circle plane in its
// own frame (below).
struct PlanePoint {
    double x = 0;
    double y = 0;
};

// What the flow does at one point: the stream function (0 on the surface,
// growing across the free stream to its left), the velocity over the free
// stream's speed, its modulus and the pressure coefficient 1 - speed^2.
struct FlowSample {
    double psi = 0;
    double u = 0;
    double v = 0;
    double speed = 0;
    double Cp = 0;
};

// The exact inviscid flow past the section of F, G, EM at an angle of attack
// (degrees, positive nose-up, any finite value modulo 360): the flow past the
// generating circle (centre (F, G), through -1, radius a) with the
// circulation that puts its rear stagnation point at -1, carried through the
// Karman-Trefftz map of XY to the frame of outlinePoints.
//
// The circle plane is shown in its frame: zeta mirrored, x = -Re(zeta),
// y = Im(zeta), so that its free stream runs to +x like the section's and its
// leading-edge side is on the left; its velocities are the circle flow's own
// over the circle's free-stream speed.
//
// Needs F >= 0 (the point zeta = 1, where the map branches, inside the
// circle) and EM > 0: std::invalid_argument otherwise. For EM > 2 the speed
// at the trailing edge is unbounded, and the outline crosses itself there:
// the flow covers the points near it twice, and a section-plane point gets
// the values of one of the two.
// Every value is checked: ArithmeticError where one has no finite value.
class FlowField {
public:
    FlowField(double F, double G, double EM, double alphaDegrees);

    double F() const { return F_; }
    double G() const { return G_; }
    double EM() const { return EM_; }
    double alpha() const { return alphaDegrees_; }
    double scale() const { return B_; }   // chordNormalisingScale
    double radius() const { return a_; }  // of the generating circle

    // The circulation over free-stream speed and chord, clockwise in the
    // section frame, and the lift coefficient 2 circulation it gives.
    double circulation() const;
    double liftCoefficient() const;

    // The flow at a section-plane point; none inside the section.
    std::optional<FlowSample> sectionSample(PlanePoint point) const;
    // The circle flow at a circle-plane point (frame above); none inside the circle.
    std::optional<FlowSample> circleSample(PlanePoint point) const;

    // The maps between the planes, in their frames. toCircle gives none for a
    // point inside the section.
    PlanePoint toSection(PlanePoint circlePoint) const;
    std::optional<PlanePoint> toCircle(PlanePoint sectionPoint) const;

    // The circle point on XY's ray at circle angle theta (0 the leading edge,
    // pi the trailing edge), in the circle frame.
    PlanePoint circlePoint(double theta) const;
    // The pressure coefficient on the surface at circle angle theta, as
    // SectionAnalysis gives it.
    double surfaceCp(double theta) const;

    // The front stagnation point of the circle flow (the rear one is at
    // zeta = -1, the trailing edge), in the circle frame.
    PlanePoint frontStagnationCirclePoint() const;
    // The stagnation points in either plane: the front one, then the trailing
    // edge, except in the section plane for EM >= 2: the flow leaves a cusp
    // (EM = 2) at a finite speed, and beyond it the speed there is unbounded.
    std::vector<PlanePoint> stagnationPoints(FlowPlane plane) const;

    // For tracing streamlines in the circle plane: psi and its gradient
    // (d/dx, d/dy in the circle frame) at a point outside the circle.
    struct StreamGradient {
        double psi = 0;
        double dx = 0;
        double dy = 0;
    };
    StreamGradient streamGradient(PlanePoint circlePoint) const;
    bool outsideCircle(PlanePoint circlePoint) const;

private:
    Complex zetaOf(PlanePoint circlePoint) const { return {-Real(circlePoint.x), circlePoint.y}; }
    static PlanePoint circleFrame(Complex zeta) { return {-zeta.re.value(), zeta.im.value()}; }
    Real streamFunction(Complex Z) const;
    FlowSample sectionFlowAt(Complex w) const;
    FlowSample trailingEdgeSample() const;
    PlanePoint sectionPointOf(Complex w) const;
    std::optional<Complex> exteriorRoot(Complex W) const;

    double F_;
    double G_;
    double EM_;
    double alphaDegrees_;
    double B_;
    double a_;
    double beta_;
    double alpha_;           // radians
    double sinAlpha_;
    double cosAlpha_;
    double liftFactor_;      // sin(alpha + beta)
    Complex rotation_;       // e^(i alpha)
    Complex frontZ_;         // front stagnation point relative to the centre (F, G)
};

}  // namespace folix
