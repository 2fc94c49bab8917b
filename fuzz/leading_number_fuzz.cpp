// Any text typed into a box: the leading-number reading gives a finite number
// or raises the overflow error, nothing else. A shown value read back is the
// stored value rounded, so what the window shows reads as what it means.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "engine/arithmetic_error.h"
#include "engine/number_text.h"

namespace {

[[noreturn]] void fail(const char* what, double value)
{
    std::fprintf(stderr, "%s: %.17g\n", what, value);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    double value = 0;
    try {
        value = folix::readLeadingNumber(text);
    } catch (const folix::ArithmeticError& error) {
        if (error.kind() != folix::ErrorKind::Overflow) fail("reading raised another error kind", 0);
        return 0;
    }
    if (!std::isfinite(value)) fail("reading gave a value that is not finite", value);

    // Up to 10^9 the rounded value has at most 14 significant digits, all of
    // which the general format keeps.
    if (std::fabs(value) < 1e9) {
        const double shownBack = folix::readLeadingNumber(folix::displayText(value));
        if (shownBack != folix::roundForDisplay(value))
            fail("shown text does not read back as the rounded value", value);
    }
    return 0;
}
