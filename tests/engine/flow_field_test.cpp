#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

#include "engine/flow_field.h"
#include "engine/section_analysis.h"
#include "engine/selig_export.h"
#include "engine/streamlines.h"

namespace folix {
namespace {

struct Section {
    double F, G, EM;
};

// 12 %, 2 %, 10 deg; 10 % symmetric Joukowsky (cusp); 15 %, 4 %, 18 deg; a re-entrant m > 2.
const Section kSections[] = {{0.070304405967124839, 0.043769303782416197, 1.9444444444444444},
                             {0.0835416, 0.0, 2.0},
                             {0.069194885618556384, 0.088779530639886917, 1.9},
                             {0.08, 0.04, 2.05556}};
const double kAlphas[] = {-12.0, 0.0, 4.0, 17.5};

std::string describe(const Section& s, double alpha)
{
    return "F=" + std::to_string(s.F) + " G=" + std::to_string(s.G) + " m=" + std::to_string(s.EM) +
           " alpha=" + std::to_string(alpha);
}

// A circle-plane point a share farther from the circle's centre than the surface point at theta.
PlanePoint offCircle(const FlowField& field, double theta, double share)
{
    const PlanePoint p = field.circlePoint(theta);
    return {-field.F() + (p.x + field.F()) * (1 + share), field.G() + (p.y - field.G()) * (1 + share)};
}

// Beyond m = 2 the outline crosses itself behind mid-chord and the flow
// covers the points there twice: the way back may take the other sheet.
bool coveredTwice(const Section& s, double theta)
{
    return s.EM > 2 && std::fabs(theta) > 2 * std::atan(1.0);
}

TEST(FlowField, MapAgreesWithTheOutlineAndInvertsOutside)
{
    for (const Section& s : kSections) {
        const FlowField field(s.F, s.G, s.EM, 0);
        const std::vector<double> angles = seligCircleAngles(201);
        const std::vector<SectionPoint> outline = outlinePoints(s.F, s.G, s.EM, angles);
        for (std::size_t k = 0; k < angles.size(); ++k) {
            const PlanePoint mapped = field.toSection(field.circlePoint(angles[k]));
            EXPECT_NEAR(mapped.x, outline[k].x, 4e-16) << describe(s, 0) << " k=" << k;
            EXPECT_NEAR(mapped.y, outline[k].y, 4e-16) << describe(s, 0) << " k=" << k;
            if (coveredTwice(s, angles[k])) continue;
            for (const double share : {1e-6, 0.05, 3.0}) {
                const PlanePoint c = offCircle(field, angles[k], share);
                const std::optional<PlanePoint> back = field.toCircle(field.toSection(c));
                ASSERT_TRUE(back) << describe(s, 0) << " k=" << k;
                EXPECT_NEAR(back->x, c.x, 1e-9) << describe(s, 0) << " k=" << k;
                EXPECT_NEAR(back->y, c.y, 1e-9) << describe(s, 0) << " k=" << k;
            }
        }
        // Within the thickness at 30 % chord, and at the point zeta = 1 maps to.
        EXPECT_FALSE(field.sectionSample({0.3, (outline[70].y + outline[130].y) / 2}));
        EXPECT_FALSE(field.toCircle({1 - 2 * s.EM * field.scale(), 0}));
    }
}

TEST(FlowField, SurfaceFlowAgreesWithTheSectionAnalysis)
{
    for (const Section& s : kSections) {
        std::vector<double> angles = seligCircleAngles(401);
        if (s.EM > 2) angles = std::vector<double>(angles.begin() + 1, angles.end() - 1);  // no finite speed at the edge
        const SectionAnalysis analysis(s.F, s.G, s.EM, angles);
        for (const double alpha : kAlphas) {
            const FlowField field(s.F, s.G, s.EM, alpha);
            EXPECT_NEAR(field.liftCoefficient(), analysis.liftCoefficient(alpha), 1e-14) << describe(s, alpha);
            const std::vector<double> Cp = analysis.pressureCoefficients(alpha);
            for (std::size_t k = 0; k < angles.size(); ++k) {
                EXPECT_NEAR(field.surfaceCp(angles[k]), Cp[k], 1e-10 * (1 + std::fabs(Cp[k])))
                    << describe(s, alpha) << " k=" << k;
                // The field next to the surface: psi 0 there, and the surface's pressure.
                if (isTrailingEdgeAngle(angles[k]) || coveredTwice(s, angles[k])) continue;
                const std::optional<FlowSample> near = field.sectionSample(field.toSection(offCircle(field, angles[k], 1e-9)));
                ASSERT_TRUE(near) << describe(s, alpha) << " k=" << k;
                EXPECT_NEAR(near->psi, 0, 1e-8) << describe(s, alpha) << " k=" << k;
                EXPECT_NEAR(near->Cp, Cp[k], 1e-6 * (1 + std::fabs(Cp[k]))) << describe(s, alpha) << " k=" << k;
            }
            // At rest where the stagnation points are marked.
            for (const PlanePoint p : field.stagnationPoints(FlowPlane::Section))
                EXPECT_NEAR(field.sectionSample(p).value().speed, 0, 1e-6) << describe(s, alpha);
            for (const PlanePoint p : field.stagnationPoints(FlowPlane::Circle))
                EXPECT_NEAR(field.circleSample(p).value().speed, 0, 1e-12) << describe(s, alpha);
        }
    }
}

// Velocity against psi differenced, far-field free stream, and the
// circulation of the velocity around a loop against the lift.
TEST(FlowField, VelocityIsTheStreamFunctionsAndCarriesTheLift)
{
    for (const Section& s : kSections) {
        for (const double alpha : kAlphas) {
            const FlowField field(s.F, s.G, s.EM, alpha);
            const auto psi = [&](double x, double y) { return field.sectionSample({x, y})->psi; };
            for (const PlanePoint p : {PlanePoint{-0.2, 0.1}, PlanePoint{0.5, -0.15}, PlanePoint{1.2, 0.02}}) {
                const double h = 1e-6;
                const FlowSample at = *field.sectionSample(p);
                EXPECT_NEAR(at.u, (psi(p.x, p.y + h) - psi(p.x, p.y - h)) / (2 * h), 1e-6) << describe(s, alpha);
                EXPECT_NEAR(at.v, -(psi(p.x + h, p.y) - psi(p.x - h, p.y)) / (2 * h), 1e-6) << describe(s, alpha);
                EXPECT_NEAR(at.Cp, 1 - at.speed * at.speed, 1e-15);
            }
            const FlowSample far = *field.sectionSample({-4000, 3000});
            const double radians = alpha * 4 * std::atan(1.0) / 180;
            EXPECT_NEAR(far.u, std::cos(radians), 1e-3) << describe(s, alpha);
            EXPECT_NEAR(far.v, std::sin(radians), 1e-3) << describe(s, alpha);

            // Counterclockwise around the rectangle -1..2 by -1..1: minus the clockwise circulation.
            const PlanePoint corners[] = {{-1, -1}, {2, -1}, {2, 1}, {-1, 1}, {-1, -1}};
            const int steps = 2000;
            double circulation = 0;
            for (int side = 0; side < 4; ++side)
                for (int k = 0; k < steps; ++k) {
                    const PlanePoint a = corners[side];
                    const PlanePoint b = corners[side + 1];
                    const double t = (k + 0.5) / steps;
                    const FlowSample v = *field.sectionSample({a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)});
                    circulation += (v.u * (b.x - a.x) + v.v * (b.y - a.y)) / steps;
                }
            EXPECT_NEAR(-circulation, field.circulation(), 1e-6) << describe(s, alpha);
            EXPECT_NEAR(2 * field.circulation(), field.liftCoefficient(), 1e-15);
        }
    }
}

TEST(FlowField, TrailingEdgeAndRefusedSections)
{
    const Section& cusp = kSections[1];
    const FlowField joukowsky(cusp.F, cusp.G, cusp.EM, 6);
    EXPECT_NEAR(joukowsky.sectionSample({1, 0})->speed, std::cos(6 * std::atan(1.0) / 45) / joukowsky.radius(), 1e-15);
    const Section& wedge = kSections[0];
    EXPECT_EQ(FlowField(wedge.F, wedge.G, wedge.EM, 6).sectionSample({1, 0})->speed, 0);
    const Section& reentrant = kSections[3];
    EXPECT_THROW(FlowField(reentrant.F, reentrant.G, reentrant.EM, 6).sectionSample({1, 0}), ArithmeticError);

    EXPECT_THROW(FlowField(-0.01, 0, 1.9, 0), std::invalid_argument);
    EXPECT_THROW(FlowField(0.1, 0, 0, 0), std::invalid_argument);
    EXPECT_THROW(FlowField(0.1, 0, 1.9, std::nan("")), ArithmeticError);
}

TEST(Streamlines, FollowTheirLevelDownstreamOutsideTheSection)
{
    const PlaneBox box{-0.6, -0.55, 1.6, 0.55};
    for (const Section& s : kSections) {
        for (const double alpha : {-12.0, 4.0, 17.5}) {
            const FlowField field(s.F, s.G, s.EM, alpha);
            const std::vector<double> levels = streamlineLevels(field, box, 40);
            ASSERT_EQ(levels.size(), 40u);
            EXPECT_EQ(std::count(levels.begin(), levels.end(), 0.0), 1) << describe(s, alpha);
            const double spacing = levels[1] - levels[0];
            const PlaneBox circleBox{-s.F - 3, s.G - 1.5, -s.F + 3, s.G + 1.5};
            for (const auto& [plane, shown] : {std::pair{FlowPlane::Section, box}, std::pair{FlowPlane::Circle, circleBox}}) {
                const std::vector<Streamline> lines = traceStreamlines(field, plane, shown, levels);
                EXPECT_GE(lines.size(), plane == FlowPlane::Section ? 38u : 20u) << describe(s, alpha);
                EXPECT_EQ(std::count_if(lines.begin(), lines.end(), [](const Streamline& l) { return l.dividing; }), 2);
                for (const Streamline& line : lines)
                    for (std::size_t k = 1; k < line.points.size(); ++k) {
                        const PlanePoint p = line.points[k];
                        const std::optional<FlowSample> at =
                            plane == FlowPlane::Section ? field.sectionSample(p) : field.circleSample(p);
                        ASSERT_TRUE(at) << describe(s, alpha) << " psi=" << line.psi << " k=" << k;
                        EXPECT_NEAR(at->psi, line.psi, 1e-6 * spacing) << describe(s, alpha) << " k=" << k;
                        const PlanePoint step{p.x - line.points[k - 1].x, p.y - line.points[k - 1].y};
                        EXPECT_GE(step.x * at->u + step.y * at->v, -1e-15) << describe(s, alpha) << " k=" << k;
                    }
            }
        }
    }
}

}  // namespace
}  // namespace folix
