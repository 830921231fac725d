// How each result follows from the four values of the two extrapolated lines:
// Y0c and the slope (at c = 0) of the q -> 0 line over c, Y0q and the slope (at
// q² = 0) of the c -> 0 line over q², in the plotted quantity of the plot type
// (Kc/R in mol/g, its square root or logarithm; Dapp in µm²/s) per g/cm³ or
// per cm⁻². Every result is a monotone function of a "pivot" that is smooth
// in these four values: Mw of the extrapolated value, Rg of <S²> (cm²), the
// others are their own pivot. Intervals are formed for the pivot and carried
// over to the result, so a result that is not defined over part of an
// interval (Mw where Kc/R reaches 0) shows it.
#pragma once

#include "analysis/EvaluationResults.h"
#include "evaluation/Uncertainty.h"

#include <array>
#include <optional>

namespace zeb {

class Evaluation;

enum LineQuantity : int { kY0c = 0, kSlopeC = 1, kY0q = 2, kSlopeQ = 3 };
inline constexpr int kLineQuantities = 4;
using LineVector = std::array<double, kLineQuantities>;

// The line values of an evaluation; NaN for a line that was not fitted.
LineVector LineQuantitiesOf(const Evaluation& e);

// Temperature and viscosity for a hydrodynamic radius.
struct StokesEinstein {
    double temperatureK = 0.0;
    double viscosityMPas = 0.0;
};

class ResultFormula {
public:
    ResultFormula(ResultKind kind, PlotType plotType, StokesEinstein stokesEinstein = {});

    ResultKind kind() const { return kind_; }
    double Pivot(const LineVector& L) const;      // NaN when a line it needs is missing
    LineVector Gradient(const LineVector& L) const;
    std::optional<double> Value(double pivot) const;  // the result; none where it is not defined
    // The result's interval from the pivot's; none when the result is not
    // defined over all of it (Mw, Rh: the pivot reaches 0). Rg starts at 0
    // when <S²> does below it.
    std::optional<Interval> IntervalOf(double pivotLow, double pivotHigh) const;

private:
    bool decreasing() const;
    ResultKind kind_;
    int plotType_;
    StokesEinstein se_;
};

// The value of a result as the evaluation shows it (Rh: of the row "Conc.=0").
std::optional<double> EstimateOf(const EvaluationResults& results, ResultKind kind);
// Why an evaluation shows no value for the result.
NotDeterminedReason MissingEstimateReason(const EvaluationResults& results, ResultKind kind);

} // namespace zeb
