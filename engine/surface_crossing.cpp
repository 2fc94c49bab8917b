#include "surface_crossing.h"

#include <cmath>

#include "contour_mapping.h"
#include "real.h"

namespace folix {

namespace {

struct Complex {
    Real re;
    Real im;
};

Complex operator+(Complex a, Complex b) { return {a.re + b.re, a.im + b.im}; }
Complex operator-(Complex a, Complex b) { return {a.re - b.re, a.im - b.im}; }
Complex operator*(Complex a, Complex b) { return {a.re * b.re - a.im * b.im, a.re * b.im + a.im * b.re}; }

Complex operator/(Complex a, Complex b)
{
    const Real norm = b.re * b.re + b.im * b.im;
    return {(a.re * b.re + a.im * b.im) / norm, (a.im * b.re - a.re * b.im) / norm};
}

// The circle angle (XY's TETA) of a point zeta of the circle.
double circleAngle(Complex zeta) { return std::atan2(zeta.im.value(), zeta.re.value()); }

}  // namespace

std::optional<double> surfacesCrossFrom(double F, double G, double EM)
{
    if (!(EM > 2)) return std::nullopt;
    const Real pi = 4 * atan(1);
    const Complex one{1, 0};
    const Complex centre{F, G};

    // The circle through zeta = -1 about F + iG maps onto the points of the w
    // plane equally far from 1 and -q.
    const Complex q = (one - centre) / (one + centre);
    const Complex across = one + q;
    const Complex middle{(1 - q.re) / 2, -q.im / 2};
    const Real share = (middle.re * across.re + middle.im * across.im) / (across.re * across.re + across.im * across.im);
    const Complex nearest{across.re * share, across.im * share};

    // Turned by pi/m about w = 0 and stretched back onto the line.
    const Real turn = pi / EM;
    const Complex crossing = nearest * Complex{1, sin(turn) / cos(turn)};
    const Complex zeta = (one + crossing) / (one - crossing);

    const double B = chordNormalisingScale(F, EM);
    return outlineX(mapCirclePoint(F, G, EM, circleAngle(zeta), B).x, EM, B);
}

}  // namespace folix
