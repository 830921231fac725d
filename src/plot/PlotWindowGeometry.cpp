#include "plot/PlotWindowGeometry.h"

#include "data/MeasurementSet.h"

#include <algorithm>

namespace zeb {

std::array<bool, 7> AvailablePlotTypes(const MeasurementSet& set) {
    unsigned kinds = 0;
    for (int c = 1; c <= set.lastConcIndex; ++c)
        for (int a = 1; a <= set.lastAngleIndex; ++a)
            if (const DataPoint* p = set.cell(c, a)) kinds |= p->presence;
    std::array<bool, 7> on{};
    on[1] = on[2] = on[3] = (kinds & kHasKcr) != 0;
    on[4] = (kinds & kHasDappI) != 0;
    on[5] = (kinds & kHasDappII) != 0;
    on[6] = (kinds & kHasDappIII) != 0;
    return on;
}

ScreenTarget ChartScreenTarget(int clientWidth, int clientHeight) {
    ScreenTarget t;
    t.width = std::max(0, clientWidth - 130);
    t.height = std::max(0, clientHeight - 8);
    return t;
}

} // namespace zeb
