#include "ideal_angle.h"

#include <cmath>

#include "engine/real.h"
#include "engine/selig_export.h"

// The outline is z = mB (1 + w)/(1 - w) with w = ((zeta - 1)/(zeta + 1))^m,
// turned around into the file's frame: x/c = 1 - mB - Re z. Its least x/c is
// the circle point where Re z is greatest. Along the circle
// zeta = c0 + a e^(i phi), c0 = F + iG, the derivative
//   dz/dphi = dz/dzeta i (zeta - c0),  dz/dzeta = 4 m^2 B w / ((1 - w)^2 (zeta^2 - 1)),
// so the leading edge is the root of Re(i (zeta - c0) w / ((1 - w)^2 (zeta^2 - 1)))
// at which Re z is largest. Near it |zeta| > 1, so (zeta - 1)/(zeta + 1) has a
// positive real part and the principal power is the mapping's own branch.

namespace folix {

namespace {

struct Complex {
    Real re;
    Real im;
};

Complex operator+(Complex p, Complex q) { return {p.re + q.re, p.im + q.im}; }
Complex operator-(Complex p, Complex q) { return {p.re - q.re, p.im - q.im}; }
Complex operator*(Complex p, Complex q) { return {(p.re * q.re) - (p.im * q.im), (p.re * q.im) + (p.im * q.re)}; }
Complex operator/(Complex p, Complex q)
{
    const Real size = sq(q.re) + sq(q.im);
    return {((p.re * q.re) + (p.im * q.im)) / size, ((p.im * q.re) - (p.re * q.im)) / size};
}
Real argument(Complex p) { return Real(std::atan2(p.im.value(), p.re.value())); }  // always finite

const Complex kOne{1, 0};

// Samples of the centre angle over which the leading edge is looked for first.
constexpr int kSamples = 32;
const Real kWidestAngle = kPi / 3;

class Circle {
public:
    Circle(double F, double G, double EM) : centre_{F, G}, radius_(sqrt(sq(1 + Real(F)) + sq(Real(G)))), m_(EM) {}

    Complex point(Real phi) const { return centre_ + Complex{radius_ * cos(phi), radius_ * sin(phi)}; }

    // w of the mapping at a circle point.
    Complex w(Complex zeta) const
    {
        const Complex ratio = (zeta - kOne) / (zeta + kOne);
        const Real size = pow(sqrt(sq(ratio.re) + sq(ratio.im)), m_);
        const Real turn = m_ * argument(ratio);
        return {size * cos(turn), size * sin(turn)};
    }

    // Re z over mB, which grows toward the leading edge.
    Real forward(Real phi) const
    {
        const Complex wPhi = w(point(phi));
        return ((kOne + wPhi) / (kOne - wPhi)).re;
    }

    // The sign of d(Re z)/d phi.
    Real slope(Real phi) const
    {
        const Complex zeta = point(phi);
        const Complex wPhi = w(zeta);
        const Complex oneMinusW = kOne - wPhi;
        const Complex tangent{-(zeta.im - centre_.im), zeta.re - centre_.re};  // i (zeta - c0)
        return (tangent * wPhi / (oneMinusW * oneMinusW * (zeta * zeta - kOne))).re;
    }

private:
    Complex centre_;
    Real radius_;
    Real m_;
};

// The centre angle of the leading edge: the best sample, then bisection of the
// slope's sign change around it until the bracket holds no double between.
Real leadingEdgeAngle(const Circle& circle)
{
    const Real step = (2 * kWidestAngle) / kSamples;
    Real best = -kWidestAngle;
    Real bestForward = circle.forward(best);
    for (int k = 1; k <= kSamples; ++k) {
        const Real phi = -kWidestAngle + k * step;
        const Real forward = circle.forward(phi);
        if (forward > bestForward) {
            best = phi;
            bestForward = forward;
        }
    }
    Real rising = best - step;
    Real falling = best + step;
    if (circle.slope(rising) <= 0 || circle.slope(falling) >= 0) throw ArithmeticError(ErrorKind::InvalidArgument);
    for (;;) {
        const Real middle = rising + (falling - rising) / 2;
        if (middle == rising || middle == falling) break;
        (circle.slope(middle) > 0 ? rising : falling) = middle;
    }
    return abs(circle.slope(rising)) <= abs(circle.slope(falling)) ? rising : falling;
}

}  // namespace

LeadingEdge leadingEdge(double F, double G, double EM)
{
    if (!(F > 0)) throw ArithmeticError(ErrorKind::DivisionByZero);  // no rounded leading edge
    const Circle circle(F, G, EM);
    // A symmetric section's leading edge is on its axis of symmetry.
    const Real phi = checked(G) == 0 ? Real(0) : leadingEdgeAngle(circle);
    const Complex zeta = circle.point(phi);
    const Real psi = argument(zeta + kOne);
    const double theta = argument(zeta).value();
    const SectionPoint onOutline = outlinePoints(F, G, EM, {theta}).front();
    const double ideal = ((-psi * 180) / kPi).value();
    return {theta, onOutline.x, onOutline.y, ideal == 0 ? 0.0 : ideal};  // never -0
}

}  // namespace folix
