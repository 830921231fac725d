#include "plot/ChartState.h"

#include "platform/CodePage.h"
#include "plot/AxisCaptions.h"
#include "plot/EvaluationChart.h"
#include "plot/TextWrap.h"

namespace zeb {

void TakeSampleNameAndLegend(ChartState& chart, const MeasurementSet& set, const FormFactorState& ff) {
    PlotSettings& s = chart.settings;
    // The chart keeps 41 characters of the set's sample name; a name typed in
    // the options dialog stays until the set brings another one.
    if (set.sampleName != chart.sampleNameTaken) {
        chart.sampleNameTaken = set.sampleName;
        s.sampleName = Utf8Left(set.sampleName, kSampleNameChars);
    }
    for (std::size_t i = 0; i < s.legend.size(); ++i) {
        const std::string& label = i == 0 ? ff.dataLabel : ff.modelLabels[i - 1];
        if (label != chart.legendTaken[i]) {
            chart.legendTaken[i] = label;
            s.legend[i] = label;
        }
    }
}

void RescaleChart(ChartState& chart, const MeasurementSet& set, const ExtrapolationResult& fits, PlotType plotType,
                  const FormFactorState& ff) {
    PlotSettings& s = chart.settings;
    s.formFactorMode = ff.viewShown;
    TakeSampleNameAndLegend(chart, set, ff);
    SelectAxisTitles(s, PlotTypeNumber(plotType), ff.form);
    if (ff.viewShown) {
        DataExtremes e;
        e.include(ff.ranges.xMin, ff.ranges.yMin);
        e.include(ff.ranges.xMax, ff.ranges.yMax);
        chart.axes = RescaleFormFactorAxes(e, ff.form, s.manualXFF, s.manualYFF);
        // The files of the compared data: one concentration, or all for the data
        // extrapolated to c = 0, none when no data are compared.
        if (!ff.comparesData()) chart.sourceFiles.clear();
        else if (ff.row == 0) chart.sourceFiles = BuildSourceFileList(set);
        else chart.sourceFiles = SourceFileOf(set, ff.row);
        return;
    }
    chart.axes = MeasurementAxes(set, fits, s);
    chart.sourceFiles = BuildSourceFileList(set);
}

ChartInputs ChartInputsOf(const ChartState& chart, const MeasurementSet& set, const EvaluationOptions& options,
                          const ExtrapolationResult& fits, const EvaluationResults& results,
                          const FormFactorState& ff) {
    ChartInputs in = MeasurementChartInputs(set, options, fits, results, chart.settings, chart.axes);
    in.sourceFiles = chart.sourceFiles;
    AddFormFactorChartInputs(in, ff, chart.settings);
    return in;
}

} // namespace zeb
