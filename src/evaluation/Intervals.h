// Confidence intervals of the results by propagation: the covariance of the
// fitted coefficients carried through both extrapolation steps with all their
// correlations (the exact linear map of LinearizedExtrapolation), then to each
// result through the derivatives of its formula (ResultFormulas.h). The
// scatter of the points comes from the residuals of the fits over q² (per
// concentration); the interval is the pivot ± t·se with Student's t for the
// (Satterthwaite) degrees of freedom of that scatter, carried over to the
// result. Units as the results show them (Uncertainty.h).
#pragma once

#include "evaluation/LinearizedExtrapolation.h"
#include "evaluation/Uncertainty.h"

namespace zeb {

class Evaluation;

ResultIntervals PropagatedIntervals(const Evaluation& e, double level = 0.95);

// The same for the fits of a linearisation at any orders: the estimates are
// those of lin (for the order advice). set: the evaluated set (temperatures
// and viscosities for Rh).
ResultIntervals PropagatedIntervalsOf(const LinearizedExtrapolation& lin, const MeasurementSet& set,
                                      double level = 0.95);

// Temperature and viscosity of a concentration (0: of the row "Conc.=0").
StokesEinstein StokesEinsteinOf(const MeasurementSet& set, int concentration);

} // namespace zeb
