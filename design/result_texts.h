#pragma once

#include <string>

namespace folix {

// The four texts a design run shows: family, F, G and m as rounded for display.
struct ResultTexts {
    std::string airfoilType;
    std::string f;
    std::string g;
    std::string m;
};

}  // namespace folix
