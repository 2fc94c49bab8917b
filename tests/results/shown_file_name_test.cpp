#include <gtest/gtest.h>

#include "results/shown_file_name.h"

namespace folix {
namespace {

TEST(ShownFileName, QuotesOnlyNamesThatHoldControlCharacters)
{
    const std::pair<std::string, std::string> cases[] = {
        {"Folix_Input.txt", "Folix_Input.txt"},
        {"/tmp/a b/\"x\".dat", "/tmp/a b/\"x\".dat"},
        {"Fl\u00fcgel \u00e9t\u00e9.dat", "Fl\u00fcgel \u00e9t\u00e9.dat"},
        {"a.dat\nerror: b", "\"a.dat\\nerror: b\""},
        {"\"q\"\t\\\r", "\"\\\"q\\\"\\t\\\\\\r\""},
        {"esc\x1b[2J.dat", "\"esc\\x1b[2J.dat\""},
        {"del\x7f", "\"del\\x7f\""},
        {"c1\xc2\x9b" "31m", "\"c1\\xc2\\x9b31m\""},
        {"latin1 \xe9t\xe9", "\"latin1 \\xe9t\\xe9\""},
        {"overlong \xc0\xaf", "\"overlong \\xc0\\xaf\""},
        {"cut \xe2\x82", "\"cut \\xe2\\x82\""},
    };
    for (const auto& [name, shown] : cases) EXPECT_EQ(shownFileName(name), shown) << shown;
}

}  // namespace
}  // namespace folix
