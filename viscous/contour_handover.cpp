#include "contour_handover.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <sstream>
#include <stdexcept>

namespace folix {

namespace {

// XFOIL writes seven significant digits: half a unit of the last is below
// this for coordinates of a unit chord.
constexpr double kSavedRounding = 1e-6;

double distance(const SectionPoint& a, const SectionPoint& b)
{
    return std::sqrt((a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y));
}

double distanceToSegment(const SectionPoint& p, const SectionPoint& a, const SectionPoint& b)
{
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double length2 = dx * dx + dy * dy;
    if (length2 == 0) return distance(p, a);
    const double t = std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / length2, 0.0, 1.0);
    return distance(p, {a.x + t * dx, a.y + t * dy});
}

// How far a smooth curve through an outline's points may stray from the
// straight lines between them, per point: its distance from the chord of its
// two neighbours, a few times the sag of such a curve over one interval.
std::vector<double> curvatureRoom(const std::vector<SectionPoint>& outline)
{
    std::vector<double> room(outline.size(), 0.0);
    for (std::size_t i = 1; i + 1 < outline.size(); ++i)
        room[i] = distanceToSegment(outline[i], outline[i - 1], outline[i + 1]);
    return room;
}

// By how much the point misses the outline: its distance from the nearest
// segment less the room the curvature at that segment's ends gives.
double excessOverOutline(const SectionPoint& p, const std::vector<SectionPoint>& outline,
                         const std::vector<double>& room)
{
    double excess = distance(p, outline.front());
    for (std::size_t i = 1; i < outline.size(); ++i)
        excess = std::min(excess, distanceToSegment(p, outline[i - 1], outline[i]) - std::max(room[i - 1], room[i]));
    return excess;
}

double extent(const std::vector<SectionPoint>& points)
{
    const auto [left, right] = std::minmax_element(points.begin(), points.end(),
                                                   [](const auto& a, const auto& b) { return a.x < b.x; });
    const auto [low, high] = std::minmax_element(points.begin(), points.end(),
                                                 [](const auto& a, const auto& b) { return a.y < b.y; });
    return std::max(right->x - left->x, high->y - low->y);
}

std::string rightTrimmed(std::string_view text)
{
    const auto end = text.find_last_not_of(" \t\r");
    return std::string(text.substr(0, end == std::string_view::npos ? 0 : end + 1));
}

std::string shortText(double value)
{
    std::ostringstream text;
    text.precision(3);
    text << value;
    return text.str();
}

// The first point of `points` that misses `outline` by more than the
// rounding: its index and by how much, or index npos.
std::pair<std::size_t, double> firstStray(const std::vector<SectionPoint>& points,
                                          const std::vector<SectionPoint>& outline, double rounding)
{
    const std::vector<double> room = curvatureRoom(outline);
    for (std::size_t i = 0; i < points.size(); ++i) {
        const double excess = excessOverOutline(points[i], outline, room);
        if (!(excess <= rounding)) return {i, excess};
    }
    return {std::string::npos, 0.0};
}

}  // namespace

bool readNumbers(std::string_view line, std::vector<double>& numbers)
{
    numbers.clear();
    std::size_t at = 0;
    for (;;) {
        at = line.find_first_not_of(" \t\r", at);
        if (at == std::string_view::npos) return true;
        const auto end = std::min(line.find_first_of(" \t\r", at), line.size());
        double value = 0;
        const auto [stop, error] = std::from_chars(line.data() + at, line.data() + end, value);
        if (error != std::errc() || stop != line.data() + end) return false;
        numbers.push_back(value);
        at = end;
    }
}

void checkContour(const std::vector<SectionPoint>& contour)
{
    if (contour.size() < 5) throw std::invalid_argument("a contour needs at least 5 points");
    for (const auto& p : contour)
        if (!std::isfinite(p.x) || !std::isfinite(p.y)) throw std::invalid_argument("a contour point is not finite");
    if (!(extent(contour) > 0)) throw std::invalid_argument("the contour's points all coincide");
}

std::vector<SectionPoint> xfoilContour(const std::vector<SectionPoint>& contour)
{
    if (contour.size() <= kMostXfoilPoints) return contour;
    std::vector<SectionPoint> fed;
    fed.reserve(kMostXfoilPoints);
    const std::size_t last = contour.size() - 1;
    for (std::size_t k = 0; k < kMostXfoilPoints; ++k)
        fed.push_back(contour[(k * last + (kMostXfoilPoints - 1) / 2) / (kMostXfoilPoints - 1)]);
    return fed;
}

std::string xfoilName(std::string_view name)
{
    std::string kept;
    for (const char c : name) kept += (c >= ' ' && c <= '~') ? c : '_';
    const auto first = kept.find_first_not_of(' ');
    kept = first == std::string::npos ? "section" : rightTrimmed(kept.substr(first));
    const char lead = kept.front();
    const bool letter = (lead >= 'A' && lead <= 'Z') || (lead >= 'a' && lead <= 'z');
    if (!letter || lead == 'T' || lead == 't' || lead == 'F' || lead == 'f') kept.insert(0, "_");
    return rightTrimmed(kept.substr(0, kXfoilNameLength));
}

std::string contourMismatch(std::string_view saved, const std::string& name, const std::vector<SectionPoint>& fed,
                            std::size_t panelNodes)
{
    const auto nameEnd = saved.find('\n');
    if (nameEnd == std::string_view::npos) return "XFOIL saved no contour";
    const std::string savedName = rightTrimmed(saved.substr(0, nameEnd));
    if (savedName != name) return "XFOIL's airfoil is named \"" + savedName + "\", not \"" + name + "\"";

    std::vector<SectionPoint> points;
    std::vector<double> numbers;
    std::istringstream lines{std::string(saved.substr(nameEnd + 1))};
    for (std::string line; std::getline(lines, line);) {
        if (line.find_first_not_of(" \t\r") == std::string::npos) continue;
        if (!readNumbers(line, numbers) || numbers.size() != 2 || !std::isfinite(numbers[0]) ||
            !std::isfinite(numbers[1]))
            return "XFOIL's saved contour has an unreadable line";
        points.push_back({numbers[0], numbers[1]});
    }
    if (points.size() != panelNodes)
        return "XFOIL re-panelled the contour with " + std::to_string(points.size()) + " nodes, not " +
               std::to_string(panelNodes);

    const double rounding = kSavedRounding * std::max(1.0, extent(fed));
    const auto [ours, ourDistance] = firstStray(points, fed, rounding);
    if (ours != std::string::npos)
        return "XFOIL's contour is not the one given: its point " + std::to_string(ours + 1) + " strays " +
               shortText(ourDistance) + " from the outline";
    const auto [theirs, theirDistance] = firstStray(fed, points, rounding);
    if (theirs != std::string::npos)
        return "XFOIL's contour is not the one given: point " + std::to_string(theirs + 1) + " of the outline strays " +
               shortText(theirDistance) + " from it";
    return "";
}

}  // namespace folix
