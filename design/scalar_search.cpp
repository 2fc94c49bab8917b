#include "scalar_search.h"

#include <cmath>
#include <limits>
#include <stdexcept>
#include <utility>

namespace folix {

ScalarBracket brentRoot(const std::function<double(double)>& f, ScalarPoint a, ScalarPoint b, double xTolerance)
{
    if (std::abs(a.y) < std::abs(b.y)) std::swap(a, b);
    ScalarPoint c = a;
    double d = b.x - a.x;
    double e = d;
    for (;;) {
        if (b.y == 0) return {b, c};
        const double step = 2 * std::numeric_limits<double>::epsilon() * std::abs(b.x) + xTolerance / 2;
        if (std::abs(c.x - b.x) / 2 <= step) return {b, c};
        const double x = brentNext(a, b, c, step, d, e);
        a = b;
        b = {x, f(x)};
        if ((b.y > 0) == (c.y > 0) && b.y != 0) {
            c = a;
            d = b.x - a.x;
            e = d;
        }
        if (std::abs(c.y) < std::abs(b.y)) {
            std::swap(b, c);
            a = c;  // the previous best
        }
    }
}

double brentNext(const ScalarPoint& a, const ScalarPoint& b, const ScalarPoint& c, double step, double& d, double& e)
{
    const double half = (c.x - b.x) / 2;
    if (std::abs(e) >= step && std::abs(a.y) > std::abs(b.y)) {
        const double s = b.y / a.y;
        double p = 0;
        double q = 0;
        if (a.x == c.x) {
            p = 2 * half * s;
            q = 1 - s;
        } else {
            const double qa = a.y / c.y;
            const double r = b.y / c.y;
            p = s * (2 * half * qa * (qa - r) - (b.x - a.x) * (r - 1));
            q = (qa - 1) * (r - 1) * (s - 1);
        }
        if (p > 0) q = -q;
        p = std::abs(p);
        if (2 * p < std::min(3 * half * q - std::abs(step * q), std::abs(e * q))) {
            e = d;
            d = p / q;
        } else {
            d = half;
            e = d;
        }
    } else {
        d = half;
        e = d;
    }
    return std::abs(d) > step ? b.x + d : b.x + (half > 0 ? step : -step);
}

ScalarPoint goldenMinimum(const std::function<double(double)>& f, ScalarPoint a, ScalarPoint inside, ScalarPoint b,
                          double xTolerance, const double* below)
{
    const double ratio = (std::sqrt(5.0) - 1) / 2;
    if (a.x > b.x) std::swap(a, b);
    ScalarPoint best = inside;
    while (b.x - a.x > xTolerance && !(below && best.y < *below)) {
        // The new point goes into the larger of the two parts.
        const bool right = b.x - best.x > best.x - a.x;
        const double x = right ? best.x + (1 - ratio) * (b.x - best.x) : best.x - (1 - ratio) * (best.x - a.x);
        const ScalarPoint tried{x, f(x)};
        if (tried.y < best.y) {
            (right ? a : b) = best;
            best = tried;
        } else {
            (right ? b : a) = tried;
        }
    }
    return best;
}

MinimumBracket bracketMinimum(const std::function<double(double)>& f, double start, double step, double reach)
{
    ScalarPoint middle{start, f(start)};
    ScalarPoint ahead{start + step, f(start + step)};
    if (ahead.y > middle.y) {
        const ScalarPoint behind{start - step, f(start - step)};
        if (behind.y >= middle.y) return {behind, middle, ahead};
        step = -step;
        ahead = behind;
    }
    ScalarPoint behind = middle;
    middle = ahead;
    for (;;) {
        step *= 1.5;
        if (std::abs(middle.x + step - start) > reach) throw std::range_error("no minimum within reach");
        ahead = {middle.x + step, f(middle.x + step)};
        if (ahead.y > middle.y) return {behind, middle, ahead};
        behind = std::exchange(middle, ahead);
    }
}

}  // namespace folix
