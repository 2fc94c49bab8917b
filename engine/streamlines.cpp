#include "streamlines.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "real.h"

namespace folix {

namespace {

constexpr int kEdgeSamples = 120;        // per side of the box
constexpr int kBisections = 40;
constexpr double kStepsAcrossBox = 400;  // the step in the plane shown: the box's larger side over this
constexpr int kMostPoints = 20000;
constexpr int kNewtonSteps = 4;
constexpr double kSharpestTurn = 0.2;    // radians between successive segments, unless the segment is tiny
constexpr double kStagnationOffset = 1e-3;  // of the radius, off the surface, to leave a stagnation point

double length(PlanePoint p) { return std::hypot(p.x, p.y); }
PlanePoint minus(PlanePoint p, PlanePoint q) { return {p.x - q.x, p.y - q.y}; }
PlanePoint along(PlanePoint p, PlanePoint d, double s) { return {p.x + s * d.x, p.y + s * d.y}; }

// The box's edge walked counterclockwise, the inside on the left: the flow
// enters where psi falls along the walk, as psi grows to the left of the flow.
std::vector<PlanePoint> edgeWalk(const PlaneBox& box)
{
    const PlanePoint corners[] = {{box.left, box.bottom}, {box.right, box.bottom}, {box.right, box.top},
                                  {box.left, box.top}, {box.left, box.bottom}};
    std::vector<PlanePoint> walk;
    walk.reserve(4 * kEdgeSamples + 1);
    for (int side = 0; side < 4; ++side)
        for (int k = 0; k < kEdgeSamples; ++k) {
            const double t = static_cast<double>(k) / kEdgeSamples;
            const PlanePoint from = corners[side];
            const PlanePoint to = corners[side + 1];
            walk.push_back({from.x + t * (to.x - from.x), from.y + t * (to.y - from.y)});
        }
    walk.push_back(corners[4]);
    return walk;
}

class Tracer {
public:
    Tracer(const FlowField& field, FlowPlane plane, const PlaneBox& box)
        : field_(field), plane_(plane),
          step_(std::max(box.width(), box.height()) / kStepsAcrossBox),
          // A start on the edge may land just outside it on its level.
          reach_{box.left - step_, box.bottom - step_, box.right + step_, box.top + step_}
    {
    }

    // The circle-plane point of a point of the box's plane; none inside the section.
    std::optional<PlanePoint> circlePointOf(PlanePoint p) const
    {
        if (plane_ == FlowPlane::Circle) return field_.outsideCircle(p) ? std::optional(p) : std::nullopt;
        return field_.toCircle(p);
    }

    PlanePoint shown(PlanePoint circlePoint) const
    {
        return plane_ == FlowPlane::Circle ? circlePoint : field_.toSection(circlePoint);
    }

    std::optional<double> psiAt(PlanePoint p) const
    {
        try {
            const std::optional<PlanePoint> c = circlePointOf(p);
            if (!c) return std::nullopt;
            return field_.streamGradient(*c).psi;
        } catch (const ArithmeticError&) {
            return std::nullopt;
        }
    }

    // From p0 (psi above the level) to p1 (psi at or below it) along the edge.
    PlanePoint crossing(PlanePoint p0, PlanePoint p1, double level) const
    {
        for (int i = 0; i < kBisections; ++i) {
            const PlanePoint middle{(p0.x + p1.x) / 2, (p0.y + p1.y) / 2};
            const std::optional<double> psi = psiAt(middle);
            if (!psi) return p0;
            (*psi > level ? p0 : p1) = middle;
        }
        return p0;
    }

    Streamline follow(double level, PlanePoint start, double direction, std::optional<PlanePoint> shownStart) const;

private:
    struct Step {
        bool stagnant = false;  // no direction to go on
        bool taken = false;     // false: too long, too sharp or off the level; try a shorter one
        PlanePoint circlePoint{};
        PlanePoint shownPoint{};

        static Step stagnation() { return {true, false, {}, {}}; }
        static Step refused() { return {}; }
    };

    // One midpoint step of length s in the circle plane, put back on the
    // level, judged by what it does in the plane shown. A step into a place
    // where the field has no finite value is not taken.
    Step tryStep(PlanePoint c, double level, double direction, double s, PlanePoint shownFrom,
                                std::optional<PlanePoint> lastDirection) const
    {
        try {
            const std::optional<PlanePoint> d1 = heading(c, direction);
            if (!d1) return Step::stagnation();
            const std::optional<PlanePoint> d2 = heading(along(c, *d1, s / 2), direction);
            if (!d2) return Step::stagnation();
            const PlanePoint predicted = along(c, *d2, s);
            const PlanePoint candidate = onLevel(predicted, level);
            if (length(minus(candidate, predicted)) > 0.3 * s || !field_.outsideCircle(candidate)) return Step::refused();
            const PlanePoint next = shown(candidate);
            const PlanePoint segment = minus(next, shownFrom);
            const double travelled = length(segment);
            const bool sharp = lastDirection && travelled > step_ / 16 &&
                               (segment.x * lastDirection->x + segment.y * lastDirection->y) / travelled <
                                   std::cos(kSharpestTurn);
            if (travelled > 2 * step_ || sharp) return Step::refused();
            return Step{false, true, candidate, next};
        } catch (const ArithmeticError&) {
            return Step::refused();
        }
    }

    // The unit velocity direction in the circle plane (times direction).
    std::optional<PlanePoint> heading(PlanePoint c, double direction) const
    {
        const FlowField::StreamGradient g = field_.streamGradient(c);
        const double norm = std::hypot(g.dx, g.dy);
        if (!(norm > 0)) return std::nullopt;
        return PlanePoint{direction * g.dy / norm, -direction * g.dx / norm};
    }

