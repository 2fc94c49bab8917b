#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <sys/resource.h>

#include "results/record_text.h"
#include "results/results_file.h"
#include "testing/generated_file.h"

namespace {

folix::DesignState exampleDesign()
{
    folix::DesignState state;
    state.Delta = 0.1;
    state.XDltC = 0.25;
    state.F = 0.07;
    state.EM = 1.944444;
    return state;
}

void RecordLine(benchmark::State& run)
{
    folix::DesignState state = exampleDesign();
    state.Tau = 10.00008;
    for (auto _ : run) benchmark::DoNotOptimize(folix::recordLine(state));
}
BENCHMARK(RecordLine);

// The longest reading a save does: a full file whose last tested record is the
// design, so every save is refused and the file stays the same.
void RefusedSaveOfAFullFile(benchmark::State& run)
{
    std::string folder = (std::filesystem::temp_directory_path() / "folix-bench-XXXXXX").string();
    if (::mkdtemp(folder.data()) == nullptr) {
        run.SkipWithError("no temporary folder");
        return;
    }
    const std::filesystem::path file = std::filesystem::path(folder) / folix::kResultsFileName;
    {
        std::ofstream out(file, std::ios::binary);
        out << folix::kHeaderLine << "\r\n\r\n";
        for (int k = 1; k < 100; ++k) out << " 0.20   0.00   0.25000   10.00   0.07000   0.00000   1.94444\r\n";
        out << " 0.10   0.00   0.25000   10.00   0.07000   0.00000   1.94444\r\n";
    }
    folix::DesignState state = exampleDesign();
    for (auto _ : run) benchmark::DoNotOptimize(folix::saveResult(state, file));
    std::filesystem::remove_all(folder);
}
BENCHMARK(RefusedSaveOfAFullFile);

long peakResidentKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// A save onto a large file that is no results file at all: it must append in
// bounded time and memory, reading the file in chunks, never whole.
void SaveOntoLargeOddFile(benchmark::State& run)
{
    using namespace folix::testing;
    struct Kind {
        const char* name;
        std::size_t chunks;
        ChunkMaker make;
    };
    const Kind kinds[] = {
        {"binary, 16 MiB", 256, binaryChunk},
        {"32 MiB without a line end", 512, unbrokenChunk},
        {"10 MiB of short lines", 160, shortLinesChunk},
    };
    constexpr double kMostSeconds = 2;
    constexpr long kMostGrowthKilobytes = 4L * 1024;

    const Kind& kind = kinds[run.range(0)];
    run.SetLabel(kind.name);
    std::string folder = (std::filesystem::temp_directory_path() / "folix-bench-XXXXXX").string();
    if (::mkdtemp(folder.data()) == nullptr) {
        run.SkipWithError("no temporary folder");
        return;
    }
    const std::filesystem::path file = std::filesystem::path(folder) / folix::kResultsFileName;
    for (auto _ : run) {
        run.PauseTiming();
        writeGenerated(file, kind.chunks, kind.make);
        folix::DesignState state = exampleDesign();
        const long peakBefore = peakResidentKilobytes();
        const auto start = std::chrono::steady_clock::now();
        run.ResumeTiming();

        const folix::SaveResult saved = folix::saveResult(state, file);

        run.PauseTiming();
        const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
        const long growth = peakResidentKilobytes() - peakBefore;
        run.counters["peak_growth_KiB"] = static_cast<double>(growth);
        const char* failure = nullptr;
        if (saved.outcome != folix::SaveOutcome::Appended) failure = "the save did not append";
        else if (seconds.count() > kMostSeconds) failure = "the save took more than 2 s";
        else if (growth > kMostGrowthKilobytes) failure = "the save grew the peak memory by more than 4 MiB";
        run.ResumeTiming();
        if (failure) {
            run.SkipWithError(failure);
            break;
        }
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(SaveOntoLargeOddFile)->DenseRange(0, 2)->Iterations(2)->Unit(benchmark::kMillisecond);

}  // namespace
