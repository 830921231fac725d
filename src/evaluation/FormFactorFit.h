// Fits of the particle form factors to the points extrapolated to c = 0 (the
// values of the angles' fits over c that the evaluation keeps in the cells
// (0, a)): Kc/R(q, c = 0) = 1 / (Mw Pz(q Rg f)), with Pz and the size factor
// f of each model (analysis/FormFactor.h: monodisperse and polydisperse coil,
// thin rod, hard sphere) or the user's tabulated Pz(q), which has no size and
// gives Mw alone. Levenberg-Marquardt on ln Mw and ln Rg, the residuals in
// Kc/R (mol/g), weighted by 1/error² when the evaluation weights; the scale of
// the scatter comes from the residuals (chi²/dof), the intervals from
// Student's t for the degrees of freedom, on ln Mw and ln Rg.
//
// Mw in g/mol, Rg and the model's own size (L of the rod, Rs of the sphere)
// in nm. A model whose fit does not converge, or that the points cannot
// determine (Kc/R falling with q: Rg runs to 0), gives no numbers, only the
// reason; an Rg whose interval spans more than a factor of 100 is given
// without one.
#pragma once

#include "analysis/FormFactor.h"
#include "evaluation/Uncertainty.h"

#include <optional>
#include <vector>

namespace zeb {

class Evaluation;
class SmoothingSpline;

struct FormFactorFitOptions {
    double level = 0.95;
    std::vector<int> models{kModelCoilMono, kModelCoilPoly, kModelThinRod, kModelHardSphere};
    const SmoothingSpline* userSpline = nullptr;  // Pz(q) of kModelUser, q in cm⁻¹
};

struct FormFactorFitResult {
    int model = kModelCoilMono;
    const char* name = "";  // as the form-factor menu names it
    std::optional<double> mwGPerMol;
    std::optional<double> rgNm;
    std::optional<double> sizeNm;  // Rg for coils, L for the rod, Rs for the sphere
    std::optional<Interval> mwInterval;
    std::optional<Interval> rgInterval;
    double chi2 = 0.0;                // sum of squared (weighted) residuals
    double reducedChi2 = 0.0;         // chi2 / (points - parameters); 0 without degrees of freedom
    double rmsRelativePercent = 0.0;  // rms of the residuals relative to the model, in %
    int parameters = 0;
    int iterations = 0;
    bool converged = false;
    NotDetermined why;  // why a value or an interval is missing
};

struct FormFactorFits {
    int points = 0;  // points at c = 0 the models were fitted to
    std::vector<FormFactorFitResult> models;
    int bestModel = 0;  // the converged model with the smallest reduced chi² (0: none)
};

FormFactorFits FitFormFactors(const Evaluation& e, const FormFactorFitOptions& options = {});

} // namespace zeb
