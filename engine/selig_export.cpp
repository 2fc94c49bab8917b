#include "selig_export.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <string_view>
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
    const std::string digits = fixedText(v, kDecimals);
    if (digits.front() != '-') text += ' ';
    text += digits;
}

// The shown value with at most `digits` significant digits, in the exponent
// form ("1.2E+20") when that is shorter.
std::string shownText(double v, int digits)
{
    const double shown = roundForDisplay(v);
    if (shown == 0) return "0";
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, shown, std::chars_format::general, digits).ptr;
    std::string written(text, end);
    std::replace(written.begin(), written.end(), 'e', 'E');
    return written;
}

void appendPoint(std::string& text, const SectionPoint& p)
{
    appendFixed(text, p.x);
    text += ' ';
    appendFixed(text, p.y);
}

}  // namespace

bool isSeligPointCount(long long points)
{
    return points >= kFewestSeligPoints && points <= kMostSeligPoints && points % 2 == 1;
}

std::vector<double> seligPointAngles(int points)
{
    if (!isSeligPointCount(points)) throw std::invalid_argument("point count must be odd, from 5 to 100001");

    // Step j = 0 is the leading edge, j = steps/2 the trailing edge.
    const int steps = points - 1;
    const int trailingEdge = steps / 2;
    const Real pi = 4 * atan(1);
    const Real DTETA = (2 * pi) / steps;
    const auto TETA = [&](int j) { return (j * DTETA).value(); };

    std::vector<double> angles;
    angles.reserve(static_cast<std::size_t>(points));
    angles.push_back(pi.value());
    for (int j = trailingEdge - 1; j >= 0; --j) angles.push_back(TETA(j));     // upper surface
    for (int j = steps - 1; j > trailingEdge; --j) angles.push_back(TETA(j));  // lower surface
    angles.push_back(pi.value());
    return angles;
}

bool isTrailingEdgeAngle(double TETA)
{
    const Real theta = checked(TETA);
    return abs(cos(theta / 2)) <= abs(theta) * std::numeric_limits<double>::epsilon();
}

std::vector<SectionPoint> outlinePoints(double F, double G, double EM, const std::vector<double>& circleAngles)
{
    const double B = chordNormalisingScale(F, EM);
    std::vector<SectionPoint> outline;
    outline.reserve(circleAngles.size());
    for (const double angle : circleAngles) {
        if (isTrailingEdgeAngle(angle)) {
            outline.push_back(kTrailingEdge);
            continue;
        }
        const MappedPoint point = mapCirclePoint(F, G, EM, angle, B);
        outline.push_back({outlineX(point.x, EM, B), point.y});
    }
    return outline;
}

std::vector<SectionPoint> seligPoints(double F, double G, double EM, int points)
{
    return outlinePoints(F, G, EM, seligPointAngles(points));
}

std::string seligName(const MappedSection& section)
{
    std::string family = section.family;
    const std::string_view word = " AIRFOIL";
    if (family.ends_with(word)) family.resize(family.size() - word.size());
    const auto line = [&](const auto& text) {
        return family + " F=" + text(section.F) + " G=" + text(section.G) + " m=" + text(section.EM);
    };
    std::string name = line([](double v) { return displayText(v); });
    for (int digits = 6; name.size() > kLongestSeligName && digits >= 1; --digits)
        name = line([digits](double v) { return shownText(v, digits); });
    return name.substr(0, kLongestSeligName);
}

std::string seligText(const std::string& name, const std::vector<SectionPoint>& points)
{
    std::string text = name;
    text += '\n';
    text.reserve(text.size() + points.size() * 2 * (kDecimals + 5));
    for (const auto& p : points) {
        appendPoint(text, p);
        text += '\n';
    }
    return text;
}

std::string seligText(const MappedSection& section, int points)
{
    return seligText(seligName(section), seligPoints(section.F, section.G, section.EM, points));
}

std::string seligText(const DesignState& design, int points) { return seligText(mappedSection(design), points); }

std::string seligPressureText(const std::string& name, const std::vector<SectionPoint>& points,
                              const std::vector<double>& Cp)
{
    if (Cp.size() != points.size()) throw std::invalid_argument("one pressure coefficient per point");
    std::string text = name;
    text += '\n';
    text.reserve(text.size() + points.size() * 3 * (kDecimals + 5));
    for (std::size_t i = 0; i < points.size(); ++i) {
        appendPoint(text, points[i]);
        text += ' ';
        appendFixed(text, Cp[i]);
        text += '\n';
    }
    return text;
}

}  // namespace folix
