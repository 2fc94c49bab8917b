#pragma once

#include <string>

#include "engine/design_state.h"

namespace folix {

inline constexpr const char* kLineEnd = "\r\n";
inline constexpr const char* kHeaderLine = "Delta Gamma  xDltC   Tau     F          G        m";

// The file's number text: rounded to `decimals` places on the 15-significant-digit
// decimal form, halves away from zero; every integer digit, "." and exactly
// `decimals` decimals; "-" for negatives, never for a value that rounds to zero.
// No exponent form, however large the value.
std::string fileNumberText(double value, int decimals);

// One record line without its line end: Delta, Gamma, XDltC, Tau, F, G, EM with
// 2, 2, 5, 2, 5, 5, 5 decimals, one blank before the first and three before each other.
std::string recordLine(const DesignState& state);

}  // namespace folix
