// The chart side of the plot window: its settings, axes, source-file list and
// the inputs of the chart drawing.
#include "plotwindow/PlotWindowChart.h"

#include "platform/CodePage.h"
#include "plot/AxisCaptions.h"
#include "plot/ChartExport.h"
#include "plot/EvaluationChart.h"
#include "plotwindow/PlotWindow.h"
#include "plot/TextWrap.h"
#include "settings/SettingsFile.h"

namespace zeb {

// ---- PlotWindow members

void PlotWindow::ReadWindowSettings(const GlobalDefaults& defaults, const std::string& settingsPath) {
    chart_.settings = zeb::ReadWindowSettings(defaults, settingsPath);
    chart_.sampleNameTaken.clear();
    chart_.legendTaken = {};
    // The analysis state follows the copied defaults.
    options_.weighting = WeightingFromCode(defaults.weighting);
    options_.smoothing = SmoothingFromCode(defaults.smoothing);
    TakeSampleNameAndLegend(chart_, set_, ff_);
    SelectAxisTitles(chart_.settings, PlotTypeNumber(options_.plotType), ff_.form);
}

void PlotWindow::RescaleAxes() { RescaleChart(chart_, set_, fits_, options_.plotType, ff_); }

void PlotWindow::SetAxesAutomatic() {
    chart_.settings.manualX.on = 0;
    chart_.settings.manualY.on = 0;
}

void PlotWindow::StoreScreenPaint(const ChartDrawResult& paint) {
    chart_.screen = paint;
    chart_.painted = true;
}

// ---- Chart inputs and targets

ChartInputs MakeChartInputs(const PlotWindow& w) {
    return ChartInputsOf(w.chartState(), w.set(), w.calculationOptions(), w.fits(), w.results(), w.formFactor());
}

bool ChartReady(const PlotWindow& w) { return w.calculated() && !w.loading() && w.set().initialised(); }

ChartDrawResult DrawWindowChart(Canvas& canvas, PlotWindow& w, ChartTarget target, bool monochrome,
                                const LogicalExtent& extent) {
    const ChartInputs in = MakeChartInputs(w);
    ChartOptions options;
    options.target = target;
    options.monochrome = monochrome;
    // A printer measures on its own device; a metafile has none and is laid out
    // like the window's last paint.
    options.stored = target == ChartTarget::Metafile ? w.screenMetrics() : nullptr;
    const ChartDrawResult result = DrawChart(canvas, in, options, target == ChartTarget::Screen ? extent : LogicalExtent{});
    if (target == ChartTarget::Screen) w.StoreScreenPaint(result);
    return result;
}

std::vector<std::uint8_t> WindowChartToPlaceableWmf(const PlotWindow& w) {
    return ChartToPlaceableWmf(MakeChartInputs(w), w.screenMetrics());
}

} // namespace zeb
