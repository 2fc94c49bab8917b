// The wider input sweep, too long for every test run: designs every point of a
// finer grid, checks each run as the sweep test does, and prints how the runs
// ended, the longest history and the slowest run of each mode. Exit status 1
// when any run broke a rule.
// Usage: input_sweep_report [thicknesses cambers angles locations]

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/sweep/input_grid.h"
#include "testing/watched_design_run.h"

using namespace folix;
using namespace folix::sweep;

namespace {

// A single timing can catch a preemption: the slowest few of the sweep are
// timed again, and the slowest median of 21 runs is reported.
constexpr std::size_t kCandidates = 5;
constexpr int kTimings = 21;

struct Timed {
    double ms;
    TypedInputs inputs;
};

struct ModeReport {
    OutcomeTally tally;
    std::size_t longestHistory = 0;
    std::vector<Timed> slowest;  // the slowest single runs, slowest first
};

// One run in a fresh record, timed.
double milliseconds(const TypedInputs& inputs, DesignState& state, WatchedRun& run)
{
    const auto before = std::chrono::steady_clock::now();
    run = watchDesignRun(state, inputs);
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - before).count();
}

double medianMilliseconds(const TypedInputs& inputs)
{
    std::vector<double> times;
    for (int i = 0; i < kTimings; ++i) {
        DesignState state;
        WatchedRun run;
        times.push_back(milliseconds(inputs, state, run));
    }
    std::nth_element(times.begin(), times.begin() + kTimings / 2, times.end());
    return times[kTimings / 2];
}

void keepIfSlow(std::vector<Timed>& slowest, const Timed& run)
{
    slowest.push_back(run);
    std::sort(slowest.begin(), slowest.end(), [](const Timed& a, const Timed& b) { return a.ms > b.ms; });
    if (slowest.size() > kCandidates) slowest.pop_back();
}

Timed slowestByMedian(const std::vector<Timed>& candidates)
{
    Timed slowest{0, {}};
    for (const Timed& candidate : candidates) {
        const double ms = medianMilliseconds(candidate.inputs);
        if (ms > slowest.ms) slowest = {ms, candidate.inputs};
    }
    return slowest;
}

std::string inputsText(const TypedInputs& in)
{
    return in.delta + " " + in.gamma + " " + in.tau + (in.locationMode ? " " + in.xDltc : "");
}

}  // namespace

int main(int argc, char** argv)
{
    GridSize size{13, 11, 16, 11};
    if (argc == 5) size = {std::atoi(argv[1]), std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4])};
    else if (argc != 1) {
        std::fprintf(stderr, "usage: %s [thicknesses cambers angles locations]\n", argv[0]);
        return 2;
    }
    if (size.thicknesses < 1 || size.cambers < 1 || size.angles < 1 || size.locations < 1) {
        std::fprintf(stderr, "every count must be at least 1\n");
        return 2;
    }

    ModeReport modes[2];
    int unsound = 0;
    const auto started = std::chrono::steady_clock::now();
    forEachGridInput(size, [&](const TypedInputs& inputs) {
        DesignState state;
        WatchedRun run;
        const double ms = milliseconds(inputs, state, run);
        ModeReport& mode = modes[inputs.locationMode ? 1 : 0];
        mode.tally.count(run.error);
        mode.longestHistory = std::max(mode.longestHistory, run.frontEnd.history.size());
        keepIfSlow(mode.slowest, {ms, inputs});
        for (const std::string& problem : problemsOf(run, state, inputs))
            if (++unsound <= 20) std::printf("UNSOUND %s: %s\n", inputsText(inputs).c_str(), problem.c_str());
    });
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();

    std::printf("grid: %d thicknesses 0..0.6, %d cambers -0.1..0.15, %d angles -30..120 deg, %d locations 0..1\n",
                size.thicknesses, size.cambers, size.angles, size.locations);
    const char* names[] = {"angle mode", "location mode"};
    for (int m = 0; m < 2; ++m) {
        const Timed slowest = slowestByMedian(modes[m].slowest);
        std::printf("%-14s %s\n", names[m], describe(modes[m].tally).c_str());
        std::printf("%-14s longest history %zu lines (limit %zu); slowest run %.3f ms (median of %d) for %s\n", "",
                    modes[m].longestHistory, kMostHistoryLines, slowest.ms, kTimings,
                    inputsText(slowest.inputs).c_str());
    }
    std::printf("rule violations: %d; sweep took %.1f s\n", unsound, seconds);
    return unsound == 0 ? 0 : 1;
}
