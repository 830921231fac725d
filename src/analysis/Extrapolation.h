// The double extrapolation of one measurement set: a polynomial over q² for
// every concentration, one over c for every angle, and the two extrapolated
// lines (c -> 0 over q², q -> 0 over c). The same fits serve the static and the
// dynamic plot types; the plotted values come from PointTransform.
#pragma once

#include "analysis/FitPolynomial.h"
#include "data/DataPoint.h"
#include "data/MeasurementSet.h"

#include <array>

namespace zeb {

struct ExtrapolationSettings {
    int plotType = 1;
    int qOrder = 0;        // 0 = no fit over q²
    int cOrder = 0;        // 0 = no fit over c
    bool smoothing = false; // angle fits over the concentrations' q² polynomials
    double k = 0.0;        // x offset per concentration, cm⁻² per g/cm³
};

// One fitted line with its coefficients' errors (the coefficients themselves
// are rows of the set's calcTableA/calcTableB).
struct LineErrors {
    std::array<double, MeasurementSet::kCoefficients> errors{};
};

struct ExtrapolationResult {
    // The c -> 0 line (over q² of the cells (0, a)) and the q -> 0 line (over c of
    // the cells (c, 0)): hasData 1 when fitted, y/kcr/dapp the extrapolated value.
    DataPoint lineC0;
    DataPoint lineQ0;
    // Where each curve ends: for concentration c the angle index with the largest
    // q² among its fitted points (slot 0: the c -> 0 line); for angle a the
    // concentration index with the largest concentration (slot 0: the q -> 0 line).
    // 0 when a curve has no points.
    std::array<int, MeasurementSet::kConcSlots> concCurveEnd{};
    std::array<int, MeasurementSet::kAngleSlots> angleCurveEnd{};
    // Errors of the coefficients of every concentration fit (row c, row 0 the
    // c -> 0 line) and every angle fit (row a, row 0 the q -> 0 line).
    std::array<LineErrors, MeasurementSet::kConcSlots> concErrors{};
    std::array<LineErrors, MeasurementSet::kAngleSlots> angleErrors{};
    // Errors of the linear coefficient of the two lines.
    double slopeErrorC0 = 0.0;
    double slopeErrorQ0 = 0.0;
    // Number of points each line was fitted to (or would have been).
    int pointsC0 = 0;
    int pointsQ0 = 0;
};

// Runs the concentration fits, the angle fits and both lines, writing the
// coefficient rows and the summary records (c, 0) and (0, a) of the set. A fit
// is refused (hasData 0, no message) when its order is 0 or it has no more
// points than the order; a fit whose result is not finite (after a reported
// singular matrix) is treated as refused. Shows the message of a failed line when
// both orders are chosen. std::bad_alloc passes to the caller.
void RunDoubleExtrapolation(MeasurementSet& set, const ExtrapolationSettings& settings, FitContext& fit,
                            ExtrapolationResult& result);

} // namespace zeb
