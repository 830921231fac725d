// What a chart keeps between its drawings: the plot settings (with the sample
// name and the legend it took from the data), the axes as last scaled, the
// source files it names under the plot and the text sizes of its last screen
// paint. The plot window keeps one; the batch tool and the Python module too.
#pragma once

#include "analysis/Extrapolation.h"
#include "analysis/EvaluationResults.h"
#include "plot/AxisScaling.h"
#include "plot/ChartDrawing.h"
#include "plot/FormFactorChart.h"
#include "settings/PlotSettings.h"

#include <array>
#include <string>

namespace zeb {

struct ChartState {
    PlotSettings settings;  // the built-in settings until a window reads its own
    AxesState axes;
    std::string sourceFiles;
    // What the settings last took from the set and the form-factor view, so
    // that a text edited in the options dialog stays until these change.
    std::string sampleNameTaken;
    std::array<std::string, 6> legendTaken;
    bool painted = false;
    ChartDrawResult screen;
};

// The sample name (41 characters of the set's) and the legend (the data label,
// then the label of each model) where the set or the view brought new ones.
void TakeSampleNameAndLegend(ChartState& chart, const MeasurementSet& set, const FormFactorState& ff);

// The axis titles of the plot type (or the form-factor view's plot form), the
// axes scaled to the data or the view's ranges (manual ranges where they are
// on) and the source files named under the plot.
void RescaleChart(ChartState& chart, const MeasurementSet& set, const ExtrapolationResult& fits, PlotType plotType,
                  const FormFactorState& ff);

// The inputs of the chart: the measurement plot or, while the form-factor view
// is shown, the form-factor plot. The pointers in the result refer into the
// arguments and stay valid while they are unchanged.
ChartInputs ChartInputsOf(const ChartState& chart, const MeasurementSet& set, const EvaluationOptions& options,
                          const ExtrapolationResult& fits, const EvaluationResults& results,
                          const FormFactorState& ff);

} // namespace zeb
