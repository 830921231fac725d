#include "analysis/FitPolynomial.h"
#include "data/MeasurementSet.h"
#include "platform/ScriptedPlatform.h"

#include <benchmark/benchmark.h>

namespace zeb {
namespace {

void BM_FitPolynomial135(benchmark::State& state) {
    const int order = static_cast<int>(state.range(0));
    ScriptedPlatform platform;
    FitContext ctx{platform, kWeightingOn};
    std::vector<double> x0(136), y0(136), s0(136);
    for (int i = 1; i <= 135; ++i) {
        x0[i] = i * 3.0e8;
        y0[i] = 2.0e-6 * (1.0 + 1.0e-11 * x0[i]) * (1.0 + 0.01 * ((i * 7919) % 13 - 6) / 6.0);
        s0[i] = 0.01 * y0[i];
    }
    for (auto _ : state) {
        std::vector<double> x(x0), y(y0), s(s0);
        auto r = FitPolynomial(ctx, order, s, y, x, 135);
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(BM_FitPolynomial135)->Arg(1)->Arg(5)->Unit(benchmark::kMicrosecond);

// Filling the full 99 x 135 grid with by-value stores, as a reader does.
void BM_FillGridByValue(benchmark::State& state) {
    ScriptedPlatform platform;
    for (auto _ : state) {
        MeasurementSet set(platform);
        set.InitMeasurementSet();
        for (int c = 1; c <= 99; ++c) set.AddConcentration(std::string("f"), 298.15f, 0.55f, c * 1.0e-5);
        for (int a = 1; a <= 135; ++a) set.AddQ2(a * 2.9e8);
        for (int c = 1; c <= 99; ++c)
            for (int a = 1; a <= 135; ++a) set.storeValue(kCodeKcr, -1, -1, 2.0e-6, a * 2.9e8, c * 1.0e-5);
        benchmark::DoNotOptimize(set.cell(99, 135)->kcr);
    }
}
BENCHMARK(BM_FillGridByValue)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace zeb
