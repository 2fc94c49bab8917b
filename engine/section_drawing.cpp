#include "section_drawing.h"

#include <algorithm>
#include <array>
#include <stdexcept>

#include "number_text.h"
#include "real.h"

namespace folix {

namespace {

constexpr double kEdgeClustering = 0.3;    // the angle is u - kEdgeClustering sin(2u)
constexpr double kMarginShare = 0.05;      // of the chord, around the SVG and PDF drawings
constexpr double kLineWidthMm = 0.1;
const Real kPointsPerMillimetre = Real(72) / Real(25.4);
constexpr int kSvgDecimals = 4;            // a tenth of a micrometre
constexpr int kDxfDecimals = 6;
constexpr int kThicknessSamples = 180;
constexpr int kGoldenSteps = 60;

std::string mm(double v, int decimals) { return fixedText(checked(v).value(), decimals); }

// ---- geometry -------------------------------------------------------------

SectionPoint scaled(SectionPoint p, Real chord) { return {(Real(p.x) * chord).value(), (Real(p.y) * chord).value()}; }

// The upper point of angle theta and the lower one of -theta, apart by the design's thickness.
std::array<SectionPoint, 2> thicknessPair(double F, double G, double EM, double theta)
{
    const std::vector<SectionPoint> pair = outlinePoints(F, G, EM, {theta, -theta});
    return {pair[0], pair[1]};
}

Real thicknessAt(double F, double G, double EM, double theta)
{
    const auto [upper, lower] = thicknessPair(F, G, EM, theta);
    return sqrt(sq(Real(upper.x) - lower.x) + sq(Real(upper.y) - lower.y));
}

// The circle angle of the largest thickness: the best of evenly spaced
// angles, then golden section between its neighbours.
double thickestAngle(double F, double G, double EM)
{
    const Real step = kPi / kThicknessSamples;
    int best = 1;
    Real bestThickness = 0;
    for (int k = 1; k < kThicknessSamples; ++k) {
        const Real t = thicknessAt(F, G, EM, (k * step).value());
        if (t > bestThickness) {
            bestThickness = t;
            best = k;
        }
    }
    const Real goldenShare = (sqrt(Real(5)) - 1) / 2;
    Real low = (best - 1) * step;
    Real high = (best + 1) * step;
    for (int i = 0; i < kGoldenSteps; ++i) {
        const Real inner = low + (1 - goldenShare) * (high - low);
        const Real outer = low + goldenShare * (high - low);
        if (thicknessAt(F, G, EM, inner.value()) >= thicknessAt(F, G, EM, outer.value()))
            high = outer;
        else
            low = inner;
    }
    return ((low + high) / 2).value();
}

SectionPoint opened(SectionPoint p, Real gap, double side)
{
    return {p.x, (Real(p.y) + ((side * gap) * p.x) / 2).value()};
}

struct Extent {
    double left;
    double bottom;
    double right;
    double top;
};

Extent extentOf(const SectionDrawing& drawing)
{
    Extent e{0, 0, 0, 0};
    const auto include = [&](SectionPoint p) {
        e.left = std::min(e.left, p.x);
        e.right = std::max(e.right, p.x);
        e.bottom = std::min(e.bottom, p.y);
        e.top = std::max(e.top, p.y);
    };
    for (const SectionPoint p : drawing.outline) include(p);
    for (const auto& line : {drawing.chordLine, drawing.thicknessLine})
        if (line) {
            include(line->from);
            include(line->to);
        }
    const double margin = (Real(drawing.options.chordMillimetres) * kMarginShare).value();
    return {e.left - margin, e.bottom - margin, e.right + margin, e.top + margin};
}

// ---- text -----------------------------------------------------------------

std::string xmlEscaped(const std::string& text)
{
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += static_cast<unsigned char>(c) < 0x20 ? ' ' : c;  // XML 1.0 allows no control characters
        }
    }
    return out;
}

