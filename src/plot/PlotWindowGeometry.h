// What the plot window needs besides the chart itself: which plot types the
// loaded data allow, and where on the window the chart goes.
#pragma once

#include <array>

namespace zeb {

class MeasurementSet;

// The window keeps its left 130 pixels for the result fields and its top 8
// pixels free; the chart is fitted into the rest.
struct ScreenTarget {
    int x = 130, y = 8, width = 0, height = 0;
};
ScreenTarget ChartScreenTarget(int clientWidth, int clientHeight);

inline constexpr int kInitialClientWidth = 728;
inline constexpr int kInitialClientHeight = 515;

} // namespace zeb
