// Axis ranges of a chart: the extremes of the plotted points, manual ranges
// with their margins, nice ticks and the tick label texts.
#pragma once

#include "analysis/ShowableRange.h"
#include "plot/TickLabels.h"
#include "settings/PlotSettings.h"

#include <string>
#include <vector>

namespace zeb {

class MeasurementSet;
struct DataPoint;

struct AxisScale {
    double minimum = 0.0;  // plot range in stored units
    double maximum = 1.0;
    double span = 1.0;
    double labelScale = 1.0;  // labels show the stored values times this
    std::vector<double> ticks;  // stored units
    std::vector<std::string> labels;
    std::string multiplier;
    std::string exponent;
};

struct AxesState {
    AxisScale x;
    AxisScale y;
};

struct DataExtremes {
    double xMin = 1e200, xMax = -1e200, yMin = 1e200, yMax = -1e200;
    void include(double x, double y);
    bool empty() const { return xMin > xMax || yMin > yMax; }
};

// Every point of the grid with a value for the plot (measured and extrapolated
// cells, not the corner (0, 0)), inactive points only while they are shown,
// and the two intercept records when they hold a value (active or not).
DataExtremes FindDataExtremes(const MeasurementSet& set, const DataPoint* q0Intercept,
                              const DataPoint* c0Intercept, bool hideInactive);

enum class AxisDirection { X, Y };

// Scales one axis. A manual range replaces the extremes and gets its margin
// (x: 2.5 % above; y: 2.5 % below and above); an automatic axis takes the
// extremes rounded to 6 digits and writes them into range so that the options
// dialog shows the range in use. Without any data the range is 0..1. A manual
// range the chart cannot show (RangeShowable; a settings file may hold one)
// is switched off and the axis scaled automatically.
AxisScale ScaleAxis(double extremeMin, double extremeMax, ManualRange& range, AxisDirection direction,
                    double labelScale);

// A manual range typed in the units the axis labels show (the options dialog,
// the batch tool's --x-range/--y-range): divided by the label scale, the
// smaller value first; equal limits (or a limit that is not a finite number,
// or a range that is not showable) leave the axis automatic.
ManualRange ManualRangeFromLabelUnits(double lo, double hi, double labelScale);

// Both axes of a measurement plot (x labels in µm⁻², y unscaled).
AxesState RescaleMeasurementAxes(const DataExtremes& extremes, ManualRange& manualX, ManualRange& manualY);

// Both axes of a form-factor plot of representation 1..12.
AxesState RescaleFormFactorAxes(const DataExtremes& extremes, int representation, ManualRange& manualX,
                                ManualRange& manualY);

} // namespace zeb
