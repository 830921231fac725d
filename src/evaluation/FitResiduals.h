// The residuals of the fits of an evaluation, for a residual chart: per
// concentration over q² (the measured value minus its concentration's
// polynomial) and per angle over c (the value the angle's fit took, measured
// or smoothed, minus its polynomial). Residuals and fitted values are in the
// plotted quantity of the plot type (Kc/R in mol/g, sqrt(Kc/R), ln(Kc/R), or
// Dapp in µm²/s); q² in cm⁻², c in g/cm³. Switched-off points and fits that
// were not made do not appear.
#pragma once

#include <vector>

namespace zeb {

class Evaluation;

struct ResidualPoint {
    int concentration = 0;  // indices from 1
    int angle = 0;
    double q2PerCm2 = 0.0;
    double concentrationGPerCm3 = 0.0;
    double fitted = 0.0;
    double residual = 0.0;
};

// The points of one fit: a concentration (over q²) or an angle (over c).
struct ResidualSeries {
    int index = 0;
    double concentrationGPerCm3 = 0.0;  // of a concentration's series
    double q2PerCm2 = 0.0;              // of an angle's series
    std::vector<ResidualPoint> points;  // in the order of their abscissa
};

struct FitResiduals {
    std::vector<ResidualSeries> overQ2;  // one per fitted concentration
    std::vector<ResidualSeries> overC;   // one per fitted angle
};

FitResiduals ResidualsOf(const Evaluation& e);

} // namespace zeb
