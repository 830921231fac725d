// What the form-factor view shows besides the curves' formula: the measured Pz
// of one data row in the chosen plot form, the q grid of the curves, the ranges
// of the axes and the labels of the legend.
#pragma once

#include "analysis/FormFactor.h"
#include "data/MeasurementSet.h"

#include <string>
#include <vector>

namespace zeb {

class SmoothingSpline;

// One measured point of the compared data row in a plot form. The measured Pz
// is 1 / (Kc/R Mw); the error bar runs from y - error to y + error.
struct FormFactorMeasuredPoint {
    int angle = 0;
    double x = 0.0;
    double y = 0.0;
    double error = 0.0;
    bool active = false;
};

// The measured points of row (0 = the data extrapolated to c = 0, i =
// concentration i): every point with hasData 1 whose values can be computed
// (inactive ones included, flagged, so that they can be drawn when shown).
std::vector<FormFactorMeasuredPoint> MeasuredFormFactorPoints(const MeasurementSet& set, int row, int form,
                                                              double rgCm, double mwGPerMol);

// q from q_min = 1e-4 q_max to q_max = sqrt(largest q² of the set) in steps of
// (q_max - q_min) / 100: 101 values.
struct FormFactorGrid {
    double qMin = 0.0;
    double qMax = 0.0;
    double step = 0.0;
    std::vector<double> q;
};
FormFactorGrid MakeFormFactorGrid(const MeasurementSet& set);
FormFactorGrid MakeFormFactorGrid(double qMaxPerCm);

// The points of one theoretical curve over the grid (q values where the point
// cannot be computed are left out).
std::vector<FormFactorXY> FormFactorCurve(const FormFactorGrid& grid, int form, int model, double rgCm,
                                          const SmoothingSpline* userSpline);

struct FormFactorRanges {
    double xMin = 0.0;
    double xMax = 1.0;
    double yMin = 0.0;
    double yMax = 1.0;
};

// x from 0 to the x of q_max; y over every curve point and every active
// measured point; all rounded to 6 significant digits.
FormFactorRanges ComputeFormFactorRanges(const FormFactorGrid& grid, const std::vector<int>& models, int form,
                                         double rgCm, const SmoothingSpline* userSpline,
                                         const std::vector<FormFactorMeasuredPoint>& measured);

// Legend texts: a model's label for Rg in nm, and the data label for c in g/cm³
// ("c = .5000 g/dm³", "Conc. c -> 0" for 0, empty when negative).
std::string ModelLabel(int model, double rgNm);
std::string DataLabel(double cGPerCm3);

} // namespace zeb
