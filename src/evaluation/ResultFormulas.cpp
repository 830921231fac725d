#include "evaluation/ResultFormulas.h"

#include "analysis/DynamicExtrapolation.h"
#include "analysis/StaticExtrapolation.h"
#include "evaluation/Evaluation.h"

#include <cmath>
#include <limits>

namespace zeb {

LineVector LineQuantitiesOf(const Evaluation& e) {
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    LineVector L{nan, nan, nan, nan};
    if (e.fits.lineQ0.hasData == 1) {
        L[kY0c] = e.fits.lineQ0.y();
        L[kSlopeC] = e.set.calcTableB[0][2];
    }
    if (e.fits.lineC0.hasData == 1) {
        L[kY0q] = e.fits.lineC0.y();
        L[kSlopeQ] = e.set.calcTableA[0][2];
    }
    return L;
}

ResultFormula::ResultFormula(ResultKind kind, PlotType plotType, StokesEinstein se)
    : kind_(kind), plotType_(PlotTypeNumber(plotType)), se_(se) {}

double ResultFormula::Pivot(const LineVector& L) const {
    const double y0c = L[kY0c], sC = L[kSlopeC], y0q = L[kY0q], sQ = L[kSlopeQ];
    switch (kind_) {
    case ResultKind::MwC:
    case ResultKind::DzC: return y0c;
    case ResultKind::MwQ2:
    case ResultKind::DzQ2:
    case ResultKind::Rh: return y0q;
    case ResultKind::Rg: return ApparentS2Cm2(plotType_, y0q, sQ);
    case ResultKind::A2:
        switch (plotType_) {
        case kPlotBerry: return sC * 1e-3 * y0c;
        case kPlotGuinier: return std::exp(y0c) * sC * 1e-3 / 2.0;
        default: return sC * 1e-3 / 2.0;
        }
    case ResultKind::KD: return sC * 1e-3 / y0c;
    case ResultKind::CS2: return sQ / y0q * 1e8;
    }
    return std::numeric_limits<double>::quiet_NaN();
}

LineVector ResultFormula::Gradient(const LineVector& L) const {
    const double y0c = L[kY0c], sC = L[kSlopeC], y0q = L[kY0q], sQ = L[kSlopeQ];
    LineVector g{0.0, 0.0, 0.0, 0.0};
    switch (kind_) {
    case ResultKind::MwC:
    case ResultKind::DzC: g[kY0c] = 1.0; break;
    case ResultKind::MwQ2:
    case ResultKind::DzQ2:
    case ResultKind::Rh: g[kY0q] = 1.0; break;
    case ResultKind::Rg:
        switch (plotType_) {
        case kPlotGuinier: g[kSlopeQ] = 3.0; break;
        default: {
            const double f = plotType_ == kPlotBerry ? 6.0 : 3.0;
            g[kSlopeQ] = f / y0q;
            g[kY0q] = -f * sQ / (y0q * y0q);
        }
        }
        break;
    case ResultKind::A2:
        switch (plotType_) {
        case kPlotBerry:
            g[kSlopeC] = 1e-3 * y0c;
            g[kY0c] = 1e-3 * sC;
            break;
        case kPlotGuinier:
            g[kSlopeC] = std::exp(y0c) * 5e-4;
            g[kY0c] = std::exp(y0c) * sC * 5e-4;
            break;
        default: g[kSlopeC] = 5e-4; break;
        }
        break;
    case ResultKind::KD:
        g[kSlopeC] = 1e-3 / y0c;
        g[kY0c] = -sC * 1e-3 / (y0c * y0c);
        break;
    case ResultKind::CS2:
        g[kSlopeQ] = 1e8 / y0q;
        g[kY0q] = -sQ * 1e8 / (y0q * y0q);
        break;
    }
    return g;
}

bool ResultFormula::decreasing() const {
    return kind_ == ResultKind::MwC || kind_ == ResultKind::MwQ2 || kind_ == ResultKind::Rh;
}

std::optional<double> ResultFormula::Value(double pivot) const {
    if (!std::isfinite(pivot)) return std::nullopt;
    switch (kind_) {
    case ResultKind::MwC:
    case ResultKind::MwQ2:
        if (plotType_ != kPlotGuinier && pivot <= 0.0) return std::nullopt;
        return Finite(ApparentMw(plotType_, pivot));
    case ResultKind::Rg:
        if (pivot < 0.0) return std::nullopt;
        return std::sqrt(pivot) * 1e7;
    case ResultKind::Rh:
        if (pivot <= 0.0) return std::nullopt;
        return HydrodynamicRadiusNm(se_.temperatureK, se_.viscosityMPas, pivot);
    default: return pivot;
    }
}

std::optional<Interval> ResultFormula::IntervalOf(double lo, double hi) const {
    if (!std::isfinite(lo) || !std::isfinite(hi)) return std::nullopt;
    if (kind_ == ResultKind::Rg) {
        if (hi < 0.0) return std::nullopt;
        return Interval{*Value(std::max(lo, 0.0)), *Value(hi)};
    }
    const std::optional<double> a = Value(lo), b = Value(hi);
    if (!a || !b) return std::nullopt;
    return decreasing() ? Interval{*b, *a} : Interval{*a, *b};
}

std::optional<double> EstimateOf(const EvaluationResults& r, ResultKind kind) {
    switch (kind) {
    case ResultKind::MwC: return r.mwC;
    case ResultKind::MwQ2: return r.mwQ2;
    case ResultKind::Rg: return r.rgNm;
    case ResultKind::A2: return r.a2;
    case ResultKind::DzC: return r.dzC;
    case ResultKind::DzQ2: return r.dzQ2;
    case ResultKind::CS2: return r.cs2Um2;
    case ResultKind::KD: return r.kD;
    case ResultKind::Rh: return r.conc.empty() ? std::nullopt : r.conc[0].rhNm;
    }
    return std::nullopt;
}

NotDeterminedReason MissingEstimateReason(const EvaluationResults& r, ResultKind kind) {
    if (kind == ResultKind::Rg && r.s2Cm2 && *r.s2Cm2 < 0.0) return NotDeterminedReason::NegativeS2;
    if (kind == ResultKind::Rh && r.dzQ2) return NotDeterminedReason::NoViscosity;
    return NotDeterminedReason::NoEstimate;
}

} // namespace zeb
