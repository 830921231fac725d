// Texts of the uncertainty of the results: the names of the results and of
// the interval methods, why an interval or a fit is not determined, and the
// pieces of the order advice.
#pragma once

namespace zeb::tx {

// The results as the results window names them (units: AnalysisTexts.h).
inline constexpr const char* ResultMwC = "Mw(c)";
inline constexpr const char* ResultMwQ2 = "Mw(q²)";
inline constexpr const char* ResultRg = "Rg";
inline constexpr const char* ResultA2 = "A2";
inline constexpr const char* ResultDzC = "Dz(c)";
inline constexpr const char* ResultDzQ2 = "Dz(q²)";
inline constexpr const char* ResultCS2 = "C<S²>";
inline constexpr const char* ResultKD = "kD";
inline constexpr const char* ResultRh = "Rh";

// A value that is not determined.
inline constexpr const char* NotDeterminedValue = "---";

// Why a value or an interval is not determined.
inline constexpr const char* WhyNoEstimate = "the evaluation gives no value: the extrapolated line it comes from was not fitted";
inline constexpr const char* WhyNegativeS2 = "<S²> is negative: there is no radius of gyration";
inline constexpr const char* WhyNoViscosity = "the temperature or the viscosity of the solution is not known";
inline constexpr const char* WhyNoScatter =
    "no fit over q² has more points than coefficients: the scatter of the points is unknown";
inline constexpr const char* WhyUnbounded =
    "the interval of the extrapolated value reaches zero: the result has no upper bound";
inline constexpr const char* WhyCancelled = "the bootstrap was cancelled";
inline constexpr const char* WhyTooFewResamples = "too few resamples for an interval at this level";
inline constexpr const char* WhyFailedResamples = "more than 1 % of the resamples give no finite value";
inline constexpr const char* WhyEstimateOutsideResamples =
    "the value lies outside all resamples: the bias correction is not defined";
inline constexpr const char* WhyTooFewPoints = "too few points: the fit needs more points than parameters";
inline constexpr const char* WhySingular = "the fit is singular: the points do not determine every parameter";
inline constexpr const char* WhyNotConverged = "the fit of the model does not converge";
inline constexpr const char* WhyNotEvaluable = "the model cannot be computed for these points";
inline constexpr const char* WhyNoSize = "the user's form factor has no size parameter";
inline constexpr const char* WhySizeNotResolved =
    "the scattering hardly falls with q over the points: they do not resolve the size";
inline constexpr const char* WhyNotStatic = "form factors need a static plot type (Zimm, Berry or Guinier)";
inline constexpr const char* WhyNoUserFormFactor = "no user form factor is loaded";

// The order advice: "the q² fit of order 1 leaves curvature: order 2 gives
// Rg = 45.0 nm ± 4.9 nm, 6 % lower".
inline constexpr const char* AdviceFitOverQ2 = "the q² fit";
inline constexpr const char* AdviceFitOverC = "the c fit";
inline constexpr const char* AdviceLeavesCurvature = "%s of order %d leaves curvature: order %d gives %s = %s, %s %s";
inline constexpr const char* AdviceLower = "lower";
inline constexpr const char* AdviceHigher = "higher";

// The section of the results (results window, zebstat-batch --ci).
inline constexpr const char* IntervalsHeading = "%g %% confidence intervals";
inline constexpr const char* IntervalsColumns = "Result\tValue\tPropagation\tBootstrap, BCa\tBootstrap, percentile";
inline constexpr const char* IntervalsBootstrapNote = "Bootstrap: %d of %d resamples (seed %llu), residuals resampled within each concentration.";
inline constexpr const char* IntervalsNoBootstrap = "Bootstrap: not computed.";
inline constexpr const char* NotDeterminedBecause = "not determined: %s";
inline constexpr const char* AdviceHeading = "Order advice:";
inline constexpr const char* AdviceNone = "Order advice: the chosen orders suit the data.";
inline constexpr const char* FormFactorFitsHeading = "Form factors fitted to the points at c = 0 (%d points):";
inline constexpr const char* FormFactorFitsColumns = "Model\tMw\tRg\tSize\tRms deviation";
inline constexpr const char* FormFactorFitsBest = "Fits best: %s";
// The same fits as the plot window's table shows them.
inline constexpr const char* FormFactorFitsTitle = "Form factors fitted to the %d points at c = 0, the best fit first";
inline constexpr const char* FormFactorFitsIntervalColumn = "%g %% interval";
inline constexpr const char* FormFactorFitsModelColumn = "Model";
inline constexpr const char* FormFactorFitsMwColumn = "Mw/(g/mol)";
inline constexpr const char* FormFactorFitsRgColumn = "Rg/nm";
inline constexpr const char* FormFactorFitsSquaresColumn = "Sum of squares";
inline constexpr const char* FormFactorFitsRmsColumn = "Rms deviation";

} // namespace zeb::tx
