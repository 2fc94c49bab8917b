#include <gtest/gtest.h>

#include <algorithm>

#include "design/design_status.h"
#include "design/run_texts.h"
#include "design/safeguarded_solve.h"
#include "engine/parameter_solver.h"
#include "engine/section_measurement.h"
#include "window/typed_inputs.h"

namespace folix {
namespace {

// FGITER alone at exponent EM, on a record of its own.
struct PlainSolve : VectorHistory {
    PlainSolve(double EM, double Delta, double Gamma)
    {
        try {
            FGITER(state, *this, EM, XDMAXC, Delta, Gamma, F, G);
        } catch (const ArithmeticError& e) {
            error = e.kind();
        }
    }
    DesignState state;
    double XDMAXC = 0, F = 0, G = 0;
    std::optional<ErrorKind> error;
};

// Wherever no safeguarded solve took over, a run's history is its title and FGITER's own lines at each
// exponent, and its F and G are the last solve's; where one took over, its line follows FGITER's.
TEST(SafeguardedSolve, RunsAreFgiterWhereverItConverges)
{
    std::vector<TypedInputs> runs = {{"0.085", "0.02", "12"}, {"0.12", "-0.02", "10"}, {"0.0561", "0", "13.54"}};
    for (const char* delta : {"0.08", "0.12", "0.16", "0.2"})
        for (const char* gamma : {"0", "0.02", "0.05"})
            for (const char* tau : {"0", "5", "10", "15"})
                for (const char* location : {"", "0.2", "0.3", "0.4"})
                    runs.push_back({delta, gamma, tau, location, *location != 0});
    for (const TypedInputs& inputs : runs) {
        SCOPED_TRACE(inputs.delta + " " + inputs.gamma + " " + inputs.tau + " " + inputs.xDltc);
        const DesignOutcome o = typedDesignOutcome(inputs);
        std::vector<std::string> expected = {kHistoryTitle};
        std::optional<PlainSolve> last;
        bool rescued = false;
        for (std::size_t i = 0; i < o.solves.size() && !rescued; ++i) {
            last.emplace(o.solves[i].exponent, o.record.thickness, o.record.camber);
            expected.insert(expected.end(), last->lines.begin(), last->lines.end());
            rescued = o.solves[i].safeguarded;
        }
        if (rescued) {
            ASSERT_GT(o.history.size(), expected.size());
            EXPECT_TRUE(std::equal(expected.begin(), expected.end(), o.history.begin()));
            EXPECT_EQ(o.history[expected.size()].rfind(kSafeguardedSolveLine, 0), 0u);
            continue;
        }
        if (o.locationSearchGaveUp) expected.emplace_back(kLocationNotConverged);
        EXPECT_EQ(o.history, expected);
        // A location run can also stop between its solves.
        EXPECT_TRUE(inputs.locationMode || (o.error ? std::optional(o.error->kind) : std::nullopt) == last->error);
        EXPECT_TRUE(o.error || (o.record.F == last->F && o.record.G == last->G));
    }
}

TEST(SafeguardedSolve, TakesOverAndMeetsBothRatios)
{
    const std::pair<TypedInputs, const char*> cases[] = {
        {{"0.085", "0.02", "12"}, "stopped on Division by zero"}, {{"0.082", "0.039", "5.5"}, "stopped on Division by zero"},
        {{"0.092", "0.025", "4"}, "stopped on Invalid argument"}, {{"0.197", "0.05", "14"}, "stopped on Invalid argument"},
        {{"0.6", "0.15", "20"}, "did not converge"}};
    for (const auto& [inputs, why] : cases) {
        SCOPED_TRACE(inputs.delta + " " + inputs.gamma + " " + inputs.tau);
        const DesignOutcome o = typedDesignOutcome(inputs);
        EXPECT_TRUE(converged(o) && o.solves.back().safeguarded);
        const std::string line = std::string(kSafeguardedSolveLine) + "the secant steps " + why;
        EXPECT_NE(std::find(o.history.begin(), o.history.end(), line), o.history.end());
        const SectionMeasure shown = measureSection(o.record.F, o.record.G, o.record.m);
        EXPECT_NEAR(shown.DMAX, o.record.thickness, 0.00001);
        EXPECT_NEAR(shown.GMAX, o.record.camber, 0.00001);
        EXPECT_EQ(shown.XDMAXC, o.maxThicknessAt);
    }
}

}  // namespace
}  // namespace folix
