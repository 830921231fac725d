// The residual chart of an evaluation: the residuals of its fits over q², one
// series per concentration, over q², around the zero line, drawn by the same
// chart drawing as the measurement plot (the concentrations' symbols, the axes
// with their labels, every chart target). Curvature the chosen order leaves
// shows as a bow of the points.
#pragma once

#include "data/MeasurementSet.h"
#include "evaluation/FitResiduals.h"
#include "plot/ChartInputs.h"
#include "settings/PlotSettings.h"
#include "texts/Message.h"

#include <memory>

namespace zeb {

class Evaluation;

class ResidualChart {
public:
    // The residuals of e's fits over q², drawn with the look of settings.
    ResidualChart(const Evaluation& e, const PlotSettings& settings);
    ResidualChart(const ResidualChart&) = delete;
    ResidualChart& operator=(const ResidualChart&) = delete;

    // The chart; its pointers refer into this object.
    const ChartInputs& inputs() const { return in_; }
    // Residual points drawn.
    int points() const { return points_; }

private:
    MessageLog messages_;
    MeasurementSet set_{messages_};
    DataPoint noIntercept_;
    DataPoint zeroLine_;  // where the zero line starts (a "line to c = 0" of coefficients 0, not drawn as a point)
    PlotSettings settings_;
    ChartInputs in_;
    int points_ = 0;
};

} // namespace zeb
