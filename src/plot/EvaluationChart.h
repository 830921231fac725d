// The measurement chart of an evaluation: the chart inputs of its set, fits and
// results with the given plot settings, and the axes scaled to its data as a
// new plot window scales them. The plot window and the batch tool's view gather
// their inputs through the same functions.
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

} // namespace zeb
