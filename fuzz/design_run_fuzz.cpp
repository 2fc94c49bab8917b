// A whole "Design airfoil" click over arbitrary typed texts, in either mode:
// the run completes or stops with an arithmetic error, and either way keeps
// every rule of the input sweep (finite record and outline, number texts,
// iteration limits). The typical design that follows in the same record is
// then exactly the one of a fresh record. Input: one mode byte, then the four
// texts, each ended by a NUL byte.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "testing/watched_design_run.h"

namespace {

using folix::sweep::WatchedRun;

void failWith(const std::vector<std::string>& problems)
{
    if (problems.empty()) return;
    for (const std::string& problem : problems) std::fprintf(stderr, "%s\n", problem.c_str());
    std::abort();
}

const folix::TypedInputs kTypical{"0.12", "0.02", "10", "0.3", false};

// What the typical design shows and stores in a fresh record.
struct FreshTypical {
    folix::DesignState state;
    WatchedRun run = folix::sweep::watchDesignRun(state, kTypical);
};

bool sameRun(const WatchedRun& a, const WatchedRun& b)
{
    if (a.error != b.error || a.frontEnd.history != b.frontEnd.history) return false;
    if (a.frontEnd.texts.f != b.frontEnd.texts.f || a.frontEnd.texts.g != b.frontEnd.texts.g ||
        a.frontEnd.texts.m != b.frontEnd.texts.m || a.frontEnd.texts.airfoilType != b.frontEnd.texts.airfoilType)
        return false;
    for (std::size_t i = 0; i < a.frontEnd.outline.size(); ++i)
        if (a.frontEnd.outline[i].x != b.frontEnd.outline[i].x || a.frontEnd.outline[i].y != b.frontEnd.outline[i].y)
            return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0) return 0;
    std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    auto nextText = [&rest] {
        const std::size_t end = std::min(rest.find('\0'), rest.size());
        std::string text(rest.substr(0, end));
        rest.remove_prefix(std::min(end + 1, rest.size()));
        return text;
    };

    folix::TypedInputs inputs;
    inputs.locationMode = (data[0] & 1) != 0;
    inputs.delta = nextText();
    inputs.gamma = nextText();
    inputs.tau = nextText();
    inputs.xDltc = nextText();

    folix::DesignState state;
    const WatchedRun run = folix::sweep::watchDesignRun(state, inputs);
    failWith(folix::sweep::problemsOf(run, state, inputs));

    static const FreshTypical fresh;
    const WatchedRun next = folix::sweep::watchDesignRun(state, kTypical);
    if (!sameRun(next, fresh.run)) failWith({"the typical design after this run differs from a fresh one"});
    return 0;
}
