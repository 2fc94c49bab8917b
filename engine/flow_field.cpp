#include "flow_field.h"

#include <cmath>
#include <stdexcept>

#include "contour_mapping.h"
#include "selig_export.h"

// The mapped plane z of XY is the section frame mirrored: x_n = (1 - x) - mB,
// y_n = y. With zeta the circle plane, w = (zeta - 1)/(zeta + 1) and W = w^m,
// the map is z = mB (1 + W)/(1 - W). The circle |zeta - c0| = a through -1
// becomes the line Re((1 + c0) w) = F in the w plane, the flow region the
// half-plane beyond it, whose arguments lie within pi/2 of -beta: the
// principal branch of w^m, which XY takes, is the one of the flow.
//
// In the section frame the free stream runs at alpha; in z, mirrored, at
// pi - alpha, and in zeta (z ~ B zeta far away) likewise with speed B. With
// Z = zeta - c0 = r e^(i t) and the circulation of the Kutta condition, the
// stream function of the section frame is
//   psi = B ((1 - a^2/r^2) (X sin(alpha) + Y cos(alpha)) + 2 a sin(alpha + beta) ln(r/a)),
// zero on the circle. The circle flow's stagnation points are -1 and
// c0 + Z2, Z2 = a e^(-i(2 alpha + beta)), and its complex velocity factors as
//   dPhi/dzeta = B e^(i alpha) (zeta + 1) (Z2 - Z) / Z^2  (in z's orientation),
// the zeros explicit. Dividing by
//   dz/dzeta = 4 m^2 B W / ((1 - W)^2 (zeta - 1)(zeta + 1)),
// and writing zeta +- 1 through w, the section frame's velocity u + i v is
//   -e^(i alpha) (Z2 - Z) 2 w (W - 2 + 1/W) / (m^2 (1 - w)^3 Z^2),
// finite next to the trailing edge for m <= 2, where W grows without bound.

