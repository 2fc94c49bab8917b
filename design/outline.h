#pragma once

#include <array>

namespace folix {

struct OutlinePoint {
    float x = 0;
    float y = 0;
};

inline constexpr int kOutlineSamples = 52;

// Samples 1 to 52 of the normalised outline, in drawing precision.
using Outline = std::array<OutlinePoint, kOutlineSamples>;

}  // namespace folix
