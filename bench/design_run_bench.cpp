// Timings of one click of "Design airfoil", without the window: the typical
// angle-mode design and the slowest location-mode designs found by a sweep of
// thickness 0.01-0.40, camber 0-0.12, angle 0-60 degrees and location 0.05-0.70.

#include <benchmark/benchmark.h>

#include "design/design_run.h"

namespace {

using namespace folix;

class CountingFrontEnd : public DesignFrontEnd {
public:
    void clearHistory() override { lines = 0; }
    void append(const std::string& line) override
    {
        benchmark::DoNotOptimize(line.data());
        ++lines;
    }
    void showResults(const ResultTexts& texts) override { benchmark::DoNotOptimize(texts.m.data()); }
    void drawSection(const Outline& outline) override { benchmark::DoNotOptimize(outline.data()); }
    int lines = 0;
};

void runOnce(benchmark::State& run, const DesignInputs& inputs)
{
    DesignState state;
    CountingFrontEnd frontEnd;
    bool stopped = false;
    for (auto _ : run) {
        try {
            runDesign(state, inputs, frontEnd);
        } catch (const ArithmeticError&) {
            stopped = true;
        }
    }
    run.counters["history_lines"] = frontEnd.lines;
    run.counters["stopped"] = stopped;
}

void BM_AngleMode_Typical(benchmark::State& run)
{
    runOnce(run, {0.12, 0.02, 10, std::nullopt});
}
BENCHMARK(BM_AngleMode_Typical)->Unit(benchmark::kMicrosecond);

// The most solves of a run that completes: 22, six of them giving up, and the
// exponent search giving up after 20 steps.
void BM_LocationMode_SlowestCompleted(benchmark::State& run)
{
    runOnce(run, {0.28, 0, 50, 0.1});
}
BENCHMARK(BM_LocationMode_SlowestCompleted)->Unit(benchmark::kMillisecond);

// The slowest of all: 19 cambered solves, 12 of them giving up, until the
// mapping meets a power without a real value.
void BM_LocationMode_SlowestStopped(benchmark::State& run)
{
    runOnce(run, {0.38, 0.1, 60, 0.15});
}
BENCHMARK(BM_LocationMode_SlowestStopped)->Unit(benchmark::kMillisecond);

}  // namespace
