#pragma once

// A double whose every operation is checked: a result that would be infinite
// or NaN raises an ArithmeticError instead, so no such value is ever stored.
// The engine computes with Real so its formulas read like the mathematics while
// each step is guarded where it happens.

#include <cmath>
#include <compare>

#include "arithmetic_error.h"

namespace folix {

class Real {
public:
    constexpr Real(double v = 0.0) : v_(v) {}  // NOLINT(google-explicit-constructor): literals and fields enter freely
    constexpr double value() const { return v_; }

    friend constexpr auto operator<=>(Real a, Real b) { return a.v_ <=> b.v_; }
    friend constexpr bool operator==(Real a, Real b) { return a.v_ == b.v_; }

private:
    double v_;
};

namespace detail {
inline Real finite(double v)
{
    if (std::isnan(v)) throw ArithmeticError(ErrorKind::InvalidArgument);
    if (std::isinf(v)) throw ArithmeticError(ErrorKind::Overflow);
    return Real(v);
}
}  // namespace detail

inline Real operator+(Real a, Real b) { return detail::finite(a.value() + b.value()); }
inline Real operator-(Real a, Real b) { return detail::finite(a.value() - b.value()); }
inline Real operator*(Real a, Real b) { return detail::finite(a.value() * b.value()); }
inline Real operator-(Real a) { return Real(-a.value()); }

inline Real operator/(Real a, Real b)
{
    if (b.value() == 0.0) throw ArithmeticError(ErrorKind::DivisionByZero);
    return detail::finite(a.value() / b.value());
}

inline Real sqrt(Real a)
{
    if (a.value() < 0.0) throw ArithmeticError(ErrorKind::InvalidArgument);
    return Real(std::sqrt(a.value()));
}

// Zero to a negative power counts as a division by zero; a negative base has a
// real power only for a whole exponent.
inline Real pow(Real base, Real exponent)
{
    const double x = base.value();
    const double y = exponent.value();
    if (x == 0.0 && y < 0.0) throw ArithmeticError(ErrorKind::DivisionByZero);
    if (x < 0.0 && y != std::trunc(y)) throw ArithmeticError(ErrorKind::InvalidArgument);
    return detail::finite(std::pow(x, y));
}

inline Real sq(Real a) { return a * a; }
inline Real abs(Real a) { return Real(std::fabs(a.value())); }
inline Real sin(Real a) { return detail::finite(std::sin(a.value())); }
inline Real cos(Real a) { return detail::finite(std::cos(a.value())); }
inline Real atan(Real a) { return Real(std::atan(a.value())); }

// Pi as the engine's formulas write it.
inline const Real kPi = 4 * atan(Real(1));

// A real that must be finite before it enters a computation (typed or read text).
inline Real checked(double v) { return detail::finite(v); }

}  // namespace folix
