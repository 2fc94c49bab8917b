// Timings of the mapping engine for the typical cases: one contour point, the
// measurement of the 10 per cent symmetric section, and the solve of the
// 12 per cent, 2 per cent camber, 10 degree section.

#include <benchmark/benchmark.h>

#include "engine/contour_mapping.h"
#include "engine/parameter_solver.h"
#include "engine/section_measurement.h"

namespace {

using namespace folix;

class NullHistory : public HistorySink {
public:
    void append(const std::string& line) override { benchmark::DoNotOptimize(line.data()); }
};

void BM_XY(benchmark::State& run)
{
    DesignState state;
    double F = 0.1, G = 0.04, EM = 1.9, B = 1.0;
    int I = 1;
    for (auto _ : run) {
        double TETA = 1.0;
        XY(state, F, G, EM, TETA, I, B);
        benchmark::DoNotOptimize(state.XU[I]);
    }
}
BENCHMARK(BM_XY);

void BM_DGX_TenPerCentSymmetric(benchmark::State& run)
{
    DesignState state;
    NullHistory history;
    double F = 0.0835416, G = 0.0, EM = 2.0, DMAX = 0, GMAX = 0, XDMAXC = 0;
    for (auto _ : run) {
        DGX(state, history, F, G, EM, DMAX, GMAX, XDMAXC);
        benchmark::DoNotOptimize(XDMAXC);
    }
}
BENCHMARK(BM_DGX_TenPerCentSymmetric);

void BM_DGX_Cambered(benchmark::State& run)
{
    DesignState state;
    NullHistory history;
    double F = 0.1, G = 0.04, EM = 2.0, DMAX = 0, GMAX = 0, XDMAXC = 0;
    for (auto _ : run) {
        DGX(state, history, F, G, EM, DMAX, GMAX, XDMAXC);
        benchmark::DoNotOptimize(XDMAXC);
    }
}
BENCHMARK(BM_DGX_Cambered);

void BM_FGITER_TypicalTenDegrees(benchmark::State& run)
{
    DesignState state;
    NullHistory history;
    double EM = 2 - 1.0 / 18, XDMAXC = 0, Delta = 0.12, Gamma = 0.02;
    for (auto _ : run) {
        FGITER(state, history, EM, XDMAXC, Delta, Gamma, state.F, state.G);
        benchmark::DoNotOptimize(state.F);
    }
}
BENCHMARK(BM_FGITER_TypicalTenDegrees);

}  // namespace
