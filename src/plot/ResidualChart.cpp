#include "plot/ResidualChart.h"

#include "analysis/NumberText.h"
#include "data/CFormat.h"
#include "evaluation/Evaluation.h"
#include "plot/AxisCaptions.h"
#include "plot/TextWrap.h"
#include "texts/PlotTexts.h"

#include <cmath>

namespace zeb {

ResidualChart::ResidualChart(const Evaluation& e, const PlotSettings& settings) : settings_(settings) {
    const MeasurementSet& from = e.set;
    set_.InitMeasurementSet();
    set_.sampleName = from.sampleName;
    // The grid of the evaluation: its concentrations and q² in the same places.
    for (int c = 1; c <= from.lastConcIndex; ++c) {
        const auto k = static_cast<std::size_t>(c);
        set_.AddConcentration(from.sourceName[k], from.temperature[k], from.viscosity[k], from.concentration[k]);
    }
    for (int a = 1; a <= from.lastAngleIndex; ++a) set_.AddQ2(from.q2[static_cast<std::size_t>(a)]);

    const FitResiduals residuals = ResidualsOf(e);
    in_.qCurveEndAngle.assign(static_cast<std::size_t>(set_.lastConcIndex) + 1, 0);
    double sumSquares = 0.0;
    for (const ResidualSeries& series : residuals.overQ2) {
        for (const ResidualPoint& r : series.points) {
            const DataPoint* measured = from.cell(r.concentration, r.angle);
            DataPoint& p = set_.CreateDataPoint(r.concentration, r.angle);
            const double halfBar = measured ? (measured->yHi() - measured->yLo()) / 2.0 : 0.0;
            p.x() = r.q2PerCm2;
            p.y() = r.residual;
            p.yHi() = r.residual + halfBar;
            p.yLo() = r.residual - halfBar;
            p.hasData = 1;
            p.active = 1;
            p.presence = measured ? measured->presence : 0;
            sumSquares += r.residual * r.residual;
            ++points_;
            int& end = in_.qCurveEndAngle[static_cast<std::size_t>(r.concentration)];
            if (end == 0 || r.q2PerCm2 > set_.q2[static_cast<std::size_t>(end)]) end = r.angle;
        }
    }
    // The zero line: the "line to c = 0" of order 1 whose coefficients are 0,
    // from q² = 0 to the largest q²; its start is hidden as an inactive point.
    for (auto& row : set_.calcTableA) row.fill(0.0);
    noIntercept_.hasData = 0;
    zeroLine_.hasData = 1;
    zeroLine_.active = 0;
    for (int a = 1; a <= set_.lastAngleIndex; ++a)
        if (in_.qCurveEndAngle[0] == 0 || set_.q2[static_cast<std::size_t>(a)] > set_.q2[static_cast<std::size_t>(in_.qCurveEndAngle[0])])
            in_.qCurveEndAngle[0] = a;

    settings_.formFactorMode = false;
    settings_.manualX.on = settings_.manualY.on = 0;
    settings_.hideInactive = 1;
    settings_.fitDisplay = 2;  // the zero line only, not one per concentration
    SelectAxisTitles(settings_, PlotTypeNumber(e.options.plotType), 11);
    settings_.xTitle = tx::ResidualXCaption;
    settings_.yTitle = std::string(tx::ResidualYCaptionPrefix) + settings_.yTitle;
    settings_.sampleName = from.sampleName.substr(0, kSampleNameChars);

    in_.set = &set_;
    in_.q0Intercept = &noIntercept_;
    in_.c0Intercept = &zeroLine_;
    in_.plotType = PlotTypeNumber(e.options.plotType);
    in_.qOrder = 1;
    in_.cOrder = 0;
    in_.k = 0.0;
    in_.cCurveEndConc.assign(static_cast<std::size_t>(set_.lastAngleIndex) + 1, 0);
    in_.resultLines = {CFormat(tx::ResidualChartLine, OrderNumber(e.options.qOrder)),
                       points_ ? CFormat(tx::ResidualChartRms, CleanNumber(CFormat("%.3g", std::sqrt(sumSquares / points_))).c_str())
                               : std::string(),
                       "", ""};
    in_.sourceFiles = BuildSourceFileList(set_);
    in_.sampleName = settings_.sampleName;
    in_.settings = &settings_;
    DataExtremes extremes = FindDataExtremes(set_, nullptr, nullptr, true);
    extremes.include(0.0, 0.0);  // the zero line and the origin of q²
    in_.axes = RescaleMeasurementAxes(extremes, settings_.manualX, settings_.manualY);
}

} // namespace zeb
