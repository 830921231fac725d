#include "plot/PlotWindowGeometry.h"

#include "data/MeasurementSet.h"

#include <algorithm>
#include <cmath>

namespace zeb {

ScreenTarget ChartScreenTarget(int clientWidth, int clientHeight) {
    ScreenTarget t;
    t.width = std::max(0, clientWidth - 130);
    t.height = std::max(0, clientHeight - 8);
    return t;
}

LogicalExtent ScreenExtent(int targetWidth, int targetHeight) {
    LogicalExtent e;
    if (targetWidth <= 0 || targetHeight <= 0) return e;
    const double w = targetWidth, h = targetHeight;
    if (w * kLogicalHeight >= h * kLogicalWidth)
        e.width = static_cast<int>(std::lround(kLogicalHeight * w / h));
    else
        e.height = static_cast<int>(std::lround(kLogicalWidth * h / w));
    return e;
}

double ScreenScale(int targetWidth, int targetHeight) {
    if (targetWidth <= 0 || targetHeight <= 0) return 0.0;
    return std::min(static_cast<double>(targetWidth) / kLogicalWidth, static_cast<double>(targetHeight) / kLogicalHeight);
}

} // namespace zeb
