// What the plot window needs besides the chart itself: which plot types the
// loaded data allow, and where on the window the chart goes.
#pragma once

#include "plot/PlotLayout.h"

#include <array>

namespace zeb {

class MeasurementSet;

// The window keeps its left 130 pixels for the result fields and its top 8
// pixels free; the chart is fitted into the rest.
struct ScreenTarget {
    int x = 130, y = 8, width = 0, height = 0;
};
ScreenTarget ChartScreenTarget(int clientWidth, int clientHeight);

// The logical space a chart fills a screen target of this size with: 16383 ×
// 13941, widened or heightened to the target's proportions. The scale is that
// of the tighter direction, as for the plain space, so texts and symbols keep
// their size and the data area takes the room that is left.
LogicalExtent ScreenExtent(int targetWidth, int targetHeight);
// Pixels of the target per logical unit.
double ScreenScale(int targetWidth, int targetHeight);

inline constexpr int kInitialClientWidth = 728;
inline constexpr int kInitialClientHeight = 515;

} // namespace zeb
