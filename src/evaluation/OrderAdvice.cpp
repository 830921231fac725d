#include "evaluation/OrderAdvice.h"

#include "analysis/Distributions.h"
#include "data/CFormat.h"
#include "evaluation/Evaluation.h"
#include "evaluation/Intervals.h"
#include "evaluation/LinearizedExtrapolation.h"
#include "texts/UncertaintyTexts.h"

#include <cmath>

namespace zeb {

namespace {

int& orderIn(LinearizationSettings& s, FitDirection d) { return d == FitDirection::OverQ2 ? s.qOrder : s.cOrder; }

const FitTotals& totalsIn(const LinearizedExtrapolation& lin, FitDirection d) {
    return d == FitDirection::OverQ2 ? lin.overQ2 : lin.overC;
}

OrderTest fTest(FitDirection d, int lowerOrder, const FitTotals& lower, const FitTotals& higher) {
    OrderTest t;
    t.direction = d;
    t.lower = static_cast<FitOrder>(lowerOrder);
    t.higher = static_cast<FitOrder>(lowerOrder + 1);
    t.terms = higher.fits;
    t.dof = higher.dof;
    if (t.terms < 1 || t.dof < 1 || !(higher.chi2 > 0.0)) return t;
    t.f = std::max(0.0, (lower.chi2 - higher.chi2) / t.terms / (higher.chi2 / t.dof));
    t.pValue = FUpperTail(t.f, t.terms, t.dof);
    t.determined = std::isfinite(t.pValue);
    return t;
}

std::string percentText(double percent) {
    return CFormat(std::fabs(percent) < 1.0 ? "%.1f %%" : "%.0f %%", std::fabs(percent));
}

} // namespace

OrderAdvice AdviseOrders(const Evaluation& e, const OrderAdviceOptions& o) {
    OrderAdvice out;
    const LinearizationSettings chosenSettings = LinearizationOf(e.options);
    if (chosenSettings.qOrder < 1 || chosenSettings.cOrder < 1) return out;
    const LinearizedExtrapolation chosen(e.set, chosenSettings);
    const ResultIntervals chosenIntervals = PropagatedIntervals(e, o.level);

    for (FitDirection d : {FitDirection::OverQ2, FitDirection::OverC}) {
        LinearizationSettings s = chosenSettings;
        const int m = orderIn(s, d);
        if (m > 1) {
            orderIn(s, d) = m - 1;
            out.tests.push_back(fTest(d, m - 1, totalsIn(LinearizedExtrapolation(e.set, s), d), totalsIn(chosen, d)));
        }
        if (m >= kMaxFitOrder) continue;
        orderIn(s, d) = m + 1;
        const LinearizedExtrapolation higher(e.set, s);
        const OrderTest test = fTest(d, m, totalsIn(chosen, d), totalsIn(higher, d));
        out.tests.push_back(test);
        if (!test.determined || !(test.pValue < o.significance)) continue;
        const ResultIntervals higherIntervals = PropagatedIntervalsOf(higher, e.set, o.level);
        for (const ResultInterval& r : chosenIntervals.results) {
            if (r.result == ResultKind::Rh) continue;  // Dz(q²) tells the same
            const ResultInterval* h = higherIntervals.find(r.result);
            if (!r.determined() || !h || !h->determined()) continue;
            const double shift = *h->estimate - *r.estimate;
            if (!(std::fabs(shift) > o.shiftInIntervals * r.interval->halfWidth())) continue;
            // A change too small to matter in a paper is no advice, however
            // sharply a large grid resolves it.
            if (!(std::fabs(100.0 * shift / *r.estimate) >= o.minimumChangePercent)) continue;
            OrderAdviceItem item;
            item.direction = d;
            item.chosen = static_cast<FitOrder>(m);
            item.suggested = static_cast<FitOrder>(m + 1);
            item.result = r.result;
            item.chosenValue = *r.estimate;
            item.suggestedValue = *h->estimate;
            item.chosenInterval = *r.interval;
            item.suggestedInterval = *h->interval;
            item.changePercent = 100.0 * shift / *r.estimate;
            item.pValue = test.pValue;
            const std::string value =
                ValueWithUncertaintyText(item.suggestedValue, h->interval->halfWidth(), ResultUnit(r.result));
            item.text = CFormat(tx::AdviceLeavesCurvature,
                                d == FitDirection::OverQ2 ? tx::AdviceFitOverQ2 : tx::AdviceFitOverC, m, m + 1,
                                ResultName(r.result), value.c_str(), percentText(item.changePercent).c_str(),
                                shift < 0.0 ? tx::AdviceLower : tx::AdviceHigher);
            out.items.push_back(std::move(item));
        }
    }
    return out;
}

} // namespace zeb
