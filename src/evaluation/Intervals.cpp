#include "evaluation/Intervals.h"

#include "analysis/Distributions.h"
#include "evaluation/Evaluation.h"

#include <cmath>

namespace zeb {

StokesEinstein StokesEinsteinOf(const MeasurementSet& set, int c) {
    return {set.temperature[static_cast<std::size_t>(c)], set.viscosity[static_cast<std::size_t>(c)]};
}

namespace {

// estimate ± t se of the pivot, carried over to the result.
void propagate(ResultInterval& out, const ResultFormula& f, double pivot, const ScaledVariance& v, double level) {
    if (!std::isfinite(v.value)) {
        out.why = Because(NotDeterminedReason::NoScatterEstimate);
        return;
    }
    const double half = StudentTQuantile(0.5 + level / 2.0, v.dof) * std::sqrt(v.value);
    out.interval = f.IntervalOf(pivot - half, pivot + half);
    if (!out.interval) out.why = Because(NotDeterminedReason::Unbounded);
}

ResultIntervals propagateAll(const LinearizedExtrapolation& lin, const MeasurementSet& set, const LineVector& L,
                             const EvaluationResults* shown, double level) {
    ResultIntervals out;
    out.method = IntervalMethod::Propagation;
    out.level = level;
    const PlotType type = lin.settings.plotType;
    for (ResultKind kind : ResultsOf(type)) {
        const ResultFormula f(kind, type, StokesEinsteinOf(set, 0));
        ResultInterval r;
        r.result = kind;
        const double pivot = f.Pivot(L);
        r.estimate = shown ? EstimateOf(*shown, kind) : f.Value(pivot);
        if (!r.estimate || !std::isfinite(pivot)) {
            r.estimate.reset();
            NotDeterminedReason reason = NotDeterminedReason::NoEstimate;
            if (shown) reason = MissingEstimateReason(*shown, kind);
            else if (std::isfinite(pivot) && kind == ResultKind::Rg) reason = NotDeterminedReason::NegativeS2;
            else if (std::isfinite(pivot) && kind == ResultKind::Rh) reason = NotDeterminedReason::NoViscosity;
            r.why = Because(reason);
        } else {
            propagate(r, f, pivot, lin.VarianceOf(f.Gradient(L)), level);
        }
        out.results.push_back(r);
    }
    if (IsDynamicPlot(type))
        for (const LinearConcentration& c : lin.concentrations) {
            const ResultFormula f(ResultKind::Rh, type, StokesEinsteinOf(set, c.index));
            ConcentrationInterval ci;
            ci.concentration = c.index;
            ci.concentrationGPerCm3 = c.concentrationGPerCm3;
            ci.rh.result = ResultKind::Rh;
            if (!c.fitted) continue;
            ci.rh.estimate = f.Value(c.intercept);
            if (!ci.rh.estimate) continue;
            propagate(ci.rh, f, c.intercept, lin.InterceptVariance(c), level);
            out.rhPerConcentration.push_back(ci);
        }
    return out;
}

} // namespace

ResultIntervals PropagatedIntervals(const Evaluation& e, double level) {
    const LinearizedExtrapolation lin(e.set, LinearizationOf(e.options));
    ResultIntervals out = propagateAll(lin, e.set, LineQuantitiesOf(e), &e.results, level);
    // Rh per concentration as the results text shows it.
    for (ConcentrationInterval& c : out.rhPerConcentration)
        if (static_cast<std::size_t>(c.concentration) < e.results.conc.size() &&
            e.results.conc[static_cast<std::size_t>(c.concentration)].rhNm)
            c.rh.estimate = e.results.conc[static_cast<std::size_t>(c.concentration)].rhNm;
    return out;
}

ResultIntervals PropagatedIntervalsOf(const LinearizedExtrapolation& lin, const MeasurementSet& set, double level) {
    return propagateAll(lin, set, lin.quantities, nullptr, level);
}

} // namespace zeb
