#include "evaluation/Uncertainty.h"

#include "texts/UncertaintyTexts.h"

namespace zeb {

std::vector<ResultKind> ResultsOf(PlotType plotType) {
    if (IsDynamicPlot(plotType))
        return {ResultKind::DzC, ResultKind::DzQ2, ResultKind::CS2, ResultKind::KD, ResultKind::Rh};
    return {ResultKind::MwC, ResultKind::MwQ2, ResultKind::Rg, ResultKind::A2};
}

const char* ResultName(ResultKind kind) {
    switch (kind) {
    case ResultKind::MwC: return tx::ResultMwC;
    case ResultKind::MwQ2: return tx::ResultMwQ2;
    case ResultKind::Rg: return tx::ResultRg;
    case ResultKind::A2: return tx::ResultA2;
    case ResultKind::DzC: return tx::ResultDzC;
    case ResultKind::DzQ2: return tx::ResultDzQ2;
    case ResultKind::CS2: return tx::ResultCS2;
    case ResultKind::KD: return tx::ResultKD;
    case ResultKind::Rh: return tx::ResultRh;
    }
    return "";
}

const char* ResultUnit(ResultKind kind) {
    switch (kind) {
    case ResultKind::MwC:
    case ResultKind::MwQ2: return "g/mol";
    case ResultKind::Rg:
    case ResultKind::Rh: return "nm";
    case ResultKind::A2: return "mol dm³/g²";
    case ResultKind::DzC:
    case ResultKind::DzQ2: return "µm²/s";
    case ResultKind::CS2: return "µm²";
    case ResultKind::KD: return "dm³/g";
    }
    return "";
}

const char* MethodName(IntervalMethod method) {
    switch (method) {
    case IntervalMethod::Propagation: return tx::MethodPropagation;
    case IntervalMethod::BootstrapPercentile: return tx::MethodPercentile;
    case IntervalMethod::BootstrapBCa: return tx::MethodBCa;
    }
    return "";
}

NotDetermined Because(NotDeterminedReason reason) {
    const char* text = "";
    switch (reason) {
    case NotDeterminedReason::None: break;
    case NotDeterminedReason::NoEstimate: text = tx::WhyNoEstimate; break;
    case NotDeterminedReason::NegativeS2: text = tx::WhyNegativeS2; break;
    case NotDeterminedReason::NoViscosity: text = tx::WhyNoViscosity; break;
    case NotDeterminedReason::NoScatterEstimate: text = tx::WhyNoScatter; break;
    case NotDeterminedReason::Unbounded: text = tx::WhyUnbounded; break;
    case NotDeterminedReason::Cancelled: text = tx::WhyCancelled; break;
    case NotDeterminedReason::TooFewResamples: text = tx::WhyTooFewResamples; break;
    case NotDeterminedReason::FailedResamples: text = tx::WhyFailedResamples; break;
    case NotDeterminedReason::EstimateOutsideResamples: text = tx::WhyEstimateOutsideResamples; break;
    case NotDeterminedReason::TooFewPoints: text = tx::WhyTooFewPoints; break;
    case NotDeterminedReason::Singular: text = tx::WhySingular; break;
    case NotDeterminedReason::NotConverged: text = tx::WhyNotConverged; break;
    case NotDeterminedReason::NotEvaluable: text = tx::WhyNotEvaluable; break;
    case NotDeterminedReason::NoSizeParameter: text = tx::WhyNoSize; break;
    case NotDeterminedReason::NotStaticPlot: text = tx::WhyNotStatic; break;
    case NotDeterminedReason::NoUserFormFactor: text = tx::WhyNoUserFormFactor; break;
    }
    return {reason, text};
}

const ResultInterval* ResultIntervals::find(ResultKind kind) const {
    for (const ResultInterval& r : results)
        if (r.result == kind) return &r;
    return nullptr;
}

} // namespace zeb
