// Timing of `folix batch` over 10,000 angle-mode rows: a grid of thickness,
// camber and trailing-edge angle that every row designs without error, on one
// worker and on two; beside it the engine's own work for the same rows (one
// FGITER and the 52 outline points each), which the batch should not exceed
// by much. `batch_bench --print-rows [N]` writes the rows (or N of them,
// repeating the grid) as CSV for timing the program itself (see the
// folix_batch_timing target).

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cmath>
#include <cstring>
#include <iostream>
#include <sstream>
#include <streambuf>
#include <string>

#include "app/cli/batch_run.h"
#include "design/profile_tables.h"
#include "engine/parameter_solver.h"

namespace {

constexpr int kThicknesses = 10;
constexpr int kCambers = 10;
constexpr int kAngles = 100;  // 10 x 10 x 100 = 10,000 rows
constexpr int kRows = kThicknesses * kCambers * kAngles;

struct GridRow {
    double thickness;
    double camber;
    double teAngle;
};

GridRow gridRow(int i)
{
    const int t = i / (kCambers * kAngles) % kThicknesses;
    const int c = i / kAngles % kCambers;
    const int a = i % kAngles;
    return {0.08 + 0.02 * t, 0.005 * c, 0.15 * a};
}

std::string angleModeRows(long long count = kRows)
{
    std::ostringstream csv;
    csv << "thickness,camber,te_angle\n";
    for (long long i = 0; i < count; ++i) {
        const GridRow row = gridRow(static_cast<int>(i % kRows));
        csv << row.thickness << ',' << row.camber << ',' << row.teAngle << '\n';
    }
    return csv.str();
}

class NullBuffer : public std::streambuf {
protected:
    int overflow(int c) override { return c; }
    std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

void countRows(benchmark::State& run)
{
    run.SetItemsProcessed(run.iterations() * kRows);
    run.counters["rows_per_s"] = benchmark::Counter(kRows, benchmark::Counter::kIsIterationInvariantRate);
    run.counters["us_per_row"] =
        benchmark::Counter(kRows * 1e-6, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_Batch10000AngleModeRows(benchmark::State& run)
{
    const std::string rows = angleModeRows();
    NullBuffer sink;
    std::ostream out(&sink);
    std::ostringstream err;
    folix::BatchOptions options;
    options.jobs = static_cast<unsigned>(run.range(0));
    for (auto _ : run) {
        std::stringbuf csv(rows);
        benchmark::DoNotOptimize(folix::runBatch(csv, out, err, options));
    }
    countRows(run);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    run.counters["peak_rss_MiB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}
BENCHMARK(BM_Batch10000AngleModeRows)->ArgName("jobs")->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

class NullHistory : public folix::HistorySink {
public:
    void append(const std::string& line) override { benchmark::DoNotOptimize(line.data()); }
};

// What the engine does for the same rows: the solve and the outline.
void BM_EngineOnTheSameRows(benchmark::State& run)
{
    NullHistory history;
    for (auto _ : run) {
        for (int i = 0; i < kRows; ++i) {
            const GridRow row = gridRow(i);
            folix::DesignState state;
            state.Pi = 4 * std::atan(1.0);
            double Delta = row.thickness;
            double Gamma = row.camber;
            double EM = 2 - row.teAngle / 180;
            double XDMAXC = 0;
            folix::FGITER(state, history, EM, XDMAXC, Delta, Gamma, state.F, state.G);
            state.EM = EM;
            folix::fillProfileTables(state);
            benchmark::DoNotOptimize(state.XU[52]);
        }
    }
    countRows(run);
}
BENCHMARK(BM_EngineOnTheSameRows)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv)
{
    if (argc >= 2 && std::strcmp(argv[1], "--print-rows") == 0) {
        std::cout << (argc == 3 ? angleModeRows(std::stoll(argv[2])) : angleModeRows());
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
