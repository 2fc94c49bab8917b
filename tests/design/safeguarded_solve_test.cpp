#include <gtest/gtest.h>

#include <algorithm>

#include "design/design_outcome.h"
#include "design/run_texts.h"
#include "design/safeguarded_solve.h"
#include "engine/parameter_solver.h"
#include "engine/section_measurement.h"

namespace folix {
namespace {

// FGITER alone at exponent EM, on a record of its own.
struct PlainSolve : VectorHistory {
    PlainSolve(double EM, double Delta, double Gamma)
    {
        DesignState state;
        double XDMAXC = 0;
        try {
            FGITER(state, *this, EM, XDMAXC, Delta, Gamma, F, G);
        } catch (const ArithmeticError& e) {
            error = e.kind();
        }
    }
    double F = 0;
    double G = 0;
    std::optional<ErrorKind> error;
};

DesignInputs typed(const char* delta, const char* gamma, const char* tau, const char* location = nullptr)
{
    return {delta, gamma, tau, location ? location : "0", location != nullptr};
}

// Wherever no safeguarded solve took over, a run's history is its title and
// FGITER's lines at each exponent it solved at, bit for bit, and its F and G
// are the last solve's; where one took over, FGITER's lines come first.
TEST(SafeguardedSolve, RunsAreFgiterWhereverItConverges)
{
    std::vector<DesignInputs> runs = {typed("0.085", "0.02", "12"), typed("0.12", "-0.02", "10"),
                                      typed("0.0561", "0", "13.54"), typed("0.6", "0.15", "20")};
    for (const char* delta : {"0.08", "0.12", "0.16", "0.2"})
        for (const char* gamma : {"0", "0.02", "0.05"})
            for (const char* tau : {"0", "5", "10", "15"}) {
                runs.push_back(typed(delta, gamma, tau));
                for (const char* location : {"0.2", "0.3", "0.4"}) runs.push_back(typed(delta, gamma, tau, location));
            }
    int rescued = 0;
    for (const DesignInputs& inputs : runs) {
        SCOPED_TRACE(inputs.delta + " " + inputs.gamma + " " + inputs.tau + " " + inputs.xDltc);
        const DesignOutcome o = designOutcome(inputs);
        std::vector<std::string> expected = {kHistoryTitle};
        std::optional<PlainSolve> last;
        for (const SolveRecord& solve : o.solves) {
            last.emplace(solve.exponent, o.thickness, o.camber);
            expected.insert(expected.end(), last->lines.begin(), last->lines.end());
            if (solve.safeguarded) break;
        }
        if (o.locationSearchGaveUp) expected.emplace_back(kLocationNotConverged);
        const bool anyRescue = std::any_of(o.solves.begin(), o.solves.end(), [](auto& s) { return s.safeguarded; });
        rescued += anyRescue;
        if (!anyRescue) {
            EXPECT_EQ(o.history, expected);
            const std::optional<ErrorKind> error = o.error ? std::optional(o.error->kind) : std::nullopt;
            // A location run can also stop between its solves.
            EXPECT_TRUE(inputs.locationMode || error == last->error);
            EXPECT_TRUE(o.error || (o.F == last->F && o.G == last->G));
        } else {
            ASSERT_GT(o.history.size(), expected.size());
            EXPECT_TRUE(std::equal(expected.begin(), expected.end(), o.history.begin()));
            EXPECT_EQ(o.history[expected.size()].rfind(kSafeguardedSolveLine, 0), 0u);
        }
    }
    EXPECT_GE(rescued, 2);
}

// The grid designs the secant steps cannot finish: each safeguarded solve
// meets both ratios, as DGX measures the section shown.
TEST(SafeguardedSolve, TakesOverAndMeetsBothRatios)
{
    struct Case {
        DesignInputs inputs;
        const char* why;
    };
    const Case cases[] = {
        {typed("0.085", "0.02", "12"), "the secant steps stopped on Division by zero"},
        {typed("0.082", "0.039", "5.5"), "the secant steps stopped on Division by zero"},
        {typed("0.092", "0.025", "4"), "the secant steps stopped on Invalid argument"},
        {typed("0.197", "0.05", "14"), "the secant steps stopped on Invalid argument"},
        {typed("0.6", "0.15", "20"), "the secant steps did not converge"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.inputs.delta + " " + c.inputs.gamma + " " + c.inputs.tau);
        const DesignOutcome o = designOutcome(c.inputs);
        ASSERT_FALSE(o.error);
        EXPECT_TRUE(o.converged());
        EXPECT_TRUE(o.solves.back().safeguarded);
        EXPECT_NE(std::find(o.history.begin(), o.history.end(), std::string(kSafeguardedSolveLine) + c.why),
                  o.history.end());

        DesignState scratch;
        VectorHistory lines;
        double F = o.F, G = o.G, EM = o.m, D = 0, GM = 0, XDMAXC = 0;
        DGX(scratch, lines, F, G, EM, D, GM, XDMAXC);
        EXPECT_NEAR(D, o.thickness, 0.00001);
        EXPECT_NEAR(GM, o.camber, 0.00001);
        EXPECT_EQ(lines.lines.back(), o.history.back());
        EXPECT_EQ(XDMAXC, *o.maxThicknessAt);
    }
}

}  // namespace
}  // namespace folix
