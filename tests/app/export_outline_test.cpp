#include <gtest/gtest.h>

#include <cmath>

#include "engine/selig_export.h"
#include "design/profile_tables.h"
#include "design/outline.h"

namespace folix {
namespace {

// With 102 angle steps every second export point is a sample of the window's
// 51-step outline: the same angle, mapping and normalisation, bit for bit.
TEST(ExportOutline, EverySecondPointIsTheWindowsOutline)
{
    struct Case {
        double F, G, EM;
    };
    const Case cases[] = {{0.0703044, 0.0437693, 2.0 - 1.0 / 18}, {0.1, 0.0, 2.0}, {0.08, 0.04, 1.9}};
    for (const auto& c : cases) {
        DesignState window;
        window.Pi = 4 * std::atan(1.0);
        window.F = c.F;
        window.G = c.G;
        window.EM = c.EM;
        fillProfileTables(window);

        const auto points = seligPoints(c.F, c.G, c.EM, 103);
        const int middle = 51;  // the leading edge, sample 1
        for (int I = 1; I <= 51; ++I) {
            const int j = 2 * (I - 1);  // export angle step of sample I
            const int s = j < middle ? middle - j : 3 * middle - j;
            const auto& p = points[static_cast<std::size_t>(s)];
            EXPECT_EQ(p.x, window.XU[I]) << "sample " << I;
            EXPECT_EQ(p.y, window.YU[I]) << "sample " << I;
        }
    }
}

}  // namespace
}  // namespace folix
