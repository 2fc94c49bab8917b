#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/section_drawing.h"

namespace folix {
namespace {

constexpr double kF = 0.070304405967124839;  // 12 %, 2 %, 10 deg: maximum thickness at x/c 0.32657
constexpr double kG = 0.043769303782416197;
constexpr double kEM = 1.9444444444444444;

SectionDrawing drawing(double chord, double gap, bool construction = true)
{
    return sectionDrawing("KT (12 %) <&>", kF, kG, kEM, {chord, gap, construction});
}

std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

double number(const std::string& text, const std::string& after)
{
    const std::size_t at = text.find(after);
    return at == std::string::npos ? std::nan("") : std::stod(text.substr(at + after.size()));
}

TEST(SectionDrawing, ScaleGapAndConstructionLayer)
{
    for (const double chord : {0.1, 100.0, 2500.0})
        for (const double gap : {0.0, 0.002, 0.1}) {
            const SectionDrawing d = drawing(chord, gap);
            const auto& o = d.outline;
            ASSERT_EQ(o.size(), gap == 0 ? 400u : 401u);
            EXPECT_EQ(o.front().x, chord);
            if (gap > 0) EXPECT_NEAR(o.front().y - o.back().y, gap * chord, 1e-12 * chord);
            else EXPECT_EQ(o.front().y, 0.0);
            EXPECT_NEAR(o[200].x, 0.0, 1e-14 * chord);  // the leading edge, unmoved
            EXPECT_EQ(o[200].y, 0.0);
            EXPECT_EQ(d.chordLine->to.x, chord);
            // As the design run measures it, to the design run's 0.001 in chord.
            const double thicknessAt = (d.thicknessLine->from.x + d.thicknessLine->to.x) / 2 / chord;
            EXPECT_NEAR(thicknessAt, 0.32657, 2e-4);
            for (const std::string& text : {svgDrawingText(d), dxfDrawingText(d), pdfDrawingText(d)})
                EXPECT_EQ(text.find("nan"), std::string::npos);
        }
    EXPECT_EQ(drawing(100, 0.01, false).thicknessLine, std::nullopt);
    for (const DrawingOptions& bad : {DrawingOptions{0.05, 0, false}, DrawingOptions{1e6, 0, false},
                                      DrawingOptions{100, -0.001, false}, DrawingOptions{100, 0.2, false},
                                      DrawingOptions{std::nan(""), 0, false}})
        EXPECT_ANY_THROW(sectionDrawing("x", kF, kG, kEM, bad));
    EXPECT_THROW(drawingCircleAngles(399), std::invalid_argument);

    // Denser at both edges than at mid-chord, symmetric, trailing edge to trailing edge.
    const std::vector<double> angles = drawingCircleAngles(401);
    EXPECT_EQ(angles.front(), -angles.back());
    for (std::size_t k = 1; k < angles.size(); ++k) EXPECT_LT(angles[k], angles[k - 1]);
    EXPECT_NEAR((angles[99] - angles[101]) / (angles[0] - angles[2]), 4, 0.05);
}

TEST(SectionDrawing, SvgInMillimetres)
{
    const std::string svg = svgDrawingText(drawing(200, 0.002));
    const double width = number(svg, "width=\"");
    EXPECT_NEAR(width, 220, 0.1);  // the chord and 5 % either side
    EXPECT_NE(svg.find("mm\" height=\""), std::string::npos);
    EXPECT_NEAR(number(svg, "viewBox=\"") , -10, 0.1);
    EXPECT_NE(svg.find("<title>KT (12 %) &lt;&amp;&gt;</title>"), std::string::npos);
    EXPECT_NE(svg.find("M 200.0000,-0.2000 L "), std::string::npos);  // the upper trailing edge, y down
    EXPECT_NE(svg.find(" Z\"/>"), std::string::npos);
    EXPECT_NE(svg.find("<path d=\"M 0.0000,0.0000 L 200.0000,0.0000\"/>"), std::string::npos);
}

// Group codes and values in pairs; the polyline closed with one vertex per outline point.
TEST(SectionDrawing, DxfPairsAndClosedPolyline)
{
    for (const double gap : {0.0, 0.01}) {
        const SectionDrawing d = drawing(100, gap);
        const std::vector<std::string> lines = linesOf(dxfDrawingText(d));
        ASSERT_EQ(lines.size() % 2, 0u);
        std::vector<std::pair<int, std::string>> pairs;
        for (std::size_t k = 0; k < lines.size(); k += 2) {
            ASSERT_EQ(lines[k].size(), 3u) << k;
            std::size_t used = 0;
            pairs.emplace_back(std::stoi(lines[k], &used), lines[k + 1]);
            ASSERT_EQ(used, 3u) << lines[k];
        }
        EXPECT_EQ(pairs.front(), std::pair(0, std::string("SECTION")));
        EXPECT_EQ(pairs.back(), std::pair(0, std::string("EOF")));
        EXPECT_NE(std::find(pairs.begin(), pairs.end(), std::pair(1, std::string("AC1009"))), pairs.end());
        const auto polyline = std::find(pairs.begin(), pairs.end(), std::pair(0, std::string("POLYLINE")));
        ASSERT_NE(polyline, pairs.end());
        EXPECT_NE(std::find(polyline, polyline + 8, std::pair(70, std::string("1"))), polyline + 8);  // closed
        const auto end = std::find(polyline, pairs.end(), std::pair(0, std::string("SEQEND")));
        EXPECT_EQ(std::count(polyline, end, std::pair(0, std::string("VERTEX"))), static_cast<long>(d.outline.size()));
        EXPECT_EQ(std::count(end, pairs.end(), std::pair(0, std::string("LINE"))), 2);
        const auto firstX = std::find_if(polyline + 1, end, [](const auto& p) { return p.second == "VERTEX"; }) + 2;
        EXPECT_EQ(*firstX, std::pair(10, std::string("100.000000")));
    }
}

TEST(SectionDrawing, PdfCrossReferencesAndPageSize)
{
    const std::string pdf = pdfDrawingText(drawing(100, 0));
    EXPECT_EQ(pdf.rfind("%PDF-1.4\n", 0), 0u);
    const std::size_t xref = static_cast<std::size_t>(number(pdf, "startxref\n"));
    ASSERT_EQ(pdf.compare(xref, 5, "xref\n"), 0);
    const std::vector<std::string> table = linesOf(pdf.substr(xref));
    ASSERT_EQ(table[1], "0 6");
    for (int object = 1; object <= 5; ++object) {
        const std::string& entry = table[static_cast<std::size_t>(2 + object)];
        ASSERT_EQ(entry.size(), 19u);  // and its line end: 20 bytes
        const std::size_t offset = std::stoul(entry.substr(0, 10));
        EXPECT_EQ(pdf.compare(offset, 8, std::to_string(object) + " 0 obj\n"), 0) << object;
    }
    const std::size_t stream = pdf.find("stream\n") + 7;
    EXPECT_EQ(pdf.compare(stream + static_cast<std::size_t>(number(pdf, "/Length ")), 10, "endstream\n"), 0);
    // 110 mm across (the chord and its margins) at 72/25.4 points a millimetre.
    EXPECT_NEAR(number(pdf, "/MediaBox [0 0 "), 110 * 72 / 25.4, 0.01);
    EXPECT_NE(pdf.find("/Title (KT \\(12 %\\) <&>)"), std::string::npos);
}

}  // namespace
}  // namespace folix
