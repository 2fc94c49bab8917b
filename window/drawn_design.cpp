#include "drawn_design.h"

#include <cctype>

#include "engine/number_text.h"

namespace folix {

std::string coordinateText(const MappedSection& drawn, int points) { return seligText(drawn, points); }

std::string suggestedFileStem(const MappedSection& drawn)
{
    // "KARMAN-TREFFTZ AIRFOIL" -> "karman-trefftz"
    std::string family = drawn.family.substr(0, drawn.family.find(' '));
    for (char& c : family) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (family.empty()) family = "section";
    return family + "_F" + displayText(drawn.F) + "_G" + displayText(drawn.G) + "_m" + displayText(drawn.EM);
}

}  // namespace folix
