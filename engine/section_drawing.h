#pragma once

#include <optional>
#include <string>
#include <vector>

#include "selig_export.h"

namespace folix {

// Points of a drawing's outline: odd, so that the leading edge is one of them.
inline constexpr int kDrawingPoints = 401;
inline constexpr double kDefaultChordMillimetres = 100;
inline constexpr double kSmallestChordMillimetres = 0.1;
inline constexpr double kLargestChordMillimetres = 100000;  // 100 m
inline constexpr double kLargestTrailingEdgeGap = 0.1;      // of the chord

// Circle angles (as XY takes them) of a smooth outline of `points` points
// (odd, kDrawingPoints to kMostSeligPoints) in Selig order: pi, the upper
// surface to 0, the lower surface to -pi. Uniform in a parameter u, the angle
// being u - 0.3 sin(2u): four times as dense at both edges as at mid-chord,
// over the circle's own clustering toward both edges. Angles k and
// points-1-k are exact negatives. std::invalid_argument for another count.
std::vector<double> drawingCircleAngles(int points = kDrawingPoints);

struct DrawingOptions {
    double chordMillimetres = kDefaultChordMillimetres;
    // Over the chord: the trailing edge opened linearly along the chord, the
    // upper surface raised by gap x/2 and the lower lowered as much.
    double trailingEdgeGap = 0;
    // A second layer with the chord line and the section's maximum thickness.
    bool constructionLayer = false;
};

struct DrawingLine {
    SectionPoint from;
    SectionPoint to;
};

// A section at true scale, in millimetres, y up, the leading edge at the
// origin and the chord along +x.
struct SectionDrawing {
    std::string name;
    DrawingOptions options;
    // Selig order, every point once: the shape closes from the last point
    // back to the first (across the gap, if any).
    std::vector<SectionPoint> outline;
    // With the construction layer: leading edge to trailing edge, and the
    // maximum thickness as the design measures it (between the points of
    // circle angles theta and -theta), drawn between those points.
    std::optional<DrawingLine> chordLine;
    std::optional<DrawingLine> thicknessLine;
};

// The drawing of the section F, G, EM: outlinePoints at drawingCircleAngles,
// scaled, the gap opened. std::invalid_argument (naming the option and its
// limits) for a chord outside kSmallestChordMillimetres to
// kLargestChordMillimetres, a gap outside 0 to kLargestTrailingEdgeGap or a
// point count drawingCircleAngles refuses; ArithmeticError where the mapping
// fails.
SectionDrawing sectionDrawing(const std::string& name, double F, double G, double EM, const DrawingOptions& options,
                              int points = kDrawingPoints);

// The drawing as file text, every coordinate a plain decimal in millimetres:
// an SVG (user unit 1 mm, size in mm, one group per layer), an ASCII DXF R12
// (units mm; the outline a closed POLYLINE on layer OUTLINE, the
// construction LINEs on layer CONSTRUCTION), or a one-page PDF 1.4 the size
// of the drawing (1 mm = 72/25.4 pt). A margin of 5 % of the chord surrounds
// the drawing in the SVG and the PDF.
std::string svgDrawingText(const SectionDrawing& drawing);
std::string dxfDrawingText(const SectionDrawing& drawing);
std::string pdfDrawingText(const SectionDrawing& drawing);

}  // namespace folix
