#include "drawing_files.h"

#include <algorithm>
#include <cctype>

namespace folix {

std::optional<DrawingFormat> drawingFormatOf(std::string_view extension)
{
    std::string lower(extension);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (lower == "svg") return DrawingFormat::Svg;
    if (lower == "dxf") return DrawingFormat::Dxf;
    if (lower == "pdf") return DrawingFormat::Pdf;
    return std::nullopt;
}

std::string drawingText(DrawingFormat format, const SectionDrawing& drawing)
{
    switch (format) {
    case DrawingFormat::Svg: return svgDrawingText(drawing);
    case DrawingFormat::Dxf: return dxfDrawingText(drawing);
    case DrawingFormat::Pdf: return pdfDrawingText(drawing);
    }
    return {};
}

}  // namespace folix
