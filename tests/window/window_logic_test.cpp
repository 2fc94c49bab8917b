#include <gtest/gtest.h>

#include "engine/number_text.h"
#include "window/command_states.h"
#include "window/comparison_pins.h"
#include "window/design_description.h"
#include "window/other_mode_value.h"
#include "window/reading_hint.h"
#include "window/typed_inputs.h"

namespace folix {
namespace {

TEST(ReadingHint, SaysWhatATextReadsAsWhenNotWhole)
{
    struct Case {
        const char* text;
        const char* hint;
    };
    const Case cases[] = {
        {"0.12", ""}, {" 0.1 2 ", ""}, {"-0", ""}, {"1e-3", ""}, {"2D1", ""}, {".5", ""}, {"&H10", ""},
        {"", "empty: reads as 0"}, {"  ", "empty: reads as 0"},
        {"0,02", "reads as 0: use '.' for the decimal point"},
        {"12,5", "reads as 12: use '.' for the decimal point"},
        {",5", "reads as 0: use '.' for the decimal point"},
        {"12%", "reads as 12: '%' is ignored; 12 % is 0.12"},
        {"abc", "reads as 0: not a number"}, {"-", "reads as 0: not a number"}, {".", "reads as 0: not a number"},
        {"1.2.3", "reads as 1.2: '.3' is ignored"}, {"10deg", "reads as 10: 'deg' is ignored"},
        {"1e", "reads as 1: 'e' is ignored"}, {"1e+", "reads as 1: 'e+' is ignored"},
        {"&Z1", "reads as 0: not a number"}, {"&H1G", "reads as 1: 'G' is ignored"},
        {"10\u00b0", "reads as 10: '\u00b0' is ignored"},
        {"5 units of length", "reads as 5: 'unitsoflen\u2026' is ignored"},
        {"1e999", "beyond the largest number: the run stops on Overflow"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(readingHint(c.text), c.hint) << c.text;
        // What it says the text reads as is what the run reads.
        const std::string hint = readingHint(c.text);
        if (hint.rfind("reads as ", 0) == 0) {
            EXPECT_EQ(hint.substr(9, hint.find(':') - 9), formatGeneral(readLeadingNumber(c.text))) << c.text;
        }
    }
}

TEST(TypedInputs, SameReadingComparesWhatTheRunReads)
{
    const TypedInputs ran{"0.12", "0.02", "10", "0.3", false};
    const auto with = [&](auto change) {
        TypedInputs now = ran;
        change(now);
        return sameReading(ran, now);
    };
    EXPECT_TRUE(with([](TypedInputs&) {}));
    EXPECT_TRUE(with([](TypedInputs& t) { t.delta = "0.120"; }));
    EXPECT_TRUE(with([](TypedInputs& t) { t.xDltc = "0.4"; }));  // not read in angle mode
    EXPECT_FALSE(with([](TypedInputs& t) { t.gamma = "0,02"; }));
    EXPECT_FALSE(with([](TypedInputs& t) { t.tau = "11"; }));
    EXPECT_FALSE(with([](TypedInputs& t) { t.locationMode = true; }));
    const TypedInputs located{"0.12", "0.02", "10", "0.3", true};
    TypedInputs moved = located;
    moved.xDltc = "0.35";
    EXPECT_FALSE(sameReading(located, moved));
    TypedInputs huge = ran;
    huge.delta = "1e999";  // overflows: compared as text
    EXPECT_TRUE(sameReading(huge, huge));
    EXPECT_FALSE(sameReading(huge, ran));
}

TEST(OtherModeValue, TheQuantityTheRunDidNotTarget)
{
    const DesignOutcome angle = typedDesignOutcome({"0.12", "0.02", "10", "0", false});
    EXPECT_EQ(otherModeText(angle, false), "max thickness at x/c = 0.32657");
    const DesignOutcome located = typedDesignOutcome({"0.12", "0.02", "10", "0.3", true});
    ASSERT_FALSE(located.error);
    EXPECT_EQ(otherModeText(located, true, ","),
              "\u03c4 = (2 \u2212 m)\u00b7180\u00b0 = " + displayText((2 - located.record.m) * 180, ",") + "\u00b0");
    EXPECT_EQ(otherModeText(typedDesignOutcome({"0.12", "-0.1", "10", "0", false}), false), "");  // stopped
    EXPECT_EQ(otherModeText(DesignOutcome{}, true), "");
}

TEST(DesignDescription, LabelsAndNotesFromWhatTheRunRead)
{
    const DesignRecord angle = typedDesignOutcome({"0.12", "0.02", "10", "0", false}).record;
    EXPECT_EQ(designLabel(angle, false), "\u03b4 0.12  \u03b3 0.02  \u03c4 10\u00b0");
    EXPECT_EQ(designNote(angle, false), "thickness 0.12, camber 0.02, trailing-edge angle 10 deg; "
                                        "KARMAN-TREFFTZ AIRFOIL F 0.0703 G 0.04377 m 1.94444");
    const DesignRecord located = typedDesignOutcome({"0.12", "0.02", "10", "0.3", true}).record;
    EXPECT_EQ(designLabel(located, true), "\u03b4 0.12  \u03b3 0.02  x/c 0.3");
    EXPECT_EQ(loadsNote(4, 0.76085, -0.0725), "alpha 4 deg, Cl 0.7609, Cm -0.0725");
    EXPECT_EQ(commentLines({"a", "b"}), "# a\n# b\n");
}

TEST(ComparisonPins, SixAtMostEachOnceColoursKept)
{
    ComparisonPins pins;
    for (int i = 0; i < 6; ++i) EXPECT_FALSE(pins.add({"pin " + std::to_string(i), {}, MappedSection{"", 0.1 * i, 0, 2}}));
    EXPECT_TRUE(pins.full());
    EXPECT_EQ(*pins.add({"seventh", {}, std::nullopt}), "all 6 pins are taken: remove one first");
    pins.remove(1);
    pins.remove(99);  // nothing there: nothing happens
    EXPECT_EQ(pins.pins().size(), 5u);
    EXPECT_EQ(*pins.add({"pin 0", {}, MappedSection{"", 0, 0, 2}}), "'pin 0' is pinned already");
    // The freed colour goes to the next pin; the others keep theirs.
    EXPECT_FALSE(pins.add({"NACA 2412", {}, std::nullopt}));
    EXPECT_EQ(pins.pins().back().slot, 1u);
    EXPECT_EQ(pins.pins()[1].slot, 2u);
    pins.clear();
    EXPECT_TRUE(pins.pins().empty());
}

TEST(CommandStates, GreyedWithTheReason)
{
    CommandFacts facts;
    EXPECT_EQ(commandState(Command::ExportDrawing, facts).reason, "design a section first");
    EXPECT_TRUE(commandState(Command::AddReference, facts).enabled);
    facts.drawn = true;
    facts.pinsFull = true;
    EXPECT_TRUE(commandState(Command::Flow, facts).enabled);
    EXPECT_EQ(commandState(Command::Pin, facts).reason, "all pins are taken: remove one first");
    EXPECT_TRUE(commandState(Command::DesignForLift, CommandFacts{}).enabled);
    EXPECT_NE(commandState(Command::ViscousPolar, facts).reason.find("no viscous section"), std::string::npos);
    facts.viscousSection = true;
    EXPECT_NE(commandState(Command::ViscousPolar, facts).reason.find("xfoil"), std::string::npos);
    facts.xfoil = true;
    EXPECT_TRUE(commandState(Command::ViscousPolar, facts).enabled);
}

}  // namespace
}  // namespace folix
