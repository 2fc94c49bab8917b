#include "section_analysis.h"

#include <cmath>
#include <stdexcept>

#include "contour_mapping.h"
#include "number_text.h"
#include "real.h"
#include "selig_export.h"

// The flow is solved in the mapped plane z, where the trailing edge lies at
// z = -mB and the leading edge toward +x; the outline frame is z turned around,
// x_n = (1 - x) - mB. A free stream at alpha (nose-up) in that frame therefore
// runs in direction gamma = pi - alpha in z, and far from the section
// dz/dzeta -> B, so the circle sees the same direction with speed B times as
// large. With zeta - c0 = a e^(i thetaC) and the trailing edge at
// thetaC = pi + beta, the Kutta condition gives the circulation
// Gamma = 4 pi a U sin(alpha + beta), hence Cl = 8 pi a B sin(alpha + beta).
//
// On the circle the complex velocity is
//   dW/dzeta = -(2iU/a) e^(-i thetaC) Im(e^(i alpha) (zeta + 1)),
// and with v = ((zeta + 1)/(zeta - 1))^m = 1/w the mapping's derivative is
//   |dz/dzeta| = 4 m^2 B |v| / (|1 - v|^2 |zeta + 1| |zeta - 1|).
// Writing zeta + 1 = R1 e^(i psi), R2 = |zeta - 1|, the surface speed is
//   V/U_inf = |sin(alpha + psi)| |1 - v|^2 R1^(2-m) R2^(m+1) / (2 a m^2),
// in which nothing is singular at the trailing edge: there R1 = 0, v = 0,
// R2 = 2 and psi is the direction of the circle's tangent, so the speed is 0
// for m < 2 and |cos(alpha + beta)| / a for the cusp m = 2.

