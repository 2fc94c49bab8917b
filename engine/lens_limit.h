#pragma once

#include <optional>

namespace folix {

// The thickness ratio of the thinnest section at exponent EM with the camber
// ratio Gamma, as DGX measures it. Below m = 2 that is the section of F = 0:
// the circle then passes through both singular points and maps onto a lens of
// two circular arcs meeting at the trailing-edge angle tau, whose thickness
// ratio is tan(tau/4) when symmetric. Thicker sections grow F from there, so
// no section at EM has a thickness ratio at or below this one. None from
// m = 2 on (the lens flattens to an arc, or its surfaces cross), for a
// negative Gamma, or when the lens of that camber cannot be measured.
std::optional<double> lensThickness(double EM, double Gamma);

}  // namespace folix
