// The double extrapolation of a prepared set as the linear map it is. With the
// abscissae and weights fixed, every fit is linear in its ordinates, so the
// four values of the extrapolated lines (Y0c, slope over c, Y0q, slope over
// q²; see ResultFormulas.h) are sums J·y over the plotted values y of the
// points. This builds the same fits as the calculation (the same points,
// orders, smoothing and weighting; the weights of the two extrapolated lines
// as the calculation sets them) and keeps, per point, its row of J, its
// residual and leverage in its concentration's fit over q² and the scale of
// its scatter. Values are in the plotted quantity (Kc/R in mol/g, its square
// root or logarithm, Dapp in µm²/s); abscissae q² in cm⁻², c in g/cm³.
//
// The scatter of a point of concentration c is s_c² sigma_i², with sigma_i 1
// (no weighting) or half its error bar (weighting: the bars give the relative
// weights, the residuals the scale) and s_c² = chi²/dof of its fit over q²;
// a concentration whose fit has no degrees of freedom, or none at all, takes
// the value pooled over the others.
#pragma once

#include "analysis/PolynomialDesign.h"
#include "data/MeasurementSet.h"
#include "evaluation/ResultFormulas.h"

#include <vector>

namespace zeb {

struct EvaluationOptions;

struct LinearizationSettings {
    PlotType plotType = PlotType::Zimm;
    int qOrder = 0;
    int cOrder = 0;
    bool smoothing = false;
    bool weighting = false;
};
LinearizationSettings LinearizationOf(const EvaluationOptions& options);

struct LinearPoint {
    int concentration = 0;  // indices from 1
    int angle = 0;
    double y = 0.0;         // plotted value
    double sigma = 1.0;     // 1, or half its error bar with weighting
    double halfBar = 0.0;   // half its error bar
    bool inQ2Fit = false;   // its concentration was fitted over q²
    double fitted = 0.0;    // that fit at its q² (its y when none)
    double leverage = 0.0;  // in that fit
    double interceptWeight = 0.0;  // weight of y in that fit's value at q² = 0
    bool inCFit = false;    // its angle was fitted over c with it
    double cInput = 0.0;    // what that fit saw: y, or with smoothing its concentration's polynomial
    double cFitted = 0.0;   // that fit at its concentration
    LineVector jacobian{};  // d(Y0c, slope c, Y0q, slope q²) / dy
};

struct LinearConcentration {
    int index = 0;
    double concentrationGPerCm3 = 0.0;
    int first = 0, count = 0;  // its usable points: points[first .. first + count - 1]
    bool fitted = false;       // over q²
    int dof = 0;
    double chi2 = 0.0;
    double intercept = 0.0;    // its fit at q² = 0
    double scale2 = 0.0;       // s_c²
    double scaleDof = 0.0;     // degrees of freedom of s_c²
};

// chi² and degrees of freedom summed over the fits of one direction.
struct FitTotals {
    int fits = 0;
    int dof = 0;
    double chi2 = 0.0;
};

// A variance with its (Satterthwaite) degrees of freedom.
struct ScaledVariance {
    double value = 0.0;
    double dof = 0.0;
};

class LinearizedExtrapolation {
public:
    // set: prepared for the plot type (PreparePlottedPoints); only its
    // measured points and the active flags of its summary records are read.
    LinearizedExtrapolation(const MeasurementSet& set, const LinearizationSettings& settings);

    LinearizationSettings settings;
    bool lineC0 = false;  // the c -> 0 line over q² was fitted
    bool lineQ0 = false;  // the q -> 0 line over c
    LineVector quantities{};  // J y (NaN for a line not fitted)
    std::vector<LinearPoint> points;                 // grouped by concentration
    std::vector<LinearConcentration> concentrations; // 1.. in order
    FitTotals overQ2, overC;
    double pooledScale2 = 0.0;
    int pooledDof = 0;

    bool hasScatter() const { return pooledDof > 0; }
    // The variance of g·J·y over the points' scatter.
    ScaledVariance VarianceOf(const LineVector& gradient) const;
    // The variance of a concentration's value at q² = 0.
    ScaledVariance InterceptVariance(const LinearConcentration& c) const;
    // The variance of point i's scatter.
    double PointVariance(const LinearPoint& p, const LinearConcentration& c) const;
};

} // namespace zeb
