#include "../tests/support/SyntheticSets.h"
#include "evaluation/Bootstrap.h"
#include "evaluation/Evaluation.h"
#include "evaluation/FormFactorFit.h"
#include "evaluation/Intervals.h"
#include "evaluation/OrderAdvice.h"

#include <benchmark/benchmark.h>

namespace zeb {
namespace {

// An evaluated set of the noisy polymer: nc concentrations x na angles, q² and
// c order 1, as a window has it before the intervals are asked for.
struct Evaluated {
    test::ModelSet loaded;
    Evaluation e;
    Evaluated(int nc, int na)
        : loaded(nc, na, test::NoisyPolymer()), e(loaded.set, [] {
              EvaluationOptions o;
              o.qOrder = o.cOrder = FitOrder::One;
              return o;
          }()) {}
};

// 2,000 resamples, the whole run (the linear map of the fits included): the
// example's size (4 x 13) and the largest grid a window loads (99 x 135).
void BM_Bootstrap2000(benchmark::State& state) {
    const Evaluated evaluated(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    for (auto _ : state) {
        const BootstrapOutcome out = BootstrapIntervals(evaluated.e, {.seed = 1, .resamples = 2000});
        if (!out.percentile.results[0].determined()) state.SkipWithError("no interval");
        benchmark::DoNotOptimize(out.bca.results[0].interval);
    }
}
BENCHMARK(BM_Bootstrap2000)->Args({4, 13})->Args({99, 135})->Unit(benchmark::kMillisecond);

void BM_PropagatedIntervals(benchmark::State& state) {
    const Evaluated evaluated(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    for (auto _ : state) benchmark::DoNotOptimize(PropagatedIntervals(evaluated.e).results[0].interval);
}
BENCHMARK(BM_PropagatedIntervals)->Args({4, 13})->Args({99, 135})->Unit(benchmark::kMillisecond);

// The neighbouring orders in both directions, each with its intervals.
void BM_OrderAdvice(benchmark::State& state) {
    const Evaluated evaluated(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    for (auto _ : state) benchmark::DoNotOptimize(AdviseOrders(evaluated.e).tests.size());
}
BENCHMARK(BM_OrderAdvice)->Args({4, 13})->Args({99, 135})->Unit(benchmark::kMillisecond);

// The four particle models fitted to the points at c = 0.
void BM_FormFactorFits(benchmark::State& state) {
    const Evaluated evaluated(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    for (auto _ : state) benchmark::DoNotOptimize(FitFormFactors(evaluated.e).bestModel);
}
BENCHMARK(BM_FormFactorFits)->Args({4, 13})->Args({99, 135})->Unit(benchmark::kMillisecond);

} // namespace
} // namespace zeb
