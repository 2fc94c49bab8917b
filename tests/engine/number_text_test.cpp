#include <gtest/gtest.h>


#include "engine/arithmetic_error.h"
#include "engine/number_text.h"

namespace folix {
namespace {

TEST(DisplayRounding, ExactHalvesGoToTheEvenDigit)
{
    EXPECT_EQ(roundForDisplay(1.0 / 64), 0.01562);   // 0.015625
    EXPECT_EQ(roundForDisplay(3.0 / 64), 0.04688);   // 0.046875
    EXPECT_EQ(roundForDisplay(-1.0 / 64), -0.01562);
    EXPECT_EQ(roundForDisplay(5.0 / 64), 0.07812);   // 0.078125
    EXPECT_EQ(roundForDisplay(0.0835416), 0.08354);
    EXPECT_EQ(roundForDisplay(0.000004), 0.0);
    EXPECT_EQ(roundForDisplay(0.0000051), 0.00001);
}

TEST(GeneralFormat, ShortestFormWithLeadingZeroAndSign)
{
    struct Case {
        double value;
        const char* text;
    };
    const Case cases[] = {
        {roundForDisplay(0.0835416), "0.08354"},
        {0.04, "0.04"},
        {3, "3"},
        {0, "0"},
        {-0.0, "0"},
        {-0.04, "-0.04"},
        {1.94444, "1.94444"},
        {0.00001, "0.00001"},
        {-0.00001, "-0.00001"},
        {123456.78901, "123456.78901"},
        {0.1 + 0.2, "0.3"},  // 15 significant digits hide the binary tail
        {999999999999999, "999999999999999"},
        {1e15, "1E+15"},
        {-2.5e20, "-2.5E+20"},
        {1e-6, "1E-06"},
        {1.5e-300, "1.5E-300"},
    };
    for (const auto& c : cases) EXPECT_EQ(formatGeneral(c.value), c.text) << c.value;
}

TEST(GeneralFormat, DecimalSeparatorIsAParameter)
{
    EXPECT_EQ(formatGeneral(0.04, ","), "0,04");
    EXPECT_EQ(formatGeneral(1.5e-6, ","), "1,5E-06");
    EXPECT_EQ(displayText(0.0835416, ","), "0,08354");
    EXPECT_EQ(displayText(2, ","), "2");
}

TEST(LeadingNumber, ReadsLikeTheWindowDoes)
{
    struct Case {
        const char* text;
        double value;
    };
    const Case cases[] = {
        {"0,12", 0},
        {" 1 2 ", 12},
        {"1D2", 100},
        {"1d-2", 0.01},
        {"&H1F", 31},
        {"&hff", 255},
        {"&O17", 15},
        {"&H", 0},
        {"&X12", 0},
        {"-.5e1x", -5},
        {"", 0},
        {"abc", 0},
        {"-", 0},
        {".", 0},
        {"+7", 7},
        {"\t0.\n12", 0.12},
        {"1e", 1},
        {"1e+", 1},
        {"2.5E+3abc", 2500},
        {"0.10", 0.10},
        {"1E-14", 1e-14},
        {"1e-400", 0},
        {"nan", 0},
        {"inf", 0},
        {"1.2.3", 1.2},
        {"12-3", 12},
    };
    for (const auto& c : cases) EXPECT_EQ(readLeadingNumber(c.text), c.value) << '"' << c.text << '"';
}

TEST(LeadingNumber, BeyondTheDoubleRangeIsAnOverflow)
{
    for (const char* text : {"1e309", "-1e400", "1D99999999999999999999", "99999999999999999999e300"}) {
        try {
            readLeadingNumber(text);
            ADD_FAILURE() << text;
        } catch (const ArithmeticError& error) {
            EXPECT_EQ(error.kind(), ErrorKind::Overflow) << text;
        }
    }
    EXPECT_EQ(readLeadingNumber("0.000001e-400"), 0.0);
    EXPECT_EQ(readLeadingNumber("1e308"), 1e308);
}

}  // namespace
}  // namespace folix
