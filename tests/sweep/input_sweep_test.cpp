#include <gtest/gtest.h>

#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "tests/sweep/input_grid.h"
#include "testing/watched_design_run.h"

namespace folix::sweep {
namespace {

std::string describeInputs(const TypedInputs& in)
{
    return std::string(in.locationMode ? "location" : "angle") + " mode, delta '" + in.delta + "', gamma '" + in.gamma +
           "', tau '" + in.tau + "', xDltc '" + in.xDltc + "'";
}

void expectSound(const WatchedRun& run, const DesignState& state, const TypedInputs& inputs)
{
    const std::vector<std::string> problems = problemsOf(run, state, inputs);
    if (problems.empty()) return;
    std::string all;
    for (const std::string& p : problems) all += "\n  " + p;
    ADD_FAILURE() << describeInputs(inputs) << ":" << all;
}

OutcomeTally tallyOf(int completed, int divisionByZero, int invalidArgument, int overflow, int subscript)
{
    return {completed, {divisionByZero, invalidArgument, overflow, subscript}};
}

// Seven thicknesses, six cambers, seven angles, six locations: 294 angle-mode
// and 1764 location-mode runs, each in a fresh record. Most location-mode
// targets on this grid have no section (locations 0 and 1 among them), so
// most of those runs stop with an error; none may misbehave.
TEST(InputSweep, EveryGridRunCompletesSoundlyOrStopsWithAnArithmeticError)
{
    OutcomeTally angleMode;
    OutcomeTally locationMode;
    forEachGridInput({7, 6, 7, 6}, [&](const TypedInputs& inputs) {
        DesignState state;
        const WatchedRun run = watchDesignRun(state, inputs);
        expectSound(run, state, inputs);
        (inputs.locationMode ? locationMode : angleMode).count(run.error);
    });
    std::cout << "angle mode: " << describe(angleMode) << "\nlocation mode: " << describe(locationMode) << '\n';

    // The figures of this grid; a change means the engine's results changed.
    // Where the secant steps fail but a section exists (a thickness above the
    // lens of the angle), a safeguarded solve completes the solve: 8 angle-mode
    // runs, and location searches that then go on, 14 of them to the end and
    // 53 to a stop of another kind at a later exponent or in their own secant step.
    EXPECT_EQ(angleMode, tallyOf(112, 126, 56, 0, 0)) << describe(angleMode);
    EXPECT_EQ(locationMode, tallyOf(73, 1078, 610, 3, 0)) << describe(locationMode);
}

enum class Box { Delta, Gamma, Tau, XDltc };

TypedInputs typicalWith(Box box, const std::string& text, bool locationMode)
{
    TypedInputs inputs{"0.12", "0.02", "10", "0.3", locationMode};
    std::string* const boxes[] = {&inputs.delta, &inputs.gamma, &inputs.tau, &inputs.xDltc};
    *boxes[static_cast<int>(box)] = text;
    return inputs;
}

// A text without a leading number reads as 0: the run is the run of "0".
TEST(InputSweep, TextsWithoutANumberRunAsZero)
{
    for (const bool locationMode : {false, true})
        for (const Box box : {Box::Delta, Box::Gamma, Box::Tau, Box::XDltc}) {
            DesignState zeroState;
            const TypedInputs zeroInputs = typicalWith(box, "0", locationMode);
            const WatchedRun zero = watchDesignRun(zeroState, zeroInputs);
            for (const char* text : {"", "-", "nan", "inf", "NaN", "-Infinity", "+", "."}) {
                SCOPED_TRACE(describeInputs(typicalWith(box, text, locationMode)));
                DesignState state;
                const TypedInputs inputs = typicalWith(box, text, locationMode);
                const WatchedRun run = watchDesignRun(state, inputs);
                expectSound(run, state, inputs);
                EXPECT_EQ(run.error, zero.error);
                EXPECT_EQ(run.frontEnd.history, zero.frontEnd.history);
                EXPECT_EQ(run.frontEnd.texts.m, zero.frontEnd.texts.m);
            }
        }
}

// Huge numbers: 1e308 and &HFFFF (65535) in each box of the typical design.
TEST(InputSweep, HugeNumbersStopWithTheirErrorKind)
{
    using K = ErrorKind;
    const std::optional<K> completes;
    struct Case {
        Box box;
        const char* text;
        std::optional<K> angleMode;
        std::optional<K> locationMode;
    };
    const Case cases[] = {
        {Box::Delta, "1e308", K::Overflow, K::Overflow},
        {Box::Delta, "&HFFFF", K::DivisionByZero, K::DivisionByZero},
        {Box::Gamma, "1e308", K::Overflow, K::Overflow},
        {Box::Gamma, "&HFFFF", K::InvalidArgument, K::InvalidArgument},
        {Box::Tau, "1e308", K::Overflow, K::Overflow},  // turning the degrees into radians
        {Box::Tau, "&HFFFF", K::Overflow, K::Overflow},
        {Box::XDltc, "1e308", completes, K::Overflow},  // angle mode never reads the location
        {Box::XDltc, "&HFFFF", completes, K::Overflow},
    };
    for (const Case& c : cases)
        for (const bool locationMode : {false, true}) {
            DesignState state;
            const TypedInputs inputs = typicalWith(c.box, c.text, locationMode);
            SCOPED_TRACE(describeInputs(inputs));
            const WatchedRun run = watchDesignRun(state, inputs);
            expectSound(run, state, inputs);
            EXPECT_EQ(run.error, locationMode ? c.locationMode : c.angleMode);
        }
}

// The record is never reset between runs: after a run that stopped anywhere,
// the next run must still show, draw and store exactly what it would in a
// fresh record.
TEST(InputSweep, AStoppedRunLeavesNoTraceInTheNextRun)
{
    const TypedInputs stoppers[] = {
        typicalWith(Box::Delta, "0", false),          // division by zero
        typicalWith(Box::Gamma, "&HFFFF", false),     // invalid argument
        typicalWith(Box::Tau, "1e308", false),        // overflow before the first solve
        typicalWith(Box::XDltc, "1", true),           // stops after several solves
        {"0.38", "0.1", "60", "0.15", true},          // stops after 19 solves
    };
    const TypedInputs nexts[] = {typicalWith(Box::Tau, "10", false), typicalWith(Box::XDltc, "0.3", true)};
    for (const TypedInputs& next : nexts) {
        DesignState freshState;
        const WatchedRun fresh = watchDesignRun(freshState, next);
        ASSERT_FALSE(fresh.error);
        for (const TypedInputs& stopper : stoppers) {
            SCOPED_TRACE(describeInputs(stopper) + " then " + describeInputs(next));
            DesignState state;
            ASSERT_TRUE(watchDesignRun(state, stopper).error);
            const WatchedRun run = watchDesignRun(state, next);
            expectSound(run, state, next);
            EXPECT_EQ(run.frontEnd.history, fresh.frontEnd.history);
            EXPECT_EQ(run.frontEnd.texts.f, fresh.frontEnd.texts.f);
            EXPECT_EQ(run.frontEnd.texts.g, fresh.frontEnd.texts.g);
            EXPECT_EQ(run.frontEnd.texts.m, fresh.frontEnd.texts.m);
            EXPECT_EQ(run.frontEnd.texts.airfoilType, fresh.frontEnd.texts.airfoilType);
            for (std::size_t i = 0; i < fresh.frontEnd.outline.size(); ++i) {
                EXPECT_EQ(run.frontEnd.outline[i].x, fresh.frontEnd.outline[i].x) << "point " << i + 1;
                EXPECT_EQ(run.frontEnd.outline[i].y, fresh.frontEnd.outline[i].y) << "point " << i + 1;
            }
            EXPECT_EQ(state.F, freshState.F);
            EXPECT_EQ(state.G, freshState.G);
            EXPECT_EQ(state.EM, freshState.EM);
            EXPECT_EQ(state.XDltC, freshState.XDltC);
            EXPECT_EQ(state.Tau, freshState.Tau);
        }
    }
}

// The checks themselves: the number format they accept.
TEST(InputSweep, NumberTextIsTheGeneralFormatOnly)
{
    for (const char* good : {"0", "-0.5", "12", "0.00001", "1.5E-06", "2E+15", "1.79769313486232E+308"})
        EXPECT_TRUE(isNumberText(good)) << good;
    for (const char* bad : {"", "-", "nan", "inf", "-inf", ".5", "5.", "1e5", "1E5", "1E+5", "0x1p3", "1,5", " 1"})
        EXPECT_FALSE(isNumberText(bad)) << bad;
}

}  // namespace
}  // namespace folix::sweep