// A PDF literal string holds bytes: printable ASCII as it is, the rest as '?'.
std::string pdfEscaped(const std::string& text)
{
    std::string out;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '(' || c == ')' || c == '\\') out += '\\';
        out += byte < 0x20 || byte > 0x7e ? '?' : c;
    }
    return out;
}

std::string svgPoint(SectionPoint p) { return mm(p.x, kSvgDecimals) + "," + mm(-p.y, kSvgDecimals); }

std::string svgLine(const DrawingLine& line)
{
    return "    <path d=\"M " + svgPoint(line.from) + " L " + svgPoint(line.to) + "\"/>\n";
}

class DxfWriter {
public:
    void pair(int code, const std::string& value)
    {
        std::string number = std::to_string(code);
        text_ += std::string(number.size() < 3 ? 3 - number.size() : 0, ' ') + number + "\n" + value + "\n";
    }
    void number(int code, double value) { pair(code, mm(value, kDxfDecimals)); }
    void point(int code, SectionPoint p)
    {
        number(code, p.x);
        number(code + 10, p.y);
        number(code + 20, 0);
    }
    const std::string& text() const { return text_; }

private:
    std::string text_;
};

void dxfLine(DxfWriter& dxf, const DrawingLine& line)
{
    dxf.pair(0, "LINE");
    dxf.pair(8, "CONSTRUCTION");
    dxf.point(10, line.from);
    dxf.point(11, line.to);
}

}  // namespace

std::vector<double> drawingCircleAngles(int points)
{
    if (points < kDrawingPoints || points > kMostSeligPoints || points % 2 == 0)
        throw std::invalid_argument("a drawing's point count must be odd, from " + std::to_string(kDrawingPoints) +
                                    " to " + std::to_string(kMostSeligPoints));
    const int steps = points - 1;
    std::vector<double> angles;
    angles.reserve(static_cast<std::size_t>(points));
    for (int k = 0; k < points; ++k) {
        const Real u = (kPi * (steps - 2 * k)) / steps;
        angles.push_back((u - kEdgeClustering * sin(2 * u)).value());
    }
    // The ends are the trailing edge, the middle the leading edge, exactly.
    angles.front() = kPi.value();
    angles.back() = -kPi.value();
    angles[static_cast<std::size_t>(steps / 2)] = 0;
    return angles;
}

SectionDrawing sectionDrawing(const std::string& name, double F, double G, double EM, const DrawingOptions& options,
                              int points)
{
    const Real chord = checked(options.chordMillimetres);
    const Real gap = checked(options.trailingEdgeGap);
    if (chord < kSmallestChordMillimetres || chord > kLargestChordMillimetres)
        throw std::invalid_argument("the chord must be from " + formatGeneral(kSmallestChordMillimetres) + " to " +
                                    formatGeneral(kLargestChordMillimetres) + " mm");
    if (gap < 0 || gap > kLargestTrailingEdgeGap)
        throw std::invalid_argument("the trailing-edge gap must be from 0 to " + formatGeneral(kLargestTrailingEdgeGap) +
                                    " of the chord");

    const std::vector<SectionPoint> unit = outlinePoints(F, G, EM, drawingCircleAngles(points));
    const std::size_t leadingEdge = unit.size() / 2;
    SectionDrawing drawing{name, options, {}, std::nullopt, std::nullopt};
    drawing.outline.reserve(unit.size());
    for (std::size_t k = 0; k < unit.size(); ++k) {
        const double side = k < leadingEdge ? 1 : k > leadingEdge ? -1 : 0;
        drawing.outline.push_back(scaled(opened(unit[k], gap, side), chord));
    }
    // Closed: without a gap the last point is the first again.
    if (gap == 0) drawing.outline.pop_back();

    if (options.constructionLayer) {
        const auto [upper, lower] = thicknessPair(F, G, EM, thickestAngle(F, G, EM));
        drawing.chordLine = DrawingLine{{0, 0}, scaled({1, 0}, chord)};
        drawing.thicknessLine = DrawingLine{scaled(opened(upper, gap, 1), chord), scaled(opened(lower, gap, -1), chord)};
    }
    return drawing;
}