namespace folix {

namespace {

// The rounding a point of the surface may carry into a test of which side it is on.
constexpr double kOnSurface = 1e-12;

Real radians(double degrees)
{
    const Real withinATurn = std::fmod(checked(degrees).value(), 360.0);
    return (withinATurn * kPi) / 180;
}

// w^m on the principal branch.
Complex principalPower(Complex w, Real m)
{
    return polar(pow(modulus(w), m), m * argument(w));
}

FlowSample sample(Real psi, Complex velocity)
{
    const Real speed = modulus(velocity);
    return {psi.value(), velocity.re.value(), velocity.im.value(), speed.value(), (1 - sq(speed)).value()};
}

}  // namespace

FlowField::FlowField(double F, double G, double EM, double alphaDegrees)
    : F_(checked(F).value()), G_(checked(G).value()), EM_(checked(EM).value()),
      alphaDegrees_(checked(alphaDegrees).value())
{
    if (F_ < 0) throw std::invalid_argument("the flow needs F >= 0: with F < 0 the map branches inside the flow");
    if (EM_ <= 0) throw std::invalid_argument("the flow needs m > 0");
    B_ = chordNormalisingScale(F_, EM_);
    const Real onePlusF = 1 + Real(F_);
    const Real a = sqrt(sq(onePlusF) + sq(Real(G_)));
    const Real beta = atan(Real(G_) / onePlusF);
    const Real alpha = radians(alphaDegrees_);
    a_ = a.value();
    beta_ = beta.value();
    alpha_ = alpha.value();
    sinAlpha_ = sin(alpha).value();
    cosAlpha_ = cos(alpha).value();
    liftFactor_ = sin(alpha + beta).value();
    rotation_ = polar(1, alpha);
    frontZ_ = polar(a, -((2 * alpha) + beta));
}

double FlowField::circulation() const
{
    return ((((4 * kPi) * a_) * B_) * liftFactor_).value();
}

double FlowField::liftCoefficient() const
{
    return (2 * Real(circulation())).value();
}

Real FlowField::streamFunction(Complex Z) const
{
    const Real a = a_;
    const Real r2 = sq(Z.re) + sq(Z.im);
    const Real across = (Z.re * sinAlpha_) + (Z.im * cosAlpha_);
    const Real uniformAndDoublet = (1 - (sq(a) / r2)) * across;
    const Real vortex = (a * liftFactor_) * log(r2 / sq(a));  // 2 a ln(r/a)
    return Real(B_) * (uniformAndDoublet + vortex);
}

FlowSample FlowField::sectionFlowAt(Complex w) const
{
    const Real m = EM_;
    const Complex oneMinusW = 1 - w;
    const Complex zeta = (1 + w) / oneMinusW;
    const Complex Z = zeta - Complex{F_, G_};
    const Complex W = principalPower(w, m);
    const Complex WminusTwoPlusInverse = (W - 2) + (1 / W);  // (W - 1)^2 / W
    const Complex cubed = oneMinusW * oneMinusW * oneMinusW;
    const Complex mapFactor = (2 * w * WminusTwoPlusInverse) / (sq(m) * (cubed * (Z * Z)));
    const Complex velocity = -(rotation_ * ((frontZ_ - Z) * mapFactor));
    return sample(streamFunction(Z), velocity);
}

// At zeta = -1 the limit of the velocity along the rear dividing streamline:
// none for m < 2, along the cusp for m = 2, unbounded beyond.
FlowSample FlowField::trailingEdgeSample() const
{
    if (EM_ > 2) throw ArithmeticError(ErrorKind::DivisionByZero);
    if (EM_ < 2) return sample(0, {0, 0});
    const Real speed = cos(Real(alpha_) + beta_) / a_;
    const Complex velocity = polar(speed, -(2 * Real(beta_)));
    return sample(0, velocity);
}

PlanePoint FlowField::sectionPointOf(Complex w) const
{
    // XY's formula in r = |w| and phi = arg(w); past r = 1 in powers of 1/r,
    // so that nothing overflows next to the trailing edge.
    const Real m = EM_;
    const Real mB = m * B_;
    const Real r = modulus(w);
    const Real phi = argument(w);
    Real x;
    Real y;
    if (r <= 1) {
        const Real r_m = pow(r, m);
        const Real r_2m = pow(r, 2 * m);
        const Real D = (1 + r_2m) - ((2 * r_m) * cos(m * phi));
        x = (mB * (1 - r_2m)) / D;
        y = (((mB * 2) * r_m) * sin(m * phi)) / D;
    } else {
        const Real q = pow(1 / r, m);
        const Real D = (sq(q) + 1) - ((2 * q) * cos(m * phi));
        x = (mB * (sq(q) - 1)) / D;
        y = (((mB * 2) * q) * sin(m * phi)) / D;
    }
    return {outlineX(x.value(), EM_, B_), y.value()};
}

PlanePoint FlowField::toSection(PlanePoint circlePoint) const
{
    const Complex zeta = zetaOf(circlePoint);
    const Complex zetaPlusOne = zeta + 1;
    if (zetaPlusOne.re == 0 && zetaPlusOne.im == 0) return {1, 0};
    return sectionPointOf((zeta - 1) / zetaPlusOne);
}

std::optional<Complex> FlowField::exteriorRoot(Complex W) const
{
    if (W.re == 0 && W.im == 0) return std::nullopt;  // zeta = 1: inside the circle, or its rim when F = 0
    const Real m = EM_;
    const Real argW = argument(W);
    const Real rootModulus = pow(modulus(W), 1 / m);
    // The roots' arguments are (arg W + 2 pi k)/m; the flow's lie within pi/2
    // of -beta. For m <= 2 at most one does; beyond, the neighbours are tried.
    const Real centre = -Real(beta_);
    const double nearest = std::round(((centre * m) - argW).value() / (2 * kPi).value());
    for (const double k : {nearest, nearest - 1, nearest + 1}) {
        const Real phi = (argW + (2 * kPi) * k) / m;
        if (abs(phi - centre) >= kPi / 2) continue;
        const Complex w = polar(rootModulus, phi);
        // Re((1 + c0) w) against F, a point of the surface counting as outside whatever its rounding.
        const Real beyondLine = ((1 + Real(F_)) * w.re) - (Real(G_) * w.im);
        if (beyondLine >= Real(F_) - kOnSurface * (1 + modulus(w))) return w;
    }
    return std::nullopt;
}

std::optional<PlanePoint> FlowField::toCircle(PlanePoint sectionPoint) const
{
    const Real mB = Real(EM_) * B_;
    const Complex z{(1 - Real(sectionPoint.x)) - mB, sectionPoint.y};
    const Complex zPlusMB = z + mB;
    if (zPlusMB.re == 0 && zPlusMB.im == 0) return PlanePoint{1, 0};
    const std::optional<Complex> w = exteriorRoot((z - mB) / zPlusMB);
    if (!w) return std::nullopt;
    return circleFrame((1 + *w) / (1 - *w));
}

std::optional<FlowSample> FlowField::sectionSample(PlanePoint point) const
{
    const Real mB = Real(EM_) * B_;
    const Complex z{(1 - Real(point.x)) - mB, point.y};
    const Complex zPlusMB = z + mB;
    if (zPlusMB.re == 0 && zPlusMB.im == 0) return trailingEdgeSample();
    const std::optional<Complex> w = exteriorRoot((z - mB) / zPlusMB);
    if (!w) return std::nullopt;
    return sectionFlowAt(*w);
}

bool FlowField::outsideCircle(PlanePoint circlePoint) const
{
    const Complex Z = zetaOf(circlePoint) - Complex{F_, G_};
    return modulus(Z) >= Real(a_) * (1 - kOnSurface);
}

std::optional<FlowSample> FlowField::circleSample(PlanePoint point) const
{
    if (!outsideCircle(point)) return std::nullopt;
    const Complex zeta = zetaOf(point);
    const Complex Z = zeta - Complex{F_, G_};
    // In the circle frame, mirrored: u + i v = -e^(i alpha) (zeta + 1)(Z2 - Z)/Z^2 over the speed B.
    const Complex velocity = -(rotation_ * (((zeta + 1) * (frontZ_ - Z)) / (Z * Z)));
    return sample(streamFunction(Z), velocity);
}

PlanePoint FlowField::circlePoint(double theta) const
{
    const Real t = checked(theta);
    const Real c = cos(t);
    const Real s = sin(t);
    const Real P = (Real(F_) * c) + (Real(G_) * s);
    const Real rho = P + sqrt((1 + 2 * Real(F_)) + sq(P));
    return circleFrame({rho * c, rho * s});
}

double FlowField::surfaceCp(double theta) const
{
    if (isTrailingEdgeAngle(theta)) return trailingEdgeSample().Cp;
    const Complex zeta = zetaOf(circlePoint(theta));
    return sectionFlowAt((zeta - 1) / (zeta + 1)).Cp;
}

PlanePoint FlowField::frontStagnationCirclePoint() const
{
    return circleFrame(Complex{F_, G_} + frontZ_);
}

std::vector<PlanePoint> FlowField::stagnationPoints(FlowPlane plane) const
{
    const PlanePoint front = frontStagnationCirclePoint();
    const PlanePoint trailingEdge{1, 0};  // in both frames
    if (plane == FlowPlane::Circle) return {front, trailingEdge};
    if (EM_ >= 2) return {toSection(front)};
    return {toSection(front), trailingEdge};
}

FlowField::StreamGradient FlowField::streamGradient(PlanePoint circlePoint) const
{
    const Complex Z = zetaOf(circlePoint) - Complex{F_, G_};
    const Real a = a_;
    const Real sinA = sinAlpha_;
    const Real cosA = cosAlpha_;
    const Real r2 = sq(Z.re) + sq(Z.im);
    const Real across = (Z.re * sinA) + (Z.im * cosA);
    const Real doubletSlope = ((2 * sq(a)) * across) / sq(r2);
    const Real shrink = 1 - (sq(a) / r2);
    const Real vortexSlope = ((2 * a) * liftFactor_) / r2;
    const Real dX = Real(B_) * (((doubletSlope * Z.re) + (shrink * sinA)) + (vortexSlope * Z.re));
    const Real dY = Real(B_) * (((doubletSlope * Z.im) + (shrink * cosA)) + (vortexSlope * Z.im));
    return {streamFunction(Z).value(), (-dX).value(), dY.value()};
}

}  // namespace folix
