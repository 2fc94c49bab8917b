// Timings of the section analysis at the analysis window's 400 points: a new
// angle of attack on a mapped section (what the spin box asks for), a new
// design (mapping the points, then one angle), and the pressure integration
// that cross-checks the closed forms; and what `folix design --cp` adds to a
// design: the analysis at the coordinate file's points and the file's text.

#include <benchmark/benchmark.h>

#include "testing/pressure_integration.h"
#include "engine/section_analysis.h"
#include "engine/selig_export.h"

namespace {

using namespace folix;

constexpr int kPoints = 400;
constexpr double kF = 0.070304405967124839;  // 12 %, 2 % camber, 10 degrees
constexpr double kG = 0.043769303782416197;
constexpr double kEM = 1.9444444444444444;

void BM_NewAngleOfAttack(benchmark::State& run)
{
    const SectionAnalysis section(kF, kG, kEM, seligCircleAngles(kPoints));
    double alpha = -20;
    for (auto _ : run) {
        SectionLoads loads = section.loads(alpha);
        benchmark::DoNotOptimize(loads.Cp.data());
        alpha = alpha < 20 ? alpha + 0.5 : -20;
    }
}
BENCHMARK(BM_NewAngleOfAttack)->Unit(benchmark::kMicrosecond);

void BM_NewDesign(benchmark::State& run)
{
    const std::vector<double> angles = seligCircleAngles(kPoints);
    for (auto _ : run) {
        const SectionAnalysis section(kF, kG, kEM, angles);
        SectionLoads loads = section.loads(4.0);
        benchmark::DoNotOptimize(loads.Cp.data());
    }
}
BENCHMARK(BM_NewDesign)->Unit(benchmark::kMicrosecond);

void BM_IntegratePressures(benchmark::State& run)
{
    const SectionAnalysis section(kF, kG, kEM, seligCircleAngles(kPoints));
    const std::vector<double> Cp = section.pressureCoefficients(4.0);
    for (auto _ : run) {
        IntegratedLoads loads = integratePressures(section.surface(), Cp, 4.0);
        benchmark::DoNotOptimize(loads.Cl);
    }
}
BENCHMARK(BM_IntegratePressures)->Unit(benchmark::kMicrosecond);

void BM_PressureFile(benchmark::State& run)
{
    const int points = static_cast<int>(run.range(0));
    for (auto _ : run) {
        const SectionAnalysis section(kF, kG, kEM, seligPointAngles(points));
        std::vector<SectionPoint> outline;
        outline.reserve(section.surface().size());
        for (const SurfacePoint& p : section.surface()) outline.push_back({p.x, p.y});
        const std::string text = seligPressureText("name", outline, section.pressureCoefficients(4.0));
        benchmark::DoNotOptimize(text.data());
    }
}
BENCHMARK(BM_PressureFile)->Arg(kDefaultSeligPoints)->Arg(kMostSeligPoints)->Unit(benchmark::kMicrosecond);

}  // namespace
