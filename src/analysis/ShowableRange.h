// The axis ranges a chart can show, in the units its labels show: limits of
// at most 1E+12 in magnitude (a tick label then keeps to a few characters) and
// a span of at least a millionth of the larger magnitude (the nice steps
// resolve it into distinct tick labels). Equal limits are no range at all.
#pragma once

#include <algorithm>
#include <cmath>

namespace zeb {

inline constexpr double kMaxRangeLabelMagnitude = 1e12;
inline constexpr double kMinRangeRelativeSpan = 1e-6;

inline bool RangeShowable(double lo, double hi) {
    if (!std::isfinite(lo) || !std::isfinite(hi) || lo == hi) return false;
    const double largest = std::max(std::fabs(lo), std::fabs(hi));
    return largest <= kMaxRangeLabelMagnitude && std::fabs(hi - lo) >= kMinRangeRelativeSpan * largest;
}

} // namespace zeb
