#include "../tests/support/SyntheticSets.h"
#include "platform/ScriptedPlatform.h"
#include "plotwindow/PlotWindow.h"

#include <benchmark/benchmark.h>

namespace zeb {
namespace {

// PreparePoints + Calculate on the largest grid a window loads (99 x 135), q
// order 5, c order 5, smoothing on, for each plot type.
void BM_PrepareAndCalculate(benchmark::State& state) {
    const int plotType = static_cast<int>(state.range(0));
    ScriptedPlatform platform;
    PlotWindow window(platform);
    test::ModelParams model;
    model.noise = 0.01;
    test::FillModelSet(window.set(), 99, 135, model);
    window.setRememberedSmoothing(Smoothing::On);
    window.PostLoadSetup();
    switch (plotType) {
    case 2: window.setPlotType(PlotType::Berry); break;
    case 3: window.setPlotType(PlotType::Guinier); break;
    case 4: window.setPlotType(PlotType::DI); break;
    case 5: window.setPlotType(PlotType::DII); break;
    case 6: window.setPlotType(PlotType::DIII); break;
    default: break;
    }
    window.setQOrder(FitOrder::Five);
    window.setCOrder(FitOrder::Five);
    if (window.smoothing() != Smoothing::On || !window.results().anyRow) state.SkipWithError("set-up failed");
    for (auto _ : state) {
        window.PreparePoints(1);
        window.calculate();
        benchmark::DoNotOptimize(window.lineC0().y());
    }
}
BENCHMARK(BM_PrepareAndCalculate)->DenseRange(1, 6)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace zeb
