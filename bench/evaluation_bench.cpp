#include "../tests/support/SyntheticSets.h"
#include "evaluation/Evaluation.h"

#include <benchmark/benchmark.h>

namespace zeb {
namespace {

// The whole evaluation of a loaded set on the largest grid a window loads
// (99 x 135): the copy of the set, the plotted points and the calculation, q
// and c order 5 with smoothing, for each plot type.
void BM_Evaluation(benchmark::State& state) {
    MessageLog log;
    MeasurementSet loaded(log);
    test::ModelParams model;
    model.noise = 0.01;
    test::FillModelSet(loaded, 99, 135, model);
    EvaluationOptions options;
    options.plotType = static_cast<PlotType>(state.range(0));
    options.qOrder = options.cOrder = FitOrder::Five;
    options.smoothing = Smoothing::On;
    for (auto _ : state) {
        const Evaluation e(loaded, options);
        if (!e.results.anyRow) state.SkipWithError("nothing calculated");
        benchmark::DoNotOptimize(e.fits.lineC0.y());
    }
}
BENCHMARK(BM_Evaluation)->DenseRange(1, 6)->Unit(benchmark::kMicrosecond);

// The copy alone: what an evaluation pays for leaving the loaded set untouched.
void BM_CopyLoadedSet(benchmark::State& state) {
    MessageLog log;
    MeasurementSet loaded(log);
    test::FillModelSet(loaded, 99, 135, test::ModelParams{});
    for (auto _ : state) {
        MessageLog copyLog;
        const MeasurementSet copy(loaded, copyLog);
        benchmark::DoNotOptimize(copy.cell(99, 135));
    }
}
BENCHMARK(BM_CopyLoadedSet)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace zeb
