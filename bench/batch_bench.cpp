// Timing of `folix batch` over 10,000 angle-mode rows: a grid of thickness,
// camber and trailing-edge angle that every row designs without error.
// `batch_bench --print-rows` writes the same rows as CSV for timing the
// program itself (see the folix_batch_timing target).

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cstring>
#include <iostream>
#include <sstream>
#include <streambuf>
#include <string>

#include "app/cli/batch_run.h"

namespace {

constexpr int kThicknesses = 10;
constexpr int kCambers = 10;
constexpr int kAngles = 100;  // 10 x 10 x 100 = 10,000 rows

std::string angleModeRows()
{
    std::ostringstream csv;
    csv << "thickness,camber,te_angle\n";
    for (int t = 0; t < kThicknesses; ++t)
        for (int c = 0; c < kCambers; ++c)
            for (int a = 0; a < kAngles; ++a)
                csv << 0.08 + 0.02 * t << ',' << 0.005 * c << ',' << 0.15 * a << '\n';
    return csv.str();
}

class NullBuffer : public std::streambuf {
protected:
    int overflow(int c) override { return c; }
    std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

void BM_Batch10000AngleModeRows(benchmark::State& run)
{
    const std::string rows = angleModeRows();
    NullBuffer sink;
    std::ostream out(&sink);
    std::ostringstream err;
    for (auto _ : run) benchmark::DoNotOptimize(folix::runBatch(rows, out, err, false));
    const int rowCount = kThicknesses * kCambers * kAngles;
    run.SetItemsProcessed(run.iterations() * rowCount);
    run.counters["rows_per_s"] = benchmark::Counter(static_cast<double>(rowCount), benchmark::Counter::kIsIterationInvariantRate);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    run.counters["peak_rss_MiB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}
BENCHMARK(BM_Batch10000AngleModeRows)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && std::strcmp(argv[1], "--print-rows") == 0) {
        std::cout << angleModeRows();
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