namespace folix {

namespace {

struct Complex {
    Real re;
    Real im;
};

Complex operator-(Complex p, Real s) { return {p.re - s, p.im}; }
Complex times(Complex p, Complex q) { return {(p.re * q.re) - (p.im * q.im), (p.re * q.im) + (p.im * q.re)}; }
Complex conjugate(Complex p) { return {p.re, -p.im}; }
Real modulus(Complex p) { return sqrt(sq(p.re) + sq(p.im)); }
Real argument(Complex p) { return Real(std::atan2(p.im.value(), p.re.value())); }  // always finite


// Whole turns taken off first (exactly), so that any finite angle has a value.
Real radians(double degrees)
{
    const Real withinATurn = std::fmod(checked(degrees).value(), 360.0);
    return (withinATurn * kPi) / 180;
}

// zeta + 1 for the circle point on the ray at angle theta, formed so that it
// stays accurate next to the trailing edge: rho - 1 comes from the rationalised
// root of rho^2 - 2 P rho - (1 + 2F) = 0, and 1 + cos(theta) from the half angle.
Complex circlePointPlusOne(Real F, Real G, Real theta, Real halfCos, Real halfSin)
{
    const Real c = cos(theta);
    const Real s = (2 * halfSin) * halfCos;
    const Real P = (F * c) + (G * s);
    const Real PplusF = (2 * halfCos) * ((F * halfCos) + (G * halfSin));
    const Real oneMinusP = 1 - P;
    const Real rhoMinusOne = (2 * PplusF) / (oneMinusP + sqrt(sq(oneMinusP) + 2 * PplusF));
    const Real rho = 1 + rhoMinusOne;
    return {(2 * sq(halfCos)) + (rhoMinusOne * c), rho * s};
}

}  // namespace

SectionAnalysis::SectionAnalysis(double F, double G, double EM, const std::vector<double>& circleAngles)
    : F_(checked(F).value()), G_(checked(G).value()), EM_(checked(EM).value()), B_(chordNormalisingScale(F, EM))
{
    const Real f = F_;
    const Real g = G_;
    const Real m = EM_;
    const Real onePlusF = 1 + f;
    const Real a = sqrt(sq(onePlusF) + sq(g));
    a_ = a.value();
    beta_ = atan(g / onePlusF).value();

    const Real speedScale = (2 * a) * sq(m);
    // The direction of zeta + 1 as zeta reaches the trailing edge: the tangent.
    const Real tangentX = g / a;
    const Real tangentY = -(onePlusF / a);

    // The points are the coordinate file's, bit for bit; the flow below only
    // needs the circle point.
    const std::vector<SectionPoint> outline = outlinePoints(F_, G_, EM_, circleAngles);
    surface_.reserve(circleAngles.size());
    speed_.reserve(circleAngles.size());
    for (std::size_t k = 0; k < circleAngles.size(); ++k) {
        const double angle = circleAngles[k];
        surface_.push_back({angle, outline[k].x, outline[k].y});

        if (isTrailingEdgeAngle(angle)) {
            const Real R1 = 0;
            const Real R2 = 2;
            const Real factor = (pow(R1, 2 - m) * pow(R2, m + 1)) / speedScale;
            speed_.push_back({tangentX.value(), tangentY.value(), factor.value()});
            continue;
        }

        const Real theta = angle;
        const Real halfCos = cos(theta / 2);
        const Real halfSin = sin(theta / 2);
        const Complex zetaPlusOne = circlePointPlusOne(f, g, theta, halfCos, halfSin);
        const Complex zetaMinusOne = zetaPlusOne - 2;
        const Real R1 = modulus(zetaPlusOne);
        const Real R2 = modulus(zetaMinusOne);
        // phi = arg((zeta - 1)/(zeta + 1)), the principal value, as XY takes it.
        const Real phi = argument(times(zetaMinusOne, conjugate(zetaPlusOne)));
        const Real vModulus = pow(R1 / R2, m);
        const Real oneMinusVSquared = (1 + sq(vModulus)) - ((2 * vModulus) * cos(m * phi));

        const Real factor = ((oneMinusVSquared * pow(R1, 2 - m)) * pow(R2, m + 1)) / speedScale;
        speed_.push_back({(zetaPlusOne.re / R1).value(), (zetaPlusOne.im / R1).value(), factor.value()});
    }
}

double SectionAnalysis::zeroLiftAngle() const
{
    return ((-Real(beta_) * 180) / kPi).value();
}

double SectionAnalysis::liftCoefficient(double alpha) const
{
    const Real alphaRad = radians(alpha);
    return ((((8 * kPi) * a_) * B_) * sin(alphaRad + beta_)).value();
}

// Blasius's moment theorem, evaluated at infinity in the circle plane where
// z = B zeta + k1/zeta + ..., k1 = B (m^2 - 1)/3, gives about the point z0:
//   Cm = -Cl ((z0 - B F) cos(alpha) + B G sin(alpha)) + 4 pi k1 B sin(2 alpha).
// The quarter chord x_n = 0.25 lies at z0 = 0.75 - mB.
double SectionAnalysis::momentCoefficient(double alpha) const
{
    const Real alphaRad = radians(alpha);
    const Real m = EM_;
    const Real B = B_;
    const Real z0 = Real(0.75) - (m * B);
    const Real k1 = (B * (sq(m) - 1)) / 3;
    const Real Cl = liftCoefficient(alpha);
    const Real leverArm = ((z0 - (B * F_)) * cos(alphaRad)) + ((B * G_) * sin(alphaRad));
    const Real thicknessTerm = (((4 * kPi) * k1) * B) * sin(2 * alphaRad);
    return (-(Cl * leverArm) + thicknessTerm).value();
}

std::vector<double> SectionAnalysis::pressureCoefficients(double alpha) const
{
    const Real alphaRad = radians(alpha);
    const Real sinAlpha = sin(alphaRad);
    const Real cosAlpha = cos(alphaRad);
    std::vector<double> Cp;
    Cp.reserve(speed_.size());
    for (const SpeedFactors& p : speed_) {
        // sin(alpha + psi)
        const Real across = (sinAlpha * p.directionX) + (cosAlpha * p.directionY);
        const Real speed = abs(across) * p.factor;
        Cp.push_back((1 - sq(speed)).value());
    }
    return Cp;
}

SectionLoads SectionAnalysis::loads(double alpha) const
{
    return {liftCoefficient(alpha), momentCoefficient(alpha), pressureCoefficients(alpha)};
}

std::vector<double> seligCircleAngles(int count)
{
    if (count < 3) throw std::invalid_argument("a surface needs at least 3 points");
    const int steps = count - 1;
    std::vector<double> angles;
    angles.reserve(static_cast<std::size_t>(count));
    for (int k = 0; k < count; ++k) {
        const Real fraction = Real(steps - 2 * k) / steps;
        angles.push_back((kPi * fraction).value());
    }
    return angles;
}

std::string coefficientText(double value, std::string_view decimalSeparator)
{
    return fixedText(value, kCoefficientDecimals, decimalSeparator);
}

}  // namespace folix
