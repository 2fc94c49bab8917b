#pragma once

#include <functional>

namespace folix {

// A point of a function of one variable.
struct ScalarPoint {
    double x = 0;
    double y = 0;
};

// Brent's method (secant, inverse quadratic interpolation, bisection) for a
// root of f between the points a and b, whose values have opposite signs (or
// one is 0). Stops when the bracket is narrower than xTolerance, or on a
// value of exactly 0, and gives the bracket's two ends, the better first:
// [first.x, second.x] (either order) holds the root. f may raise; the search
// then ends with it.
struct ScalarBracket {
    ScalarPoint best;
    ScalarPoint other;
};
ScalarBracket brentRoot(const std::function<double(double)>& f, ScalarPoint a, ScalarPoint b, double xTolerance);

// Where Brent's method looks next: from the best point b (a the previous best,
// c across the root from b), by inverse quadratic interpolation or a secant
// step when that stays well inside the bracket, else by bisection; never
// closer to b than `step`. d and e, the last two steps, are moved on.
double brentNext(const ScalarPoint& a, const ScalarPoint& b, const ScalarPoint& c, double step, double& d, double& e);

// The least value of f between a and b by golden section, with `inside` a
// point between them whose value is below both ends' (a bracketed minimum).
// Stops when the bracket is narrower than xTolerance, or, with `below`, as
// soon as a value under it is found.
ScalarPoint goldenMinimum(const std::function<double(double)>& f, ScalarPoint a, ScalarPoint inside, ScalarPoint b,
                          double xTolerance, const double* below = nullptr);

// From `start`, steps of `step` (growing by half each time) downhill until
// the function rises again: a bracketed minimum (a, inside, b) for
// goldenMinimum. Gives up, raising std::range_error, beyond `reach` from start.
struct MinimumBracket {
    ScalarPoint a;
    ScalarPoint inside;
    ScalarPoint b;
};
MinimumBracket bracketMinimum(const std::function<double(double)>& f, double start, double step, double reach);

}  // namespace folix
