#include "section_outline.h"

#include "engine/section_drawing.h"

namespace folix {

std::vector<SectionPoint> smoothOutline(const MappedSection& section)
{
    return outlinePoints(section.F, section.G, section.EM, drawingCircleAngles());
}

std::vector<SectionPoint> outlineSamples(const Outline& outline)
{
    std::vector<SectionPoint> points;
    points.reserve(outline.size());
    for (const OutlinePoint& sample : outline) points.push_back({sample.x, sample.y});
    return points;
}

}  // namespace folix
