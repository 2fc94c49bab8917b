#include <gtest/gtest.h>

#include <cmath>

#include "engine/parameter_solver.h"
#include "tests/typical_design.h"

namespace folix {
namespace {

struct Solve {
    double F3 = 0;
    double G3 = 0;
    double XDMAXC = 0;
    std::vector<std::string> lines;
};

Solve solve(double EM, double Delta, double Gamma)
{
    DesignState state;
    VectorHistory history;
    Solve s;
    FGITER(state, history, EM, s.XDMAXC, Delta, Gamma, state.F, state.G);
    s.F3 = state.F;
    s.G3 = state.G;
    s.lines = history.lines;
    return s;
}

ErrorKind failureOf(double EM, double Delta, double Gamma)
{
    try {
        solve(EM, Delta, Gamma);
    } catch (const ArithmeticError& error) {
        return error.kind();
    }
    ADD_FAILURE() << "solve did not fail";
    return ErrorKind::SubscriptOutOfRange;
}

TEST(ParameterSolver, SymmetricJoukowskyConvergesAtTheFirstStep)
{
    const Solve s = solve(2.0, 0.10, 0.0);
    const std::vector<std::string> expected = {
        "",
        " M=2",
        "",
        "F=0.07692  G=0  Delta=0.09267  Gamma=0  XDltC=0.25194",
        "F=0.08462  G=0  Delta=0.10119  Gamma=0  XDltC=0.25226",
        "F=0.08354  G=0  Delta=0.10001  Gamma=0  XDltC=0.25219",
    };
    EXPECT_EQ(s.lines, expected);
    EXPECT_NEAR(s.F3, 0.0835416, 5e-8);
    EXPECT_EQ(s.G3, 0.0);
    EXPECT_NEAR(s.XDMAXC, 0.2521948, 5e-8);
}

TEST(ParameterSolver, CamberedJoukowsky)
{
    const Solve s = solve(2.0, 0.12, 0.02);
    ASSERT_EQ(s.lines.size(), 6u);
    EXPECT_EQ(s.lines.back(), "F=0.10195  G=0.04407  Delta=0.12  Gamma=0.02  XDltC=0.253");
    EXPECT_NEAR(s.F3, 0.1019467, 5e-8);
    EXPECT_NEAR(s.G3, 0.0440663, 5e-8);
}

TEST(ParameterSolver, TenDegreeKarmanTrefftzTakesThreeSteps)
{
    const Solve s = solve(2 - 1.0 / 18, 0.12, 0.02);
    EXPECT_EQ(s.lines, typical::kSolveHistory);
}

TEST(ParameterSolver, ZeroCamberKeepsGExactlyZero)
{
    for (double EM : {2.0, 1.9, 1.8})
        for (double Delta : {0.3, 0.45}) EXPECT_EQ(solve(EM, Delta, 0.0).G3, 0.0) << EM << ' ' << Delta;
}

TEST(ParameterSolver, GivingUpLeavesTwentyTwoLinesAndTheMessage)
{
    const Solve s = solve(1.9, 0.16, 0.26);
    ASSERT_EQ(s.lines.size(), 3u + 22u + 2u);
    EXPECT_EQ(s.lines[25], " ");
    EXPECT_EQ(s.lines[26], " Iteration is not converged for F and G at 20 step !");
    for (std::size_t i = 3; i < 25; ++i) EXPECT_EQ(s.lines[i].rfind("F=", 0), 0u) << s.lines[i];
    EXPECT_TRUE(std::isfinite(s.F3));
}

TEST(ParameterSolverFailure, InputsThatBreakTheArithmetic)
{
    // Negative camber: every camber measures 0, so the first G step divides 0 by 0.
    EXPECT_EQ(failureOf(2.0, 0.10, -0.02), ErrorKind::DivisionByZero);
    // Zero thickness and camber: both trials are the same flat plate.
    EXPECT_EQ(failureOf(2.0, 0.0, 0.0), ErrorKind::DivisionByZero);
    // Too thin for the exponent: the secant step gives F < 0, which has no real power.
    EXPECT_EQ(failureOf(1.9, 0.06, 0.0), ErrorKind::InvalidArgument);
}

TEST(ParameterSolverFailure, LinesBeforeTheErrorStay)
{
    DesignState state;
    VectorHistory history;
    double EM = 1.9, X = 0, Delta = 0.06, Gamma = 0;
    EXPECT_THROW(FGITER(state, history, EM, X, Delta, Gamma, state.F, state.G), ArithmeticError);
    ASSERT_EQ(history.lines.size(), 5u);
    EXPECT_EQ(history.lines[4], "F=0.05077  G=0  Delta=0.13033  Gamma=0  XDltC=0.38846");
    EXPECT_LT(state.F, 0.0);  // the failing estimate stands in the state
}

}  // namespace
}  // namespace folix
