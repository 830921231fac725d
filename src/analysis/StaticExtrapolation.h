// The static results of a calculation (Zimm, Berry, Guinier): the apparent Mw
// and Rg per concentration, Mw(c), Mw(q²), Rg (or <S>² when <S²> < 0) and A2,
// with the labels, edit-field texts and result lines.
#pragma once

#include "analysis/EvaluationResults.h"
#include "analysis/Extrapolation.h"
#include "data/MeasurementSet.h"

namespace zeb {

// Mw(app) in g/mol and <S²>(app) in cm² from the constant and linear
// coefficient of a fit over q², for the plot type.
double ApparentMw(int plotType, double a1);
double ApparentS2Cm2(int plotType, double a1, double a2);

// Fills the static values of results (and appMw/appRg of the set) from the fits
// of the last extrapolation.
void ComputeStaticValues(MeasurementSet& set, const ExtrapolationResult& fits, int plotType,
                         EvaluationResults& results);

} // namespace zeb