    // Back onto the level along the gradient.
    PlanePoint onLevel(PlanePoint c, double level) const
    {
        for (int i = 0; i < kNewtonSteps; ++i) {
            const FlowField::StreamGradient g = field_.streamGradient(c);
            const double norm2 = g.dx * g.dx + g.dy * g.dy;
            if (!(norm2 > 0)) break;
            const double excess = g.psi - level;
            c = {c.x - excess * g.dx / norm2, c.y - excess * g.dy / norm2};
            if (std::fabs(excess) <= 1e-13 * (1 + std::fabs(level))) break;
        }
        return c;
    }

    const FlowField& field_;
    FlowPlane plane_;
    double step_;
    PlaneBox reach_;
};

Streamline Tracer::follow(double level, PlanePoint start, double direction, std::optional<PlanePoint> shownStart) const
{
    Streamline line{level, level == 0, {}};
    const double radius = field_.radius();
    const double largestStep = 0.1 * radius;
    const double smallestStep = 1e-7 * radius;
    // Far away z ~ B zeta: a first guess of the circle-plane step.
    double s = plane_ == FlowPlane::Circle ? step_ : step_ / field_.scale();
    s = std::min(s, largestStep);

    if (shownStart) line.points.push_back(*shownStart);
    PlanePoint c;
    try {
        c = onLevel(start, level);
        line.points.push_back(shown(c));
    } catch (const ArithmeticError&) {
        return line;
    }
    std::optional<PlanePoint> lastDirection;

    while (static_cast<int>(line.points.size()) < kMostPoints && reach_.contains(line.points.back())) {
        const Step step = tryStep(c, level, direction, s, line.points.back(), lastDirection);
        if (step.stagnant) break;
        if (!step.taken) {
            s /= 2;
            if (s < smallestStep) break;
            continue;
        }
        c = step.circlePoint;
        line.points.push_back(step.shownPoint);
        const PlanePoint segment = minus(step.shownPoint, line.points[line.points.size() - 2]);
        const double travelled = length(segment);
        if (travelled > 0) {
            lastDirection = PlanePoint{segment.x / travelled, segment.y / travelled};
            s = std::min(s * std::min(1.5, step_ / travelled), largestStep);
        } else {
            s = std::min(2 * s, largestStep);
        }
    }
    return line;
}

}  // namespace

std::vector<double> streamlineLevels(const FlowField& field, const PlaneBox& sectionBox, int count)
{
    const Tracer tracer(field, FlowPlane::Section, sectionBox);
    std::optional<double> lowest;
    std::optional<double> highest;
    for (const PlanePoint p : edgeWalk(sectionBox)) {
        const std::optional<double> psi = tracer.psiAt(p);
        if (!psi) continue;
        lowest = std::min(lowest.value_or(*psi), *psi);
        highest = std::max(highest.value_or(*psi), *psi);
    }
    std::vector<double> levels;
    if (count < 1 || !lowest || !(*highest > *lowest)) return levels;
    // count + 1 gaps: every level strictly inside the range, 0 a whole number of gaps away.
    const Real spacing = (Real(*highest) - *lowest) / (count + 1);
    const double first = std::floor((Real(*lowest) / spacing).value()) + 1;
    for (int k = 0; k < count; ++k) levels.push_back(((first + k) * spacing).value());
    return levels;
}

std::vector<Streamline> traceStreamlines(const FlowField& field, FlowPlane plane, const PlaneBox& box,
                                         const std::vector<double>& levels)
{
    const Tracer tracer(field, plane, box);
    std::vector<Streamline> lines;

    // psi along the edge, then every place where a level falls along the walk.
    const std::vector<PlanePoint> walk = edgeWalk(box);
    std::vector<std::optional<double>> psi;
    psi.reserve(walk.size());
    for (const PlanePoint p : walk) psi.push_back(tracer.psiAt(p));
    for (const double level : levels) {
        if (level == 0) continue;
        for (std::size_t k = 0; k + 1 < walk.size(); ++k) {
            if (!psi[k] || !psi[k + 1] || !(*psi[k] > level && *psi[k + 1] <= level)) continue;
            try {
                const std::optional<PlanePoint> start = tracer.circlePointOf(tracer.crossing(walk[k], walk[k + 1], level));
                if (!start) continue;
                Streamline line = tracer.follow(level, *start, 1, std::nullopt);
                if (line.points.size() > 1) lines.push_back(std::move(line));
            } catch (const ArithmeticError&) {
                continue;  // no finite flow where it enters: that piece is left out
            }
        }
    }

    if (std::find(levels.begin(), levels.end(), 0.0) == levels.end()) return lines;
    // The dividing streamlines leave the circle along its normal.
    const double offset = kStagnationOffset * field.radius();
    const PlanePoint centre{-field.F(), field.G()};
    const PlanePoint front = field.frontStagnationCirclePoint();
    const PlanePoint rear{1, 0};
    for (const auto& [point, direction] : {std::pair{front, -1.0}, std::pair{rear, 1.0}}) {
        const PlanePoint outward = minus(point, centre);
        const PlanePoint start = along(point, outward, offset / length(outward));
        try {
            Streamline line = tracer.follow(0, start, direction, tracer.shown(point));
            if (direction < 0) std::reverse(line.points.begin(), line.points.end());
            if (line.points.size() > 1) lines.push_back(std::move(line));
        } catch (const ArithmeticError&) {
            continue;
        }
    }
    return lines;
}

}  // namespace folix
