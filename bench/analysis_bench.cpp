#include "../tests/support/SyntheticSets.h"
#include "platform/ScriptedPlatform.h"
#include "plotwindow/TFitF1.h"

#include <benchmark/benchmark.h>

namespace zeb {
namespace {

// PreparePoints + Calculate on the largest grid a window loads (99 x 135), q
// order 5, c order 5, smoothing on, for each plot type.
void BM_PrepareAndCalculate(benchmark::State& state) {
    const int plotType = static_cast<int>(state.range(0));
    ScriptedPlatform platform;
    TFitF1 window(platform);
    test::ModelParams model;
    model.noise = 0.01;
    test::FillModelSet(window.set(), 99, 135, model);
    window.setRememberedSmoothing(Smoothing::On);
    window.PostLoadSetup();
    switch (plotType) {
    case 2: window.OnBerechnungPlottypBerry(); break;
    case 3: window.OnBerechnungPlottypGuinier(); break;
    case 4: window.OnBerechnungPlottypDi(); break;
    case 5: window.OnBerechnungPlottypDii(); break;
    case 6: window.OnBerechnungPlottypDiii(); break;
    default: break;
    }
    window.OnBerechnungQ5();
    window.OnBerechnungC5();
    if (window.smoothing() != Smoothing::On || !window.results().anyRow) state.SkipWithError("set-up failed");
    for (auto _ : state) {
        window.PreparePoints(1);
        window.OnClickedRechne();
        benchmark::DoNotOptimize(window.lineC0().y());
    }
}
BENCHMARK(BM_PrepareAndCalculate)->DenseRange(1, 6)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace zeb
