#include "evaluation/Uncertainty.h"

#include "analysis/NumberText.h"
#include "texts/UncertaintyTexts.h"

#include <cmath>

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
    case NotDeterminedReason::SizeNotResolved: text = tx::WhySizeNotResolved; break;
    case NotDeterminedReason::NotStaticPlot: text = tx::WhyNotStatic; break;
    case NotDeterminedReason::NoUserFormFactor: text = tx::WhyNoUserFormFactor; break;
    }
    return {reason, text};
}

std::string ValueWithUncertaintyText(double value, double halfWidth, const char* unit) {
    const std::string u = std::string(" ") + unit;
    if (!std::isfinite(value)) return tx::NotDeterminedValue;
    if (!(halfWidth > 0.0) || !std::isfinite(halfWidth)) return CleanNumber(CFormat("%.4g", value)) + u;
    const int hwExp = static_cast<int>(std::floor(std::log10(halfWidth)));
    const int significant = halfWidth / std::pow(10.0, hwExp) < 3.0 ? 2 : 1;
    const int lastDigit = hwExp - (significant - 1);  // the decimal place of the last digit shown
    const double magnitude = std::fabs(value);
    if (magnitude >= 1e-3 && magnitude < 1e5 && halfWidth >= 1e-4) {
        const int decimals = std::max(0, -lastDigit);
        const double step = std::pow(10.0, lastDigit);
        const double rounded = std::round(value / step) * step, roundedHalf = std::round(halfWidth / step) * step;
        return CFormat("%.*f", decimals, rounded) + u + " ± " + CFormat("%.*f", decimals, roundedHalf) + u;
    }
    const int valueExp = magnitude > 0.0 ? static_cast<int>(std::floor(std::log10(magnitude))) : lastDigit;
    return CleanNumber(CFormat("%.*e", std::max(0, valueExp - lastDigit), value)) + u + " ± " +
           CleanNumber(CFormat("%.*e", significant - 1, halfWidth)) + u;
}

const ResultInterval* ResultIntervals::find(ResultKind kind) const {
    for (const ResultInterval& r : results)
        if (r.result == kind) return &r;
    return nullptr;
}

} // namespace zeb
