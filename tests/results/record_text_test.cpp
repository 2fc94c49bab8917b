#include <gtest/gtest.h>

#include <string>

#include "results/record_text.h"

namespace folix {
namespace {

TEST(FileNumberText, RoundsTheFifteenDigitFormHalvesAwayFromZero)
{
    struct Case {
        double value;
        int decimals;
        const char* text;
    };
    const Case cases[] = {
        {0.125, 2, "0.13"},
        {1.005, 2, "1.01"},    // binary 1.00499999999999989..., 15 digits 1.00500000000000
        {-0.125, 2, "-0.13"},
        {-1.005, 2, "-1.01"},
        {0.115, 2, "0.12"},    // an even digit does not keep the half
        {2.675, 2, "2.68"},
        {0.000005, 5, "0.00001"},
        {-0.000005, 5, "-0.00001"},
        {0.0000049, 5, "0.00000"},
        {1.944444, 5, "1.94444"},
        {1.944445, 5, "1.94445"},
        {10.00008, 2, "10.00"},
        {0.1, 2, "0.10"},
        {0.07, 5, "0.07000"},
        {0, 2, "0.00"},
        {0, 5, "0.00000"},
        {360, 2, "360.00"},
        {999.995, 2, "1000.00"},   // the carry grows the integer digits
        {-9.999995, 5, "-10.00000"},
        {0.1 + 0.2, 5, "0.30000"},
        {123456789.123456789, 2, "123456789.12"},
        {1e-300, 5, "0.00000"},
        {12345678901234567890.0, 2, "12345678901234600000.00"},  // 15 significant digits, then zeros
    };
    for (const auto& c : cases) EXPECT_EQ(fileNumberText(c.value, c.decimals), c.text) << c.value;
}

TEST(FileNumberText, ZeroAndWhatRoundsToZeroCarryNoSign)
{
    EXPECT_EQ(fileNumberText(-0.0, 2), "0.00");
    EXPECT_EQ(fileNumberText(-0.0, 5), "0.00000");
    EXPECT_EQ(fileNumberText(-0.004, 2), "0.00");
    EXPECT_EQ(fileNumberText(-0.0000049, 5), "0.00000");
    EXPECT_EQ(fileNumberText(-1e-300, 2), "0.00");
}

TEST(FileNumberText, HugeValuesWriteEveryIntegerDigitAndNoExponent)
{
    const std::string big = fileNumberText(1e300, 5);
    EXPECT_EQ(big, "1" + std::string(300, '0') + ".00000");

    const std::string largest = fileNumberText(-1.7976931348623157e308, 2);
    EXPECT_EQ(largest, "-179769313486232" + std::string(294, '0') + ".00");
    EXPECT_EQ(largest.find_first_of("eE"), std::string::npos);
}

TEST(RecordText, HeaderHasItsFiftyCharactersAndBlankRuns)
{
    const std::string header = kHeaderLine;
    EXPECT_EQ(header.size(), 50u);
    EXPECT_EQ(header, "Delta" + std::string(1, ' ') + "Gamma" + std::string(2, ' ') + "xDltC" + std::string(3, ' ') + "Tau"
                          + std::string(5, ' ') + "F" + std::string(10, ' ') + "G" + std::string(8, ' ') + "m");
}

TEST(RecordText, ExampleLine)
{
    DesignState state;
    state.Delta = 0.1;
    state.Gamma = 0;
    state.XDltC = 0.25;
    state.F = 0.07;
    state.G = 0;
    state.EM = 1.944444;
    state.Tau = (2 - state.EM) * 180;  // 10.00008

    const std::string line = recordLine(state);
    EXPECT_EQ(line, " 0.10   0.00   0.25000   10.00   0.07000   0.00000   1.94444");
    EXPECT_EQ(line.size(), 60u);
}

TEST(RecordText, ColumnsDriftWithWideAndNegativeNumbers)
{
    DesignState state;
    state.Delta = 12.5;
    state.Gamma = -0.02;
    state.XDltC = 0.3;
    state.Tau = -1234.5;
    state.F = 1e6;
    state.G = -0.000004;
    state.EM = 2;
    EXPECT_EQ(recordLine(state), " 12.50   -0.02   0.30000   -1234.50   1000000.00000   0.00000   2.00000");
}

}  // namespace
}  // namespace folix
