#include <gtest/gtest.h>

#include "design/design_status.h"
#include "engine/selig_export.h"
#include "window/typed_inputs.h"

namespace folix {
namespace {

// The first x/c where the upper surface of a dense outline lies below the lower one.
std::optional<double> crossingOnOutline(const DesignRecord& r)
{
    constexpr int kPoints = 20001;  // at most 0.00016 chord apart, far closer near the edges
    const std::vector<SectionPoint> outline = seligPoints(r.F, r.G, r.m, kPoints);
    const std::vector<SectionPoint> upper(outline.rend() - kPoints / 2 - 1, outline.rend());  // leading edge first
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

TEST(SurfaceCrossing, NegativeAnglesCrossFromWhereADenseOutlineShowsAndNoOtherSectionDoes)
{
    const std::pair<TypedInputs, std::optional<double>> cases[] = {
        {{"0.12", "0", "-10"}, 0.887}, {{"0.06", "0.02", "-20"}, 0.097}, {{"0.12", "0.02", "-0.5"}, 0.9995},
        {{"0.3", "0.1", "-30"}, 0.882}, {{"0.12", "0.02", "10"}, {}},     {{"0.08", "0", "0"}, {}},
        {{"0.08", "0.05", "0"}, {}},    {{"0.08", "0.05", "15"}, {}},     {{"0.2", "0.05", "15"}, {}},
        {{"0.6", "0.15", "20"}, {}}};
    for (const auto& [inputs, from] : cases) {
        SCOPED_TRACE(inputs.delta + " " + inputs.gamma + " " + inputs.tau);
        const DesignOutcome o = typedDesignOutcome(inputs);
        const std::optional<double> sampled = crossingOnOutline(o.record);
        ASSERT_EQ(o.surfacesCrossFrom.has_value(), from.has_value());
        ASSERT_TRUE(converged(o) && sampled.has_value() == from.has_value());
        if (!from) continue;
        EXPECT_NEAR(*o.surfacesCrossFrom, *from, 0.0005);
        EXPECT_TRUE(*sampled >= *o.surfacesCrossFrom && *sampled - *o.surfacesCrossFrom < 0.0002) << *sampled;
    }
}

}  // namespace
}  // namespace folix
