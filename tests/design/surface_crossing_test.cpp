#include <gtest/gtest.h>

#include <algorithm>

#include "design/design_status.h"
#include "engine/selig_export.h"
#include "window/typed_inputs.h"

namespace folix {
namespace {

// The first x/c, from the leading edge, where the upper surface of a dense
// outline lies below the lower one at the same x (linear between points).
std::optional<double> crossingOnOutline(const DesignRecord& r)
{
    constexpr int kPoints = 20001;  // at most 0.00016 chord apart, far closer near the edges
    const std::vector<SectionPoint> outline = seligPoints(r.F, r.G, r.m, kPoints);
    std::vector<SectionPoint> upper(outline.begin(), outline.begin() + kPoints / 2 + 1);
    std::reverse(upper.begin(), upper.end());
    const std::vector<SectionPoint> lower(outline.begin() + kPoints / 2, outline.end());
    std::size_t j = 1;
    for (const SectionPoint& p : upper) {
        while (j + 1 < lower.size() && lower[j].x < p.x) ++j;
        if (lower[j - 1].x > p.x || lower[j].x < p.x || lower[j].x == lower[j - 1].x) continue;
        const double share = (p.x - lower[j - 1].x) / (lower[j].x - lower[j - 1].x);
        if (p.y < lower[j - 1].y + share * (lower[j].y - lower[j - 1].y)) return p.x;
    }
    return std::nullopt;
}

TEST(SurfaceCrossing, NegativeAnglesCrossFromWhereTheOutlineShowsAndNoOtherSectionDoes)
{
    struct Case {
        TypedInputs inputs;
        std::optional<double> from;  // to 0.001
    };
    const Case cases[] = {
        {{"0.12", "0", "-10"}, 0.887},
        {{"0.06", "0.02", "-20"}, 0.097},
        {{"0.12", "0.02", "-0.5"}, 0.9995},  // the last 0.0005 chord
        {{"0.3", "0.1", "-30"}, 0.882},
        {{"0.12", "0.02", "10"}, std::nullopt},
        {{"0.08", "0", "0"}, std::nullopt},
        {{"0.08", "0.05", "0"}, std::nullopt},
        {{"0.08", "0.05", "15"}, std::nullopt},
        {{"0.2", "0.05", "15"}, std::nullopt},
        {{"0.6", "0.15", "20"}, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.inputs.delta + " " + c.inputs.gamma + " " + c.inputs.tau);
        const DesignOutcome o = typedDesignOutcome(c.inputs);
        ASSERT_TRUE(converged(o));
        const std::optional<double> sampled = crossingOnOutline(o.record);
        ASSERT_EQ(o.surfacesCrossFrom.has_value(), c.from.has_value());
        ASSERT_EQ(sampled.has_value(), c.from.has_value());
        if (!c.from) continue;
        EXPECT_NEAR(*o.surfacesCrossFrom, *c.from, 0.0005);
        EXPECT_NEAR(*sampled, *o.surfacesCrossFrom, 0.0002);
        EXPECT_GE(*sampled, *o.surfacesCrossFrom);
    }
}

}  // namespace
}  // namespace folix
