#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "results/record_text.h"
#include "results/results_file.h"

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

}  // namespace
