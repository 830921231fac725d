#include "plot/EvaluationChart.h"

#include "platform/CodePage.h"
#include "plot/AxisCaptions.h"
#include "plot/AxisScaling.h"
#include "plot/TextWrap.h"

namespace zeb {

ChartInputs MeasurementChartInputs(const MeasurementSet& set, const EvaluationOptions& options,
                                   const ExtrapolationResult& fits, const EvaluationResults& results,
                                   const PlotSettings& settings, const AxesState& axes) {
    ChartInputs in;
    in.set = &set;
    in.q0Intercept = &fits.lineQ0;
    in.c0Intercept = &fits.lineC0;
    in.plotType = PlotTypeNumber(options.plotType);
    in.qOrder = OrderNumber(options.qOrder);
    in.cOrder = OrderNumber(options.cOrder);
    in.k = options.kInternal.value_or(0.0);
    in.qCurveEndAngle.assign(fits.concCurveEnd.begin(), fits.concCurveEnd.end());
    in.cCurveEndConc.assign(fits.angleCurveEnd.begin(), fits.angleCurveEnd.end());
    in.resultLines = results.lines;
    in.sampleName = settings.sampleName;
    in.settings = &settings;
    in.axes = axes;
    return in;
}

AxesState MeasurementAxes(const MeasurementSet& set, const ExtrapolationResult& fits, PlotSettings& settings) {
    const DataExtremes extremes = FindDataExtremes(set, &fits.lineQ0, &fits.lineC0, settings.hideInactive != 0);
    return RescaleMeasurementAxes(extremes, settings.manualX, settings.manualY);
}

} // namespace zeb
