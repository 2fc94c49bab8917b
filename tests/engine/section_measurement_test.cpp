#include <gtest/gtest.h>

#include "engine/section_measurement.h"

namespace folix {
namespace {

constexpr double kUntouched = -999.0;

struct Measurement {
    double DMAX = kUntouched;
    double GMAX = kUntouched;
    double XDMAXC = kUntouched;
    int samples = 0;
    std::vector<std::string> lines;
};

Measurement measure(double F, double G, double EM)
{
    DesignState state;
    for (int i = 0; i <= 100; ++i) state.XU[i] = kUntouched;
    VectorHistory history;
    Measurement m;
    DGX(state, history, F, G, EM, m.DMAX, m.GMAX, m.XDMAXC);
    for (int i = 1; i <= 100; ++i)
        if (state.XU[i] != kUntouched) m.samples = i;
    EXPECT_EQ(state.XU[0], kUntouched) << "index 0 is never written";
    m.lines = history.lines;
    return m;
}

TEST(SectionMeasurement, PublishedSectionsGiveTheirLinesAndSampleCounts)
{
    struct Case {
        double F, G, EM;
        int samples;  // 0: not published
        const char* line;
    };
    const Case cases[] = {
        {0.0835416, 0.0, 2.0, 28, "F=0.08354  G=0  Delta=0.10001  Gamma=0  XDltC=0.25219"},
        {0.1, 0.04, 2.0, 56, "F=0.1  G=0.04  Delta=0.11791  Gamma=0.01818  XDltC=0.25302"},
        {0.1, 0.04, 1.9, 0, "F=0.1  G=0.04  Delta=0.18063  Gamma=0.01757  XDltC=0.34281"},
        {0.1, -0.04, 2.0, 30, "F=0.1  G=-0.04  Delta=0.11791  Gamma=0  XDltC=0.25302"},
        {3.0, 0.0, 2.0, 6, "F=3  G=0  Delta=0.83892  Gamma=0  XDltC=0.45069"},
    };
    for (const auto& c : cases) {
        const Measurement m = measure(c.F, c.G, c.EM);
        ASSERT_EQ(m.lines.size(), 1u);
        EXPECT_EQ(m.lines[0], c.line);
        if (c.samples) {
            EXPECT_EQ(m.samples, c.samples) << c.line;
        }
    }
}

TEST(SectionMeasurement, SymmetricTenPerCentSection)
{
    const Measurement m = measure(0.0835416, 0.0, 2.0);
    EXPECT_NEAR(m.DMAX, 0.1000076, 5e-8);
    EXPECT_EQ(m.GMAX, 0.0);
    EXPECT_NEAR(m.XDMAXC, 0.2521948, 5e-8);
}

TEST(SectionMeasurement, NegativeCamberMeasuresZero)
{
    const Measurement m = measure(0.1, -0.04, 2.0);
    EXPECT_EQ(m.GMAX, 0.0);
    EXPECT_NEAR(m.DMAX, measure(0.1, 0.04, 2.0).DMAX, 1e-12);
}

TEST(SectionMeasurement, TableLimitReturnsEarlyWithoutALine)
{
    // An extreme camber keeps both searches stepping until the tables run out.
    const Measurement m = measure(0.001, 1.9, 2.2);
    EXPECT_TRUE(m.lines.empty());
    EXPECT_EQ(m.XDMAXC, kUntouched);
    EXPECT_EQ(m.samples, 99);
    EXPECT_GT(m.DMAX, 0.0);
    EXPECT_GE(m.GMAX, 0.0);
}

TEST(SectionMeasurementFailure, NonIntegralPowerOfNegativeFIsAnInvalidArgument)
{
    EXPECT_THROW(
        {
            try {
                measure(-0.01, 0.0, 1.9);
            } catch (const ArithmeticError& error) {
                EXPECT_EQ(error.kind(), ErrorKind::InvalidArgument);
                throw;
            }
        },
        ArithmeticError);
}

}  // namespace
}  // namespace folix
