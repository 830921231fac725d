#include "analysis/PointTransform.h"

#include "analysis/PlotType.h"
#include "texts/AnalysisTexts.h"
#include "texts/CommonTexts.h"
#include "texts/Message.h"

#include <cmath>

namespace zeb {

namespace {

void setDynamic(DataPoint& p, std::uint8_t bit, double value, double error) {
    if (!(p.presence & bit)) {
        p.hasData = 2;
        return;
    }
    p.y() = value;
    p.yHi() = value + error;
    p.yLo() = value - error;
    p.hasData = 1;
}

} // namespace

void TransformPoint(DataPoint& p, int plotType, MessageSink& messages) {
    if (p.hasData == 0) return;
    const double kcr = p.kcr, err = p.kcrError;
    switch (plotType) {
    case kPlotZimm:
        if (!(p.presence & kHasKcr)) break;
        p.y() = kcr;
        p.yHi() = kcr + err;
        p.yLo() = kcr - err;
        p.hasData = 1;
        return;
    case kPlotBerry:
        if (!(p.presence & kHasKcr)) break;
        if (kcr >= 0.0) {
            p.y() = std::sqrt(kcr);
            p.yHi() = std::sqrt(kcr + err);
            p.yLo() = kcr - err >= 0.0 ? std::sqrt(kcr - err) : 2.0 * p.y() - p.yHi();
            p.hasData = 1;
        } else {
            messages.inform(tx::KcrNegative, tx::CapError, MsgIcon::Exclamation);
            p.hasData = 2;
        }
        return;
    case kPlotGuinier:
        if (!(p.presence & kHasKcr)) break;
        if (kcr > 0.0) {
            p.y() = std::log(kcr);
            p.yHi() = std::log(kcr + err);
            p.yLo() = kcr - err > 0.0 ? std::log(kcr - err) : 2.0 * p.y() - p.yHi();
            p.hasData = 1;
        } else {
            messages.inform(tx::KcrNotPositive, tx::CapError, MsgIcon::Exclamation);
            p.hasData = 2;
        }
        return;
    case kPlotDI: setDynamic(p, kHasDappI, p.dappI, p.dappIError); return;
    case kPlotDII: setDynamic(p, kHasDappII, p.dappII, p.dappIIError); return;
    case kPlotDIII: setDynamic(p, kHasDappIII, p.dappIII, p.dappIIIError); return;
    default: break;
    }
    p.hasData = 2;
}

void TransformGrid(MeasurementSet& set, int plotType, double k, bool recomputeX, MessageSink& messages) {
    std::array<DataPoint*, MeasurementSet::kAngleSlots> cells{};
    const int na = set.lastAngleIndex;
    for (int c = 1; c <= set.lastConcIndex; ++c) {
        const double xOffset = k * set.concentration[c];
        // Every cell is a record of its own: their addresses first, then each
        // fetched a few ahead of its use to hide the memory latency.
        for (int a = 1; a <= na; ++a) cells[static_cast<std::size_t>(a)] = set.cell(c, a);
        for (int a = 1; a <= na; ++a) {
            if (a + 16 <= na) __builtin_prefetch(cells[static_cast<std::size_t>(a + 16)], 1);
            DataPoint* p = cells[static_cast<std::size_t>(a)];
            if (!p || p->hasData == 0) continue;
            TransformPoint(*p, plotType, messages);
            if (recomputeX) p->x() = xOffset + p->q2;
        }
    }
}

void SetExtrapolated(DataPoint& r, int plotType, double a, double e) {
    switch (plotType) {
    case kPlotZimm:
        r.kcr = a;
        r.kcrError = e;
        r.y() = a;
        r.yHi() = a + e;
        r.yLo() = a - e;
        break;
    case kPlotBerry: {
        r.y() = a;
        r.kcr = a * a;
        r.kcrError = (a + e) * (a + e) - a * a;
        r.yHi() = std::sqrt(r.kcr + r.kcrError);
        r.yLo() = r.kcr - r.kcrError >= 0.0 ? std::sqrt(r.kcr - r.kcrError) : 0.0;
        if (a < 0.0) {
            r.yHi() = -r.yHi();
            r.yLo() = -r.yLo();
        }
        break;
    }
    case kPlotGuinier: {
        r.y() = a;
        r.kcr = std::exp(a);
        r.kcrError = std::exp(a + e) - std::exp(a);
        const double hi = r.kcr + r.kcrError, lo = r.kcr - r.kcrError;
        r.yHi() = hi > 0.0 ? std::log(hi) : a;
        r.yLo() = lo > 0.0 ? std::log(lo) : a;
        break;
    }
    case kPlotDI:
    case kPlotDII:
    case kPlotDIII: {
        double& value = plotType == kPlotDI ? r.dappI : plotType == kPlotDII ? r.dappII : r.dappIII;
        double& error = plotType == kPlotDI ? r.dappIError : plotType == kPlotDII ? r.dappIIError : r.dappIIIError;
        value = a;
        error = e;
        r.y() = a;
        r.yHi() = a + e;
        r.yLo() = a - e;
        break;
    }
    default: break;
    }
}

ValueWithError ExtrapolatedValue(const DataPoint& r, int plotType) {
    switch (plotType) {
    case kPlotDI: return {r.dappI, r.dappIError};
    case kPlotDII: return {r.dappII, r.dappIIError};
    case kPlotDIII: return {r.dappIII, r.dappIIIError};
    default: return {r.kcr, r.kcrError};
    }
}


} // namespace zeb
