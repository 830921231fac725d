// The pieces of point selection that only look at the grid: which points can
// be selected, the mouse hit test in data coordinates, the look a symbol is
// redrawn with, and the status-line description of a point.
#pragma once

#include "plot/AxisScaling.h"
#include "plot/PlotLayout.h"

#include <string>

namespace zeb {

class MeasurementSet;
struct DataPoint;

// A point of the grid: concentration c (0 = extrapolated to c = 0) and angle a
// (0 = extrapolated to q = 0); (-1, -1) is no point.
struct GridPoint {
    int c = -1;
    int a = -1;
    bool none() const { return c < 0 || a < 0; }
    bool operator==(const GridPoint&) const = default;
};

// What the hit test needs of the chart: the data area in logical units and
// the plot ranges it shows. Built from the layout and axes of the last paint.
struct SelectionMapping {
    int x0 = 0, y0 = 0;          // left and top edge of the data area
    int width = 0, height = 0;   // W, H
    double xMin = 0, xMax = 1, xSpan = 1;
    double yMin = 0, yMax = 1, ySpan = 1;

    static SelectionMapping From(const PlotLayout& layout, const AxesState& axes);
    // Logical units (y downward) to data values.
    double DataX(double logicalX) const;
    double DataY(double logicalY) const;
    // Strictly inside the plot ranges (the borders count as outside).
    bool Inside(double x, double y) const;
};

// The hit radius, as a fraction of the axis spans (about 2.32 %).
inline constexpr double kHitRadius = 327 * 7.0975443915914e-05;

// A point holds a value for the plot type (hasData 1). The corner (0, 0) is
// never a point of its own: the two intercepts are kept outside the grid.
bool IsSelectable(const MeasurementSet& set, int c, int a);
inline bool IsExtrapolated(int c, int a) { return c == 0 || a == 0; }

// The selectable point nearest to (x, y) in units of the axis spans, within
// kHitRadius (a point exactly at the radius counts). Ties go to the lower
// concentration index, then the lower angle index.
GridPoint HitTest(const MeasurementSet& set, const SelectionMapping& mapping, double x, double y);

// The symbol code of a point drawn in its ordinary look, as a full paint draws
// it: active measured points with their symbol code (1, or 100 when chosen),
// inactive ones white (0) unless chosen (1000); extrapolated points the same
// with the circle codes (4, 5, 500, 5000).
int PlainSymbolCode(const DataPoint& p, bool extrapolated);
// The red mark of a drag: 2, or 6 on an extrapolated point.
inline int MarkSymbolCode(bool extrapolated) { return extrapolated ? 6 : 2; }
// The keyboard cursor: a red ring around the point, whose symbol stays as it
// is, so that switching the point on or off shows at once.
inline constexpr int kKeyCursorCode = 7;

// x rounded to n significant decimal digits (x itself when 0 or not finite).
double RoundToSignificant(double x, int n);

// "[c]: conc g/dm³ [a]: q²=… × 1/µm²; y=… (file name      )" of a point.
std::string PointDescription(const MeasurementSet& set, int c, int a);

} // namespace zeb
