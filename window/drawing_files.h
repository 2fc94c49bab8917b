#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "engine/section_drawing.h"

namespace folix {

// The files a section drawing is written as, told by the name's ending.
enum class DrawingFormat { Svg, Dxf, Pdf };

inline constexpr const char* kDrawingFormatsFilter =
    "SVG drawings (*.svg);;DXF drawings (*.dxf);;PDF documents (*.pdf)";

// "svg", "dxf" or "pdf" in any case; none for any other extension.
std::optional<DrawingFormat> drawingFormatOf(std::string_view extension);

std::string drawingText(DrawingFormat format, const SectionDrawing& drawing);

}  // namespace folix