std::string svgDrawingText(const SectionDrawing& drawing)
{
    const Extent e = extentOf(drawing);
    const std::string width = mm(e.right - e.left, kSvgDecimals);
    const std::string height = mm(e.top - e.bottom, kSvgDecimals);
    const std::string stroke = mm(kLineWidthMm, kSvgDecimals);
    std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n"
                      "<svg xmlns=\"http://www.w3.org/2000/svg\" "
                      "xmlns:inkscape=\"http://www.inkscape.org/namespaces/inkscape\" version=\"1.1\"\n"
                      "     width=\"" + width + "mm\" height=\"" + height + "mm\" viewBox=\"" +
                      mm(e.left, kSvgDecimals) + " " + mm(-e.top, kSvgDecimals) + " " + width + " " + height + "\">\n";
    svg += "  <title>" + xmlEscaped(drawing.name) + "</title>\n";
    svg += "  <desc>Chord " + mm(drawing.options.chordMillimetres, kSvgDecimals) + " mm; 1 user unit = 1 mm</desc>\n";
    svg += "  <g id=\"outline\" inkscape:groupmode=\"layer\" inkscape:label=\"Outline\" fill=\"none\" "
           "stroke=\"#000000\" stroke-width=\"" + stroke + "\" stroke-linejoin=\"round\">\n    <path d=\"";
    for (std::size_t k = 0; k < drawing.outline.size(); ++k) {
        svg += k == 0 ? "M " : k == 1 ? " L " : k % 6 == 0 ? "\n             " : " ";
        svg += svgPoint(drawing.outline[k]);
    }
    svg += " Z\"/>\n  </g>\n";
    if (drawing.chordLine && drawing.thicknessLine) {
        svg += "  <g id=\"construction\" inkscape:groupmode=\"layer\" inkscape:label=\"Construction\" fill=\"none\" "
               "stroke=\"#c00000\" stroke-width=\"" + stroke + "\">\n";
        svg += svgLine(*drawing.chordLine) + svgLine(*drawing.thicknessLine) + "  </g>\n";
    }
    svg += "</svg>\n";
    return svg;
}

std::string dxfDrawingText(const SectionDrawing& drawing)
{
    const Extent e = extentOf(drawing);
    const bool construction = drawing.chordLine && drawing.thicknessLine;
    DxfWriter dxf;
    dxf.pair(0, "SECTION");
    dxf.pair(2, "HEADER");
    dxf.pair(9, "$ACADVER");
    dxf.pair(1, "AC1009");
    dxf.pair(9, "$INSUNITS");  // read by later programs; R12 ones take the numbers as they are
    dxf.pair(70, "4");         // millimetres
    dxf.pair(9, "$MEASUREMENT");
    dxf.pair(70, "1");         // metric
    dxf.pair(9, "$EXTMIN");
    dxf.point(10, {e.left, e.bottom});
    dxf.pair(9, "$EXTMAX");
    dxf.point(10, {e.right, e.top});
    dxf.pair(0, "ENDSEC");

    dxf.pair(0, "SECTION");
    dxf.pair(2, "TABLES");
    dxf.pair(0, "TABLE");
    dxf.pair(2, "LTYPE");
    dxf.pair(70, "1");
    dxf.pair(0, "LTYPE");
    dxf.pair(2, "CONTINUOUS");
    dxf.pair(70, "0");
    dxf.pair(3, "Solid line");
    dxf.pair(72, "65");
    dxf.pair(73, "0");
    dxf.number(40, 0);
    dxf.pair(0, "ENDTAB");
    dxf.pair(0, "TABLE");
    dxf.pair(2, "LAYER");
    dxf.pair(70, construction ? "2" : "1");
    const auto layer = [&](const char* name, const char* colour) {
        dxf.pair(0, "LAYER");
        dxf.pair(2, name);
        dxf.pair(70, "0");
        dxf.pair(62, colour);
        dxf.pair(6, "CONTINUOUS");
    };
    layer("OUTLINE", "7");
    if (construction) layer("CONSTRUCTION", "1");
    dxf.pair(0, "ENDTAB");
    dxf.pair(0, "ENDSEC");

    dxf.pair(0, "SECTION");
    dxf.pair(2, "ENTITIES");
    dxf.pair(0, "POLYLINE");
    dxf.pair(8, "OUTLINE");
    dxf.pair(66, "1");  // vertices follow
    dxf.point(10, {0, 0});
    dxf.pair(70, "1");  // closed
    for (const SectionPoint p : drawing.outline) {
        dxf.pair(0, "VERTEX");
        dxf.pair(8, "OUTLINE");
        dxf.point(10, p);
    }
    dxf.pair(0, "SEQEND");
    dxf.pair(8, "OUTLINE");
    if (construction) {
        dxfLine(dxf, *drawing.chordLine);
        dxfLine(dxf, *drawing.thicknessLine);
    }
    dxf.pair(0, "ENDSEC");
    dxf.pair(0, "EOF");
    return dxf.text();
}

