#include <gtest/gtest.h>

#include "design/design_hint.h"
#include "window/typed_inputs.h"

namespace folix {
namespace {

TEST(DesignHint, NamesTheInputAndItsLimitWhereTheCauseIsKnown)
{
    const std::pair<TypedInputs, const char*> cases[] = {  // no hint for nullptr
        {{"0.12", "-0.02", "10"}, "camber ratio must be 0 or more, not -0.02"},
        {{"12", "0.02", "10"}, "thickness is a ratio of the chord: 0.12 is 12 %"},
        {{"0.12", "2", "10"}, "camber is a ratio of the chord: 0.02 is 2 %"},
        {{"0.0561", "0", "13.54"}, "thickness ratio must be more than 0.05915 at a trailing-edge angle of 13.54 degrees"},
        {{"0.0561", "0.02", "13.54"},
         "thickness ratio must be more than 0.05924 at a trailing-edge angle of 13.54 degrees and camber ratio 0.02"},
        {{"0", "0", "0"}, "thickness ratio must be more than 0"},
        {{"0.12", "0.02", "0", "0.2", true},
         "max-thickness location 0.2 is out of reach at thickness ratio 0.12 and camber ratio 0.02: without crossing "
         "surfaces it lies from 0.253 (trailing-edge angle 0) to below 0.5"},
        {{"0.12", "0", "0", "0.45", true},
         "max-thickness location 0.45 is in reach (0.25315 to below 0.5) but the search missed it: start from a "
         "trailing-edge angle near 21.8 degrees"},
        {{"0.12", "0", "21.8", "0.45", true}, nullptr},  // started there, it converges
        {{"0.96", "0", "10"}, nullptr},                   // thicker than any section of that camber: not worked out
    };
    for (const auto& [inputs, hint] : cases) {
        SCOPED_TRACE(inputs.delta + " " + inputs.gamma + " " + inputs.tau + " " + inputs.xDltc);
        const DesignOutcome o = typedDesignOutcome(inputs);
        EXPECT_EQ(o.hint.value_or("none"), hint ? hint : "none");
        EXPECT_EQ(designHint(readTypedInputs(inputs), o), o.hint);
    }
}

}  // namespace
}  // namespace folix
