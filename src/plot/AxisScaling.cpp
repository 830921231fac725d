#include "plot/AxisScaling.h"

#include "data/MeasurementSet.h"
#include "data/RoundSig.h"
#include "plot/AxisCaptions.h"
#include "plot/NiceScale.h"

#include <algorithm>
#include <cmath>

namespace zeb {


void DataExtremes::include(double x, double y) {
    if (!std::isfinite(x) || !std::isfinite(y)) return;
    xMin = std::min(xMin, x);
    xMax = std::max(xMax, x);
    yMin = std::min(yMin, y);
    yMax = std::max(yMax, y);
}

DataExtremes FindDataExtremes(const MeasurementSet& set, const DataPoint* q0, const DataPoint* c0,
                              bool hideInactive) {
    DataExtremes e;
    for (int c = 0; c <= set.lastConcIndex; ++c) {
        for (int a = 0; a <= set.lastAngleIndex; ++a) {
            if (c == 0 && a == 0) continue;
            const DataPoint* p = set.cell(c, a);
            if (!p || p->hasData != 1) continue;
            if (hideInactive && p->active != 1) continue;
            e.include(p->x(), p->y());
        }
    }
    for (const DataPoint* p : {q0, c0})
        if (p && p->hasData == 1) e.include(p->x(), p->y());
    return e;
}

AxisScale ScaleAxis(double lo, double hi, ManualRange& range, AxisDirection direction, double labelScale) {
    if (range.on && !RangeShowable(range.minimum * labelScale, range.maximum * labelScale)) range.on = 0;
    if (range.on) {
        lo = range.minimum;
        hi = range.maximum;
        const double d = 0.025 * (hi - lo);
        if (direction == AxisDirection::Y) lo -= d;
        hi += d;
    } else {
        if (!(lo <= hi)) {
            lo = 0.0;
            hi = 1.0;
        }
        lo = RoundSig(lo, 6);
        hi = RoundSig(hi, 6);
        range.minimum = lo;
        range.maximum = hi;
    }
    AxisScale s;
    s.labelScale = labelScale;
    s.ticks = NiceScale(lo, hi).ticks;
    s.minimum = std::min(std::min(lo, hi), s.ticks.front());
    s.maximum = std::max(std::max(lo, hi), s.ticks.back());
    s.span = s.maximum - s.minimum;
    std::vector<double> scaled(s.ticks);
    for (double& t : scaled) t *= labelScale;
    TickLabelTexts texts = MakeTickLabels(scaled);
    s.labels = std::move(texts.labels);
    s.multiplier = std::move(texts.multiplier);
    s.exponent = std::move(texts.exponent);
    return s;
}

ManualRange ManualRangeFromLabelUnits(double lo, double hi, double labelScale) {
    ManualRange r;
    if (labelScale == 0 || !std::isfinite(lo) || !std::isfinite(hi)) return r;
    lo /= labelScale;
    hi /= labelScale;
    if (!RangeShowable(lo * labelScale, hi * labelScale)) return r;
    r.on = 1;
    r.minimum = std::min(lo, hi);
    r.maximum = std::max(lo, hi);
    return r;
}

AxesState RescaleMeasurementAxes(const DataExtremes& e, ManualRange& manualX, ManualRange& manualY) {
    return {ScaleAxis(e.xMin, e.xMax, manualX, AxisDirection::X, kMeasurementXLabelScale),
            ScaleAxis(e.yMin, e.yMax, manualY, AxisDirection::Y, 1.0)};
}

AxesState RescaleFormFactorAxes(const DataExtremes& e, int representation, ManualRange& manualX,
                                ManualRange& manualY) {
    return {ScaleAxis(e.xMin, e.xMax, manualX, AxisDirection::X, FormFactorXLabelScale(representation)),
            ScaleAxis(e.yMin, e.yMax, manualY, AxisDirection::Y, FormFactorYLabelScale(representation))};
}

} // namespace zeb
