#include "drawn_design.h"

#include <cctype>

#include "engine/number_text.h"

namespace folix {

DrawnDesign DrawnDesign::of(const DesignState& state)
{
    return {state.AirfoilType, state.F, state.G, state.EM};
}

DesignState DrawnDesign::record() const
{
    DesignState state;
    state.AirfoilType = AirfoilType;
    state.F = F;
    state.G = G;
    state.EM = EM;
    return state;
}

std::string coordinateText(const DrawnDesign& design, int points)
{
    return seligText(design.record(), points);
}

std::string suggestedFileStem(const DrawnDesign& design)
{
    // "KARMAN-TREFFTZ AIRFOIL" -> "karman-trefftz"
    std::string family = design.AirfoilType.substr(0, design.AirfoilType.find(' '));
    for (char& c : family) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (family.empty()) family = "section";
    return family + "_F" + displayText(design.F) + "_G" + displayText(design.G) + "_m" + displayText(design.EM);
}

}  // namespace folix
