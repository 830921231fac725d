// The uncertainty of the results of an evaluation as values: which result,
// its estimate (in the unit the results show: Mw in g/mol, Rg and Rh in nm,
// A2 in mol dm³/g², Dz in µm²/s, C<S²> in µm², kD in dm³/g), an interval
// [low, high] at a confidence level by one method, or the reason why there is
// none. Nothing here is shown: the caller prints "---" (or null) for a value
// that is not determined, with the reason's text.
#pragma once

#include "analysis/PlotType.h"

#include <optional>
#include <string>
#include <vector>

namespace zeb {

enum class ResultKind { MwC, MwQ2, Rg, A2, DzC, DzQ2, CS2, KD, Rh };

// The results of a plot type in the order the results window shows them:
// static Mw(c), Mw(q²), Rg, A2; dynamic Dz(c), Dz(q²), C<S²>, kD and Rh (from
// Dz(q²), with the temperature and viscosity of the first concentration, as
// the row "Conc.=0" of the results text).
std::vector<ResultKind> ResultsOf(PlotType plotType);
const char* ResultName(ResultKind kind);  // "Mw(c)", "Rg", ...
const char* ResultUnit(ResultKind kind);  // "g/mol", "nm", ...

enum class IntervalMethod {
    Propagation,          // the covariance of the fits carried through both extrapolations
    BootstrapPercentile,  // percentiles of the resampled results
    BootstrapBCa,         // bias-corrected and accelerated percentiles
};

enum class NotDeterminedReason {
    None,
    NoEstimate,                // the line the result comes from was not fitted
    NegativeS2,                // Rg with <S²> < 0
    NoViscosity,               // Rh without temperature or viscosity
    NoScatterEstimate,         // no residual degrees of freedom anywhere
    Unbounded,                 // the interval reaches where the result is not defined (Mw at Kc/R = 0)
    Cancelled,                 // the bootstrap was cancelled
    TooFewResamples,
    FailedResamples,           // more than 1 % of the resamples gave no finite value
    EstimateOutsideResamples,  // BCa: no bias correction
    TooFewPoints,
    Singular,
    NotConverged,
    NotEvaluable,
    NoSizeParameter,           // the user's form factor: no Rg
    SizeNotResolved,           // the points hardly fall with q: Rg within more than a factor of 10
    NotStaticPlot,
    NoUserFormFactor,
};

struct NotDetermined {
    NotDeterminedReason reason = NotDeterminedReason::None;
    std::string text;  // in plain words; empty when determined
};
NotDetermined Because(NotDeterminedReason reason);

struct Interval {
    double low = 0.0;
    double high = 0.0;
    double halfWidth() const { return (high - low) / 2.0; }
    bool contains(double v) const { return v >= low && v <= high; }
};

struct ResultInterval {
    ResultKind result = ResultKind::MwC;
    std::optional<double> estimate;  // the evaluation's value
    std::optional<Interval> interval;
    NotDetermined why;               // why the interval (or the estimate) is missing
    bool determined() const { return interval.has_value(); }
};

// Rh of one concentration (dynamic plot types, from its fit over q²).
struct ConcentrationInterval {
    int concentration = 0;  // index from 1
    double concentrationGPerCm3 = 0.0;
    ResultInterval rh;
};

// "45.3 nm ± 0.7 nm": the value to the last digit of its uncertainty (one
// or, below 3 in the leading digit, two significant digits), fixed or
// scientific by size ("1.194e6 g/mol ± 2.5e4 g/mol").
std::string ValueWithUncertaintyText(double value, double halfWidth, const char* unit);

struct ResultIntervals {
    IntervalMethod method = IntervalMethod::Propagation;
    double level = 0.95;
    std::vector<ResultInterval> results;                     // ResultsOf(plot type), in order
    std::vector<ConcentrationInterval> rhPerConcentration;   // dynamic types, concentrations with T and η
    const ResultInterval* find(ResultKind kind) const;
};

} // namespace zeb
