// The dynamic results of a calculation (D-I, D-II, D-III): Dz(app), C<S²>(app)
// and the hydrodynamic radius per concentration, Dz(c), Dz(q²), C<S²> and kD,
// with the labels, edit-field texts and result lines.
#pragma once

#include "analysis/EvaluationResults.h"
#include "analysis/Extrapolation.h"
#include "data/MeasurementSet.h"

#include <optional>

namespace zeb {

// Stokes-Einstein radius in nm from the temperature (K), the viscosity (mPa s)
// and the diffusion coefficient (µm²/s); empty when temperature or viscosity is
// unknown (0) or the result is not finite.
std::optional<double> HydrodynamicRadiusNm(double temperatureK, double viscosityMPas, double dUm2PerS);

void ComputeDynamicValues(const MeasurementSet& set, const ExtrapolationResult& fits, EvaluationResults& results);

} // namespace zeb
