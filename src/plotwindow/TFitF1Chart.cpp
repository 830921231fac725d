// The chart side of the plot window: its settings, axes, source-file list and
// the inputs of the chart drawing.
#include "plotwindow/TFitF1Chart.h"

#include "platform/CodePage.h"
#include "plot/AxisCaptions.h"
#include "plot/ChartExport.h"
#include "plot/EvaluationChart.h"
#include "plotwindow/TFitF1.h"
#include "plot/TextWrap.h"
#include "settings/SettingsFile.h"

namespace zeb {

// ---- TFitF1 members

void TFitF1::ReadWindowSettings(const GlobalDefaults& defaults, const std::string& settingsPath) {
    chart_.settings = zeb::ReadWindowSettings(defaults, settingsPath);
    chart_.sampleNameTaken.clear();
    chart_.legendTaken = {};
    // The analysis state follows the copied defaults.
    calculation_.weighting = WeightingFromCode(defaults.weighting);
    rememberedSmoothing_ = SmoothingFromCode(defaults.smoothing);
    takeSampleNameAndLegend();
    SelectAxisTitles(chart_.settings, PlotTypeNumber(calculation_.plotType), ff_.form);
}

void TFitF1::takeSampleNameAndLegend() {
    PlotSettings& s = chart_.settings;
    // The window keeps 41 characters of the set's sample name; a name typed in
    // the options dialog stays until the set brings another one.
    if (set_.sampleName != chart_.sampleNameTaken) {
        chart_.sampleNameTaken = set_.sampleName;
        s.sampleName = Utf8Left(set_.sampleName, kSampleNameChars);
    }
    // The legend: the data label, then the label of each model.
    for (std::size_t i = 0; i < s.legend.size(); ++i) {
        const std::string& label = i == 0 ? ff_.dataLabel : ff_.modelLabels[i - 1];
        if (label != chart_.legendTaken[i]) {
            chart_.legendTaken[i] = label;
            s.legend[i] = label;
        }
    }
}

void TFitF1::RescaleAxes() {
    PlotSettings& s = chart_.settings;
    s.formFactorMode = ff_.viewShown;
    takeSampleNameAndLegend();
    SelectAxisTitles(s, PlotTypeNumber(calculation_.plotType), ff_.form);
    if (ff_.viewShown) {
        DataExtremes e;
        e.include(ff_.ranges.xMin, ff_.ranges.yMin);
        e.include(ff_.ranges.xMax, ff_.ranges.yMax);
        chart_.axes = RescaleFormFactorAxes(e, ff_.form, s.manualXFF, s.manualYFF);
        // The files of the compared data: one concentration, or all for the data
        // extrapolated to c = 0, none when no data are compared.
        if (ff_.cGPerCm3 < 0.0 || ff_.row < 0) chart_.sourceFiles.clear();
        else if (ff_.row == 0) chart_.sourceFiles = BuildSourceFileList(set_);
        else chart_.sourceFiles = SourceFileOf(set_, ff_.row);
        return;
    }
    chart_.axes = MeasurementAxes(set_, fits_, s);
    chart_.sourceFiles = BuildSourceFileList(set_);
}

void TFitF1::SetAxesAutomatic() {
    chart_.settings.manualX.on = 0;
    chart_.settings.manualY.on = 0;
}

void TFitF1::StoreScreenPaint(const ChartDrawResult& paint) {
    chart_.screen = paint;
    chart_.painted = true;
}

// ---- Chart inputs and targets

ChartInputs MakeChartInputs(const TFitF1& w) {
    const PlotSettings& s = w.plotSettings();
    ChartInputs in = MeasurementChartInputs(w.set(), w.calculationOptions(), w.fits(), w.results(), s, w.axes());
    in.sourceFiles = w.sourceFiles();

    const FormFactorState& ff = w.formFactor();
    in.formFactor = ff.viewShown;
    if (!in.formFactor) return in;
    in.representation = ff.form;
    in.formFactorShowsData = ff.cGPerCm3 >= 0.0 && ff.row >= 0;
    in.formFactorPoints.reserve(ff.measured.size());
    for (const FormFactorMeasuredPoint& m : ff.measured) {
        ChartFFPoint p;
        p.x = m.x;
        p.y = m.y;
        p.yHi = m.y + m.error;
        p.yLo = m.y - m.error;
        p.hasData = 1;
        p.active = m.active ? 1 : 0;
        in.formFactorPoints.push_back(p);
    }
    for (int model : ff.models) {
        if (model < 1 || model > kModelCount) continue;
        ChartFFCurve curve;
        curve.lineRow = kLineFirstFormFactor + model - 1;
        for (const FormFactorXY& xy : w.formFactorCurve(model)) curve.points.emplace_back(xy.x, xy.y);
        curve.label = s.legend[static_cast<std::size_t>(model)];
        in.formFactorCurves.push_back(std::move(curve));
    }
    in.formFactorConcentrationText = s.legend[0];
    return in;
}

bool ChartReady(const TFitF1& w) { return w.calculated() && !w.loading() && w.set().initialised(); }

ChartDrawResult DrawWindowChart(Canvas& canvas, TFitF1& w, ChartTarget target, bool monochrome) {
    const ChartInputs in = MakeChartInputs(w);
    ChartOptions options;
    options.target = target;
    options.monochrome = monochrome;
    // A printer measures on its own device; a metafile has none and is laid out
    // like the window's last paint.
    options.stored = target == ChartTarget::Metafile ? w.screenMetrics() : nullptr;
    const ChartDrawResult result = DrawChart(canvas, in, options);
    if (target == ChartTarget::Screen) w.StoreScreenPaint(result);
    return result;
}

std::vector<std::uint8_t> WindowChartToPlaceableWmf(const TFitF1& w) {
    return ChartToPlaceableWmf(MakeChartInputs(w), w.screenMetrics());
}

} // namespace zeb
