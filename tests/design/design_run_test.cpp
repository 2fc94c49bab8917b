#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "engine/number_text.h"
#include "tests/typical_design.h"
#include "design/design_run.h"
#include "design/profile_tables.h"
#include "design/run_texts.h"
#include "window/typed_inputs.h"

namespace folix {
namespace {

class RecordingFrontEnd : public DesignFrontEnd {
public:
    void clearHistory() override { history.clear(); }
    void append(const std::string& line) override { history.push_back(line); }
    void showResults(const ResultTexts& shown) override { texts = shown; }
    void drawSection(const Outline& drawn) override
    {
        outline = drawn;
        ++drawings;
    }
    std::string decimalSeparator() const override { return separator; }

    std::vector<std::string> history;
    ResultTexts texts;
    Outline outline{};
    int drawings = 0;
    std::string separator = ".";
};

// The numbers the window reads from these texts.
DesignInputs angleMode(const char* delta, const char* gamma, const char* tau)
{
    return readTypedInputs({delta, gamma, tau, "0.00", false});
}

DesignInputs locationMode(const char* delta, const char* gamma, const char* tau, const char* xDltc)
{
    return readTypedInputs({delta, gamma, tau, xDltc, true});
}

std::size_t countHeadings(const std::vector<std::string>& lines)
{
    std::size_t n = 0;
    for (const auto& l : lines)
        if (l.rfind(" M=", 0) == 0) ++n;
    return n;
}

TEST(DesignRun, TypicalAngleModeRun)
{
    DesignState state;
    RecordingFrontEnd ui;
    runDesign(state, angleMode("0.12", "0.02", "10"), ui);
    EXPECT_EQ(ui.history, typical::runHistory());
    EXPECT_EQ(ui.texts.airfoilType, "KARMAN-TREFFTZ AIRFOIL");
    EXPECT_EQ(ui.texts.f, "0.0703");
    EXPECT_EQ(ui.texts.g, "0.04377");
    EXPECT_EQ(ui.texts.m, "1.94444");
    EXPECT_EQ(ui.drawings, 1);
    EXPECT_EQ(state.Tau, 10 * state.Pi / 180);
    EXPECT_NEAR(state.XDltC, 0.32657, 5e-6);
    EXPECT_EQ(state.AirfoilType, "KARMAN-TREFFTZ AIRFOIL");
}

TEST(DesignRun, AngleTextsAndTheFamilyName)
{
    struct Case {
        const char* tau;
        const char* family;
        const char* m;
    };
    const Case cases[] = {
        {"0", "JOUKOWSKY AIRFOIL", "2"},
        {"", "JOUKOWSKY AIRFOIL", "2"},
        {"abc", "JOUKOWSKY AIRFOIL", "2"},
        {"1E-14", "JOUKOWSKY AIRFOIL", "2"},  // 2 - Tau/pi rounds to exactly 2
        {"1", "KARMAN-TREFFTZ AIRFOIL", "1.99444"},
    };
    for (const auto& c : cases) {
        DesignState state;
        RecordingFrontEnd ui;
        runDesign(state, angleMode("0.10", "0.00", c.tau), ui);
        EXPECT_EQ(ui.texts.airfoilType, c.family) << c.tau;
        EXPECT_EQ(ui.texts.m, c.m) << c.tau;
    }
}

TEST(DesignRun, HalfTurnAngleGivesExponentOneWhoseCirclesAllMeasureAlike)
{
    // m = 1 maps the circle onto itself: every trial has thickness ratio 1.
    DesignState state;
    RecordingFrontEnd ui;
    EXPECT_THROW(runDesign(state, angleMode("0.10", "0", "180"), ui), ArithmeticError);
    EXPECT_EQ(state.EM, 1.0);
}

TEST(DesignRun, OutlineIsNormalisedToUnitChord)
{
    DesignState state;
    RecordingFrontEnd ui;
    runDesign(state, angleMode("0.12", "0.03", "5"), ui);
    EXPECT_NEAR(state.XU[1], 0.0, 1e-12);
    EXPECT_NEAR(state.YU[1], 0.0, 1e-12);
    EXPECT_NEAR(state.XU[52], 0.0, 1e-12);
    EXPECT_NEAR(state.YU[52], 0.0, 1e-12);
    for (int i = 2; i <= 26; ++i) EXPECT_GT(state.YU[i], 0.0) << i;  // upper surface
    for (int i = 1; i <= 52; ++i) {
        EXPECT_EQ(ui.outline[static_cast<std::size_t>(i - 1)].x, static_cast<float>(state.XU[i]));
        EXPECT_EQ(ui.outline[static_cast<std::size_t>(i - 1)].y, static_cast<float>(state.YU[i]));
    }
}

TEST(DesignRun, ReferenceOutlineStopsShortOfTheTrailingEdge)
{
    DesignState state;
    state.Pi = 4 * std::atan(1.0);
    state.F = 0.1;
    state.G = 0.0;
    state.EM = 2.0;
    fillProfileTables(state);
    double largest = 0;
    for (int i = 1; i <= 52; ++i) largest = std::max(largest, state.XU[i]);
    EXPECT_NEAR(largest, 0.99906, 5e-6);
    EXPECT_EQ(largest, std::max(state.XU[26], state.XU[27]));
    EXPECT_NEAR(state.XU[1], 0.0, 1e-12);
    EXPECT_NEAR(state.XU[52], 0.0, 1e-12);
}

TEST(DesignRun, LocationModeSolvesAngleExponentThenSecondExponentThenOnePerStep)
{
    DesignState state;
    RecordingFrontEnd ui;
    runDesign(state, locationMode("0.12", "0.02", "0", "0.30"), ui);
    std::vector<std::string> headings;
    for (const auto& l : ui.history)
        if (l.rfind(" M=", 0) == 0) headings.push_back(l);
    ASSERT_GE(headings.size(), 3u);
    EXPECT_EQ(headings[0], " M=2");
    EXPECT_EQ(headings[1], " M=1.95");
    EXPECT_NE(ui.history.back(), kLocationNotConverged);
    EXPECT_EQ(state.XDltC, 0.30);  // the wanted location, as read
    EXPECT_EQ(state.Tau, 0.0);     // not brought in line with EM
    EXPECT_EQ(ui.texts.m, displayText(state.EM));
    EXPECT_EQ(ui.texts.airfoilType, "KARMAN-TREFFTZ AIRFOIL");
}

TEST(DesignRun, LocationModeWithBothStartsEqualDividesZeroByZero)
{
    // Angle 9 gives exactly 1.95, the second starting exponent.
    DesignState state;
    RecordingFrontEnd ui;
    ui.texts.f = "previous";
    try {
        runDesign(state, locationMode("0.12", "0.02", "9", "0.30"), ui);
        FAIL();
    } catch (const ArithmeticError& error) {
        EXPECT_EQ(error.kind(), ErrorKind::DivisionByZero);
    }
    EXPECT_EQ(countHeadings(ui.history), 2u);
    EXPECT_EQ(ui.texts.f, "previous");
    EXPECT_EQ(ui.drawings, 0);
    EXPECT_EQ(state.XDltC, 0.30);
}

TEST(DesignRun, ProfileScaleFailures)
{
    struct Case {
        double F, EM;
        ErrorKind kind;
    };
    const Case cases[] = {
        {0.1, 0.0, ErrorKind::DivisionByZero},    // EM = 0
        {-0.1, 1.9, ErrorKind::InvalidArgument},  // negative F, fractional power
        {0.0, -1.0, ErrorKind::DivisionByZero},   // zero F, negative power
    };
    for (const auto& c : cases) {
        DesignState state;
        state.Pi = 4 * std::atan(1.0);
        state.F = c.F;
        state.EM = c.EM;
        try {
            fillProfileTables(state);
            ADD_FAILURE() << c.F << ' ' << c.EM;
        } catch (const ArithmeticError& error) {
            EXPECT_EQ(error.kind(), c.kind) << c.F << ' ' << c.EM;
        }
        EXPECT_EQ(state.XU[1], 0.0);
    }
}

TEST(DesignRun, AFailedSolveShowsAndDrawsNothing)
{
    // Angle 360 gives EM = 0, whose measured chord is 0/0.
    DesignState state;
    RecordingFrontEnd ui;
    ui.texts.m = "before";
    EXPECT_THROW(runDesign(state, angleMode("0.1", "0", "360"), ui), ArithmeticError);
    EXPECT_EQ(ui.drawings, 0);
    EXPECT_EQ(ui.texts.m, "before");
    EXPECT_EQ(ui.history.front(), " Iteration history");
}

TEST(DesignRun, SecondRunOverwritesTheOutline)
{
    DesignState state;
    RecordingFrontEnd ui;
    runDesign(state, angleMode("0.3", "0.05", "20"), ui);
    state.XU[53] = 7;
    runDesign(state, angleMode("0.1", "0", "0"), ui);
    DesignState fresh;
    RecordingFrontEnd other;
    runDesign(fresh, angleMode("0.1", "0", "0"), other);
    for (int i = 1; i <= 52; ++i) {
        EXPECT_EQ(state.XU[i], fresh.XU[i]) << i;
        EXPECT_EQ(state.YU[i], fresh.YU[i]) << i;
    }
    EXPECT_EQ(state.XU[53], 7);
    EXPECT_EQ(ui.history, other.history);
}

TEST(DesignRun, ResultsFollowTheDecimalSeparator)
{
    DesignState state;
    RecordingFrontEnd ui;
    ui.separator = ",";
    runDesign(state, angleMode("0.12", "0.02", "10"), ui);
    EXPECT_EQ(ui.texts.f, "0,0703");
    EXPECT_EQ(ui.texts.m, "1,94444");
    EXPECT_EQ(ui.history[2], " M=1,94444");
    EXPECT_EQ(ui.history.back(), "F=0,0703  G=0,04377  Delta=0,12  Gamma=0,02001  XDltC=0,32657");
}

TEST(DesignRun, InputOverflowEndsTheRunAfterTheTitle)
{
    const DesignOutcome typed = typedDesignOutcome({"1e999", "0", "0", "0.00", false});
    ASSERT_TRUE(typed.error);
    EXPECT_EQ(typed.error->kind, ErrorKind::Overflow);
    EXPECT_EQ(typed.history, std::vector<std::string>{" Iteration history"});
    EXPECT_FALSE(typed.outline);
}

}  // namespace
}  // namespace folix
