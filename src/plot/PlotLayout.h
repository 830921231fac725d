// Placement of the chart in its logical drawing space of 16383 × 13941 units
// (x to the right, y downward) from the measured text sizes, and the mapping
// between data values and logical units. On the screen the space takes the
// window's proportions (see ScreenExtent), so that the chart fills the window.
#pragma once

#include "plot/AxisScaling.h"

#include <cstdint>

namespace zeb {

inline constexpr int kLogicalWidth = 16383;
inline constexpr int kLogicalHeight = 13941;

// The logical space a chart is laid out in.
struct LogicalExtent {
    int width = kLogicalWidth;
    int height = kLogicalHeight;
    bool operator==(const LogicalExtent&) const = default;
};

struct LayoutInput {
    int ch = 0;              // height of "1A" in the axis font
    int widestYLabel = 0;    // wy
    int lastXLabelWidth = 0; // wx
    int textLineHeight = 0;  // h: height of "1A" in the text font
    int fileNameLines = 0;   // lines of the wrapped source-file list
    bool showFileName = false;
    bool showResults = false;  // measurement plots only
    LogicalExtent extent;
};

struct PlotLayout {
    int ch = 0;
    int captionGap = 0;  // a
    int labelGap = 0;    // b
    int x0 = 0;          // left edge of the data area
    int y0 = 0;          // top edge of the data area
    int width = 0;       // W
    int height = 0;      // H
    int textHeight = 0;  // room for the lines under the plot
    int bottomBlock = 0;
    LogicalExtent extent;
    // The frame: the data area widened by 400 on every side.
    int frameLeft() const { return x0 - 400; }
    int frameTop() const { return y0 - 400; }
    int frameWidth() const { return width + 800; }
    int frameHeight() const { return height + 800; }
};

PlotLayout ComputeLayout(const LayoutInput& in);

// Data <-> logical units for one layout and axis state.
class PlotMapping {
public:
    PlotMapping(const PlotLayout& layout, const AxesState& axes) : layout_(layout), axes_(axes) {}
    int X(double x) const;
    int Y(double y) const;
    double DataX(double logicalX) const;
    double DataY(double logicalY) const;
    const PlotLayout& layout() const { return layout_; }
    const AxesState& axes() const { return axes_; }

private:
    PlotLayout layout_;
    AxesState axes_;
};

} // namespace zeb