std::string pdfDrawingText(const SectionDrawing& drawing)
{
    const Extent e = extentOf(drawing);
    const auto page = [&](SectionPoint p) { return mm(p.x - e.left, kSvgDecimals) + " " + mm(p.y - e.bottom, kSvgDecimals); };
    const std::string scale = fixedText(kPointsPerMillimetre.value(), 12);

    std::string content = "q\n" + scale + " 0 0 " + scale + " 0 0 cm\n" + mm(kLineWidthMm, kSvgDecimals) +
                          " w 1 j 1 J 0 0 0 RG\n";
    for (std::size_t k = 0; k < drawing.outline.size(); ++k)
        content += page(drawing.outline[k]) + (k == 0 ? " m\n" : " l\n");
    content += "h S\n";
    if (drawing.chordLine && drawing.thicknessLine) {
        content += "0.75 0 0 RG\n";
        for (const DrawingLine& line : {*drawing.chordLine, *drawing.thicknessLine})
            content += page(line.from) + " m " + page(line.to) + " l S\n";
    }
    content += "Q\n";

    const std::string width = fixedText(((Real(e.right) - e.left) * kPointsPerMillimetre).value(), 4);
    const std::string height = fixedText(((Real(e.top) - e.bottom) * kPointsPerMillimetre).value(), 4);
    const std::string objects[] = {
        "<< /Type /Catalog /Pages 2 0 R >>",
        "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 " + width + " " + height +
            "] /Resources << >> /Contents 4 0 R >>",
        "<< /Length " + std::to_string(content.size()) + " >>\nstream\n" + content + "endstream",
        "<< /Title (" + pdfEscaped(drawing.name) + ") /Creator (FolixDesign) >>",
    };

    std::string pdf = "%PDF-1.4\n%\xe2\xe3\xcf\xd3\n";  // the second line marks the file as binary for transfers
    std::vector<std::size_t> offsets;
    for (std::size_t i = 0; i < std::size(objects); ++i) {
        offsets.push_back(pdf.size());
        pdf += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
    }
    const std::size_t xref = pdf.size();
    pdf += "xref\n0 " + std::to_string(offsets.size() + 1) + "\n0000000000 65535 f \n";
    for (const std::size_t offset : offsets) {
        const std::string digits = std::to_string(offset);
        pdf += std::string(10 - digits.size(), '0') + digits + " 00000 n \n";
    }
    pdf += "trailer\n<< /Size " + std::to_string(offsets.size() + 1) + " /Root 1 0 R /Info 5 0 R >>\nstartxref\n" +
           std::to_string(xref) + "\n%%EOF\n";
    return pdf;
}

}  // namespace folix
