// A point toggled with the mouse on the largest grid (99 concentrations × 135
// angles, orders 5 and 5, all curves) and the whole chart drawn again: the
// upper bound of a click. The plot window itself keeps the drawn chart and
// redraws only the parts of the changed points; zebstat_gui_timing measures
// that path (budget one frame, 16 ms).
#include "plot/PlotLayout.h"
#include "plotwindow/PointSelection.h"
#include "plotwindow/PlotWindow.h"
#include "plotwindow/PlotWindowChart.h"
#include "platform/ScriptedPlatform.h"

#include <benchmark/benchmark.h>

#ifdef ZEBSTAT_BENCH_QT
#include "plot/qt/QtCanvas.h"

#include "BenchQt.h"
#include <QImage>
#include <QPainter>

namespace zeb {
namespace {

void BM_ToggleAndFullChartMaximalGrid(benchmark::State& state) {
    bench::EnsureGuiApplication();
    ScriptedPlatform platform;
    PlotWindow window(platform);
    MeasurementSet& set = window.set();
    set.InitMeasurementSet();
    for (int c = 1; c <= 99; ++c) set.AddConcentration(std::string("/data/ps.sta"), 298.15f, 0.55f, c * 2e-5);
    for (int a = 1; a <= 135; ++a) set.AddQ2(a * 2.9e8);
    for (int c = 1; c <= 99; ++c)
        for (int a = 1; a <= 135; ++a)
            set.storeValue(kCodeKcr, c, a, 1e-6 * (1 + a * 2.9e8 * 5e-12) + 6e-4 * c * 2e-5, 0, 0);
    window.PostLoadSetup();
    window.setQOrder(FitOrder::Five);
    window.setCOrder(FitOrder::Five);
    window.plotSettings().showErrorBars = 1;

    // The chart part of a plot window of 1456 × 1030 pixels.
    QImage image(1456 - 130, 1030 - 8, QImage::Format_ARGB32_Premultiplied);
    auto paint = [&] {
        QPainter painter(&image);
        painter.fillRect(image.rect(), Qt::white);
        QtCanvas canvas(painter, image.rect(), kLogicalWidth, kLogicalHeight);
        DrawWindowChart(canvas, window, ChartTarget::Screen);
    };
    paint();
    PointSelection selection(window);
    const SelectionMapping mapping = SelectionMapping::From(*window.screenLayout(), window.axes());
    const PlotMapping map(*window.screenLayout(), window.axes());
    const DataPoint* p = set.cell(50, 70);
    const double x = map.X(p->x()), y = map.Y(p->y());
    for (auto _ : state) {
        selection.FormMouseMove(x, y, mapping);
        selection.FormMouseDown(x, y, mapping);
        benchmark::DoNotOptimize(selection.FormMouseUp(x, y, mapping, false));
        paint();
    }
    state.counters["active"] = p->active;
}
BENCHMARK(BM_ToggleAndFullChartMaximalGrid)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace zeb
#endif
