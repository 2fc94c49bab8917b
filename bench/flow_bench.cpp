// Timings of the Flow window's drawing for the 12 %, 2 %, 10 degree section:
// a redraw as the angle changes (the 40 streamlines and the colour field of
// the section plane, then with the circle plane beside it), its parts, one
// point of the field, and the same redraw painted by the window itself.
// A redraw must take less than 100 ms.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCheckBox>
#include <QPixmap>

#include "engine/flow_field.h"
#include "engine/streamlines.h"
#include "window/flow_canvas.h"
#include "window/flow_scene.h"
#include "window/flow_window.h"

namespace {

using namespace folix;

constexpr double kF = 0.070304405967124839;
constexpr double kG = 0.043769303782416197;
constexpr double kEM = 1.9444444444444444;

// Through the angles the window's box steps over, so no two redraws are alike.
double nextAngle(double& alpha)
{
    alpha = alpha < 20 ? alpha + 0.5 : -20;
    return alpha;
}

void BM_FlowScene(benchmark::State& run)
{
    FlowSceneOptions options;
    options.circlePlane = run.range(0) != 0;
    double alpha = 0;
    std::size_t lines = 0;
    for (auto _ : run) {
        options.alpha = nextAngle(alpha);
        const FlowScene scene = flowScene(kF, kG, kEM, options);
        lines = scene.section.streamlines.size();
        benchmark::DoNotOptimize(scene.section.field.pixels.data());
    }
    run.counters["streamlines"] = static_cast<double>(lines);
}
BENCHMARK(BM_FlowScene)->Arg(0)->Arg(1)->ArgName("circle_plane")->Unit(benchmark::kMillisecond);

void BM_Streamlines(benchmark::State& run)
{
    double alpha = 0;
    for (auto _ : run) {
        const FlowField field(kF, kG, kEM, nextAngle(alpha));
        const std::vector<Streamline> lines =
            traceStreamlines(field, FlowPlane::Section, kSectionView, streamlineLevels(field, kSectionView, kFlowStreamlines));
        benchmark::DoNotOptimize(lines.data());
    }
}
BENCHMARK(BM_Streamlines)->Unit(benchmark::kMillisecond);

void BM_ColourField(benchmark::State& run)
{
    FlowSceneOptions options;
    options.streamlines = 0;
    double alpha = 0;
    for (auto _ : run) {
        options.alpha = nextAngle(alpha);
        const FlowScene scene = flowScene(kF, kG, kEM, options);
        benchmark::DoNotOptimize(scene.section.field.pixels.data());
    }
}
BENCHMARK(BM_ColourField)->Unit(benchmark::kMillisecond);

void BM_SectionSample(benchmark::State& run)
{
    const FlowField field(kF, kG, kEM, 4);
    double x = -0.5;
    for (auto _ : run) {
        benchmark::DoNotOptimize(field.sectionSample({x, 0.2}));
        x = x < 1.5 ? x + 0.01 : -0.5;
    }
}
BENCHMARK(BM_SectionSample);

// The window's own redraw: a new angle, the scene, and a paint of the canvas.
void BM_FlowWindowRedraw(benchmark::State& run)
{
    FlowWindow window;
    window.showDesign({"KARMAN-TREFFTZ AIRFOIL", kF, kG, kEM});
    window.findChild<QCheckBox*>("FlowCirclePlane")->setChecked(run.range(0) != 0);
    window.resize(1100, 520);
    window.show();
    QApplication::processEvents();
    double alpha = 0;
    for (auto _ : run) {
        window.setAngleOfAttack(nextAngle(alpha));
        const QPixmap painted = window.canvas()->grab();
        benchmark::DoNotOptimize(painted.cacheKey());
    }
}
BENCHMARK(BM_FlowWindowRedraw)->Arg(0)->Arg(1)->ArgName("circle_plane")->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
