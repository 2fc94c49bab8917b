#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace folix {

// A point of the section's surface: its circle angle (as XY takes it) and its
// place in the frame of the design run's outline, leading edge at x = 0 and
// trailing edge at x = 1: outlinePoints' point for that angle, bit for bit.
struct SurfacePoint {
    double theta = 0;
    double x = 0;
    double y = 0;
};

// What the flow does at one angle of attack.
struct SectionLoads {
    double Cl = 0;
    double Cm = 0;           // about the quarter chord (x = 0.25, y = 0), positive nose-up
    std::vector<double> Cp;  // one per surface point, in the same order
};

// Exact inviscid flow past the section of F, G, EM on a chord of 1: the flow
// past the generating circle with the circulation that puts the rear
// stagnation point on the trailing edge, carried through the mapping.
// Angles of attack are in degrees, positive nose-up, the free stream running
// from the leading edge toward the trailing edge; any finite angle counts
// modulo 360.
//
// Construction maps every surface point once; each angle of attack afterwards
// costs a few multiplications per point. Raises ArithmeticError where the
// mapping fails, and at a trailing-edge point when EM > 2, where the velocity
// has no finite limit.
class SectionAnalysis {
public:
    // Circle angles in radians, measured at the origin of the circle plane like
    // XY's TETA: 0 is the leading-edge point, an odd multiple of pi the trailing
    // edge, 0 to pi the upper surface when G >= 0. seligPointAngles gives the
    // points of a coordinate file.
    SectionAnalysis(double F, double G, double EM, const std::vector<double>& circleAngles);

    // The chord-normalising scale B and the generating circle's radius a.
    double scale() const { return B_; }
    double radius() const { return a_; }

    // The angle of attack of zero lift, -atan(G / (1 + F)), in degrees.
    double zeroLiftAngle() const;

    const std::vector<SurfacePoint>& surface() const { return surface_; }

    double liftCoefficient(double alpha) const;
    double momentCoefficient(double alpha) const;
    std::vector<double> pressureCoefficients(double alpha) const;
    SectionLoads loads(double alpha) const;

private:
    // Per point: the unit direction of zeta + 1 and the factor that turns the
    // circle's flow into the surface speed over the free-stream speed.
    struct SpeedFactors {
        double directionX = 0;
        double directionY = 0;
        double factor = 0;
    };

    double F_;
    double G_;
    double EM_;
    double B_;
    double a_;
    double beta_;
    std::vector<SurfacePoint> surface_;
    std::vector<SpeedFactors> speed_;
};

// count circle angles, uniform in angle, in the order of a Selig coordinate
// file: pi (trailing edge), the upper surface forward to 0 (the leading edge,
// the middle point when count is odd), the lower surface back to -pi (the
// trailing edge again). Angles k and count-1-k are exact negatives, so a
// symmetric section gets an exactly symmetric Cp. A coordinate file's own
// angles are seligPointAngles: the same points for an odd count, the lower
// surface differing in rounding (2 pi - theta there, as the window's outline
// takes it). Needs count >= 3.
std::vector<double> seligCircleAngles(int count);

// Cl or Cm as the window and the command line show it: four fixed decimals,
// the reader's decimal separator, no sign on a value that rounds to zero.
inline constexpr int kCoefficientDecimals = 4;
std::string coefficientText(double value, std::string_view decimalSeparator = ".");

}  // namespace folix
