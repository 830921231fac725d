#include "plot/PlotWindowGeometry.h"

#include "data/MeasurementSet.h"

#include <algorithm>

namespace zeb {

ScreenTarget ChartScreenTarget(int clientWidth, int clientHeight) {
    ScreenTarget t;
    t.width = std::max(0, clientWidth - 130);
    t.height = std::max(0, clientHeight - 8);
    return t;
}

} // namespace zeb
