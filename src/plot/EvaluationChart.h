// The measurement chart of an evaluation: the chart inputs of its set, fits and
// results with the given plot settings, and the axes scaled to its data as a
// new plot window scales them. The plot window gathers its own inputs through
// the same function.
#pragma once

#include "evaluation/Evaluation.h"
#include "plot/ChartInputs.h"

#include <string>

namespace zeb {

// The inputs of the measurement chart. The pointers in the result refer into
// set, fits and settings and stay valid while they are unchanged.
ChartInputs MeasurementChartInputs(const MeasurementSet& set, const EvaluationOptions& options,
                                   const ExtrapolationResult& fits, const EvaluationResults& results,
                                   const PlotSettings& settings, const AxesState& axes);

// The axes of the measurement chart scaled to the points and the two
// extrapolated lines (inactive points left out when the settings hide them);
// a manual range of the settings that is on holds instead.
AxesState MeasurementAxes(const MeasurementSet& set, const ExtrapolationResult& fits, PlotSettings& settings);

// The chart of an evaluation as a new window draws it: the settings' axis titles
// chosen for the plot type (settings is changed for that), the axes scaled to
// the data (manual ranges of the settings taken where they are on), the source
// files and sample name of the set.
ChartInputs EvaluationChartInputs(const Evaluation& evaluation, PlotSettings& settings);

} // namespace zeb
