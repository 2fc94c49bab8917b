#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>

#include "app/cli/json_text.h"
#include "results/results_file.h"

namespace folix {
namespace {

TEST(JsonText, StringsAreEscaped)
{
    EXPECT_EQ(jsonString("F=0.1  G=0"), "\"F=0.1  G=0\"");
    EXPECT_EQ(jsonString(""), "\"\"");
    EXPECT_EQ(jsonString("a\"b\\c"), "\"a\\\"b\\\\c\"");
    EXPECT_EQ(jsonString("\r\n\t"), "\"\\r\\n\\t\"");
    EXPECT_EQ(jsonString(std::string("\x01\x1f", 2)), "\"\\u0001\\u001f\"");
    EXPECT_EQ(jsonString(kDuplicateMessage), std::string("\"") + kDuplicateMessage + "\"");  // UTF-8 kept
}

TEST(JsonText, NumbersReadBackToTheSameDouble)
{
    const double values[] = {0.0703044059671248,
                             1.0 / 3,
                             2.0 - 1.0 / 18,
                             0.1,
                             -0.02,
                             2,
                             1e-300,
                             std::numeric_limits<double>::denorm_min(),
                             std::numeric_limits<double>::max(),
                             9007199254740993.0};
    for (const double v : values) {
        const std::string text = jsonNumber(v);
        EXPECT_EQ(std::strtod(text.c_str(), nullptr), v) << text;
        EXPECT_EQ(text.find_first_not_of("0123456789.-+e"), std::string::npos) << text;
        std::size_t digits = 0;
        for (char c : text.substr(0, text.find('e')))
            if (c >= '0' && c <= '9') ++digits;
        EXPECT_LE(digits, 17u + 1) << text;  // 17 significant, at most one leading zero
    }
    EXPECT_EQ(jsonNumber(0.1), "0.1");
    EXPECT_EQ(jsonNumber(std::optional<double>()), "null");
}

}  // namespace
}  // namespace folix
