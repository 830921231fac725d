// Everything the chart drawing reads, gathered by the plot window: the
// measurement set with its coefficient tables, the two intercept records, the
// analysis state, the settings, the axis state and, for a form-factor plot,
// its measured points, curves and legend.
#pragma once

#include "plot/AxisScaling.h"
#include "settings/PlotSettings.h"

#include <array>
#include <string>
#include <utility>
#include <vector>

namespace zeb {

class MeasurementSet;
struct DataPoint;

// A measured point of a form-factor plot, in the coordinates of the representation.
struct ChartFFPoint {
    double x = 0, y = 0, yHi = 0, yLo = 0;
    int hasData = 0;
    int active = 0;
};

// One theoretical curve: its line row (3..7), the points that could be
// computed, in order of the curve parameter, and its legend text.
struct ChartFFCurve {
    int lineRow = 3;
    std::vector<std::pair<double, double>> points;
    std::string label;
};

struct ChartInputs {
    const MeasurementSet* set = nullptr;
    const DataPoint* q0Intercept = nullptr;  // double extrapolation found along the q = 0 line
    const DataPoint* c0Intercept = nullptr;  // ... along the c = 0 line
    int plotType = 1;  // 1 Zimm .. 6 D-III
    int qOrder = 0;
    int cOrder = 0;
    double k = 0;  // internal units
    // Where each fitted curve ends: for concentration c (0 = the line to c = 0)
    // the index of its last angle holding data; for angle a (0 = the line to
    // q = 0) the index of its last concentration holding data.
    std::vector<int> qCurveEndAngle;
    std::vector<int> cCurveEndConc;
    std::array<std::string, 4> resultLines;
    std::string sourceFiles;  // see BuildSourceFileList
    std::string sampleName;
    const PlotSettings* settings = nullptr;
    AxesState axes;

    // Form-factor view.
    bool formFactor = false;
    int representation = 11;
    bool formFactorShowsData = false;  // a concentration or its extrapolation is compared
    std::vector<ChartFFPoint> formFactorPoints;
    std::vector<ChartFFCurve> formFactorCurves;  // in the order they were chosen
    std::string formFactorConcentrationText;
};

} // namespace zeb
