#include "selig_export.h"

#include <array>
#include <charconv>
#include <stdexcept>

#include "contour_mapping.h"
#include "number_text.h"
#include "real.h"

namespace folix {

namespace {

constexpr SectionPoint kTrailingEdge{1.0, 0.0};
constexpr int kDecimals = 10;

// Fixed decimals after a sign column, so the columns line up; a value that
// rounds to zero is written without a sign.
void appendFixed(std::string& text, double v)
{
    std::array<char, 400> buffer{};
    const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), v, std::chars_format::fixed, kDecimals).ptr;
    std::string_view digits(buffer.data(), static_cast<std::size_t>(end - buffer.data()));
    if (digits.front() == '-' && digits.find_first_not_of("-0.") == std::string_view::npos) digits.remove_prefix(1);
    if (digits.front() != '-') text += ' ';
    text += digits;
}

}  // namespace

bool isSeligPointCount(long long points)
{
    return points >= kFewestSeligPoints && points <= kMostSeligPoints && points % 2 == 1;
}

std::vector<SectionPoint> seligPoints(double F, double G, double EM, int points)
{
    if (!isSeligPointCount(points)) throw std::invalid_argument("point count must be odd, from 5 to 100001");

    // Circle angle j·DTETA: j = 0 is the leading edge, j = steps/2 the trailing edge.
    const int steps = points - 1;
    const int trailingEdge = steps / 2;
    double B = chordNormalisingScale(F, EM);
    const Real pi = 4 * atan(1);
    const Real DTETA = (2 * pi) / steps;

    DesignState scratch;
    auto sectionPoint = [&](int j) {
        double TETA = (j * DTETA).value();
        int I = 1;
        XY(scratch, F, G, EM, TETA, I, B);
        // The window's normalisation: leading edge to 0, trailing edge to 1.
        const Real x = (1 - Real(scratch.XU[I])) - Real(EM) * B;
        return SectionPoint{x.value(), scratch.YU[I]};
    };

    std::vector<SectionPoint> outline;
    outline.reserve(static_cast<std::size_t>(points));
    outline.push_back(kTrailingEdge);
    for (int j = trailingEdge - 1; j >= 0; --j) outline.push_back(sectionPoint(j));           // upper surface
    for (int j = steps - 1; j > trailingEdge; --j) outline.push_back(sectionPoint(j));        // lower surface
    outline.push_back(kTrailingEdge);
    return outline;
}

std::string seligName(const DesignState& design)
{
    return design.AirfoilType + "  F=" + displayText(design.F) + "  G=" + displayText(design.G) +
           "  m=" + displayText(design.EM);
}

std::string seligText(const std::string& name, const std::vector<SectionPoint>& points)
{
    std::string text = name;
    text += '\n';
    text.reserve(text.size() + points.size() * 2 * (kDecimals + 5));
    for (const auto& p : points) {
        appendFixed(text, p.x);
        text += ' ';
        appendFixed(text, p.y);
        text += '\n';
    }
    return text;
}

std::string seligText(const DesignState& design, int points)
{
    return seligText(seligName(design), seligPoints(design.F, design.G, design.EM, points));
}

}  // namespace folix
