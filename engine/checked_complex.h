#pragma once

// Complex numbers over Real, for the conformal maps: every part of every
// result is checked, so a map evaluated where it has no finite value raises
// an ArithmeticError instead of returning one.

#include <cmath>

#include "real.h"

namespace folix {

struct Complex {
    Real re;
    Real im;
};

inline Complex operator+(Complex p, Complex q) { return {p.re + q.re, p.im + q.im}; }
inline Complex operator-(Complex p, Complex q) { return {p.re - q.re, p.im - q.im}; }
inline Complex operator-(Complex p) { return {-p.re, -p.im}; }
inline Complex operator+(Complex p, Real s) { return {p.re + s, p.im}; }
inline Complex operator+(Real s, Complex p) { return {s + p.re, p.im}; }
inline Complex operator-(Complex p, Real s) { return {p.re - s, p.im}; }
inline Complex operator-(Real s, Complex p) { return {s - p.re, -p.im}; }
inline Complex operator*(Real s, Complex p) { return {s * p.re, s * p.im}; }
inline Complex operator*(Complex p, Complex q)
{
    return {(p.re * q.re) - (p.im * q.im), (p.re * q.im) + (p.im * q.re)};
}

inline Complex conjugate(Complex p) { return {p.re, -p.im}; }

// |p| without overflow or underflow on the way: the plain root of the sum of
// squares where that is exact enough, hypot (several times slower) elsewhere.
inline Real modulus(Complex p)
{
    const double x = p.re.value();
    const double y = p.im.value();
    const double sum = x * x + y * y;
    if (sum > 1e-290 && sum < 1e290) return Real(std::sqrt(sum));
    return checked(std::hypot(x, y));
}
// The principal argument, in (-pi, pi]; 0 for 0.
inline Real argument(Complex p) { return Real(std::atan2(p.im.value(), p.re.value())); }

inline Complex operator/(Complex p, Complex q)
{
    // Scaled by the larger part of q, so that |q|^2 cannot overflow on its own.
    const Real scale = std::fmax(std::fabs(q.re.value()), std::fabs(q.im.value()));
    const Complex qs{q.re / scale, q.im / scale};
    const Complex ps{p.re / scale, p.im / scale};
    const Real norm = sq(qs.re) + sq(qs.im);
    const Complex product = ps * conjugate(qs);
    return {product.re / norm, product.im / norm};
}

inline Complex operator/(Real s, Complex q) { return Complex{s, 0} / q; }

inline Complex polar(Real radius, Real angle) { return {radius * cos(angle), radius * sin(angle)}; }

inline Real log(Real a)
{
    if (a.value() == 0.0) throw ArithmeticError(ErrorKind::DivisionByZero);
    if (a.value() < 0.0) throw ArithmeticError(ErrorKind::InvalidArgument);
    return Real(std::log(a.value()));
}

}  // namespace folix
