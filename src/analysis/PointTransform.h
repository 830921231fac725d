// The plotted value of a point for the current plot type, and the storing of a
// fit's extrapolated value in a summary record.
#pragma once

#include "data/DataPoint.h"
#include "data/MeasurementSet.h"

#include <array>

namespace zeb {

class MessageSink;

// Sets y, the error-bar ends and hasData (1 = has a value for the plot type,
// 2 = has none) of one measured point. A point with hasData 0 is left alone.
// Berry and Guinier refuse a negative (Guinier: non-positive) Kc/R with a message.
void TransformPoint(DataPoint& point, int plotType, MessageSink& messages);

// Applies TransformPoint to every measured point (concentrations and angles from
// 1) and, with recomputeX, sets x = k * concentration + q² of the point. The
// summary records of index 0 belong to the calculation, which rewrites them.
void TransformGrid(MeasurementSet& set, int plotType, double k, bool recomputeX, MessageSink& messages);

// Stores a fit's constant term a and its error e in a summary record: the
// extrapolated Kc/R (static types) or Dapp (dynamic types) and the plotted y
// with its error-bar ends.
void SetExtrapolated(DataPoint& record, int plotType, double a, double e);

// The stored extrapolated value and its error in a summary record for the plot
// type: Kc/R and its error, or the type's Dapp and its error.
struct ValueWithError {
    double value = 0.0;
    double error = 0.0;
};
ValueWithError ExtrapolatedValue(const DataPoint& record, int plotType);

// y = sum of a_k x^(k-1) for k = 1..order+1 of a coefficient row (a1 at position 1).
inline double EvaluateRow(const std::array<double, MeasurementSet::kCoefficients>& row, int order, double x) {
    double y = row[static_cast<std::size_t>(order) + 1];
    for (int k = order; k >= 1; --k) y = y * x + row[static_cast<std::size_t>(k)];
    return y;
}

} // namespace zeb
