// Drawing the largest chart a file can give: 99 concentrations × 135 angles,
// all extrapolated points, every fitted curve in q² and in c (order 5), error
// bars, results and file names.
#include "plot/ChartExport.h"
#include "plot/ChartFixture.h"
#include "plot/RecordingCanvas.h"

#include <benchmark/benchmark.h>

#ifdef ZEBSTAT_BENCH_QT
#include "plot/qt/ChartRaster.h"
#include "BenchQt.h"
#endif

namespace zeb {
namespace {

test::ChartFixture& MaximalChart() {
    static test::ChartFixture* f = [] {
        auto* fixture = new test::ChartFixture(99, 135, 1e11);
        fixture->in.qOrder = 5;
        fixture->in.cOrder = 5;
        fixture->settings.showErrorBars = 1;
        fixture->settings.fitDisplay = 1;
        fixture->in.sourceFiles.clear();
        for (int c = 1; c <= 99; ++c) fixture->in.sourceFiles += (c > 1 ? "; " : "") + fixture->set.sourceName[static_cast<std::size_t>(c)];
        fixture->rescale();
        return fixture;
    }();
    return *f;
}

void BM_ChartOnRecordingCanvas(benchmark::State& state) {
    const ChartInputs& in = MaximalChart().in;
    for (auto _ : state) {
        RecordingCanvas canvas;
        benchmark::DoNotOptimize(DrawChart(canvas, in, {ChartTarget::Screen}));
        benchmark::DoNotOptimize(canvas.ops().size());
    }
}
BENCHMARK(BM_ChartOnRecordingCanvas)->Unit(benchmark::kMillisecond);

void BM_ChartAsWmf(benchmark::State& state) {
    const ChartInputs& in = MaximalChart().in;
    for (auto _ : state) benchmark::DoNotOptimize(ChartToPlaceableWmf(in, nullptr));
}
BENCHMARK(BM_ChartAsWmf)->Unit(benchmark::kMillisecond);

void BM_ChartAsSvg(benchmark::State& state) {
    const ChartInputs& in = MaximalChart().in;
    for (auto _ : state) benchmark::DoNotOptimize(ChartToSvg(in, nullptr));
}
BENCHMARK(BM_ChartAsSvg)->Unit(benchmark::kMillisecond);

#ifdef ZEBSTAT_BENCH_QT
void BM_ChartAsImage1456x1030(benchmark::State& state) {
    bench::EnsureGuiApplication();
    const ChartInputs& in = MaximalChart().in;
    for (auto _ : state) benchmark::DoNotOptimize(RenderChartImage(in, QSize(1456, 1030)));
}
BENCHMARK(BM_ChartAsImage1456x1030)->Unit(benchmark::kMillisecond);
#endif

} // namespace
} // namespace zeb
