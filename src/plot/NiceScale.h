// Automatic axis ticks: "nice" tick values for a data range, chosen from a
// table of 16 candidate divisions in three passes (as listed, one step shorter,
// one step longer), with the first tick snapped to a round value.
#pragma once

#include <vector>

namespace zeb {

inline constexpr int kMaxTicks = 11;

struct NiceTicks {
    std::vector<double> ticks;  // ascending, at most kMaxTicks
    double first() const { return ticks.front(); }
    double last() const { return ticks.back(); }
};

// The exponent used for the unit of a range: trunc(log10 v) for v >= 1, else
// -round(|log10 v| + 0.5) with ties to even; v = 0 counts as 1e-30.
int ScaleExponent(double v);

NiceTicks NiceScale(double minimum, double maximum, int maxTicks = kMaxTicks);

} // namespace zeb
