#include "data/PlausibleRanges.h"

#include "data/CFormat.h"

#include <cmath>

namespace zeb {

const PlausibleRange& RangeOf(Quantity quantity) {
    for (const PlausibleRange& r : kPlausibleRanges)
        if (r.quantity == quantity) return r;
    return kPlausibleRanges[0];  // every quantity has its row (PlausibleRanges_test)
}

bool Plausible(Quantity quantity, double v) {
    const PlausibleRange& r = RangeOf(quantity);
    if (!std::isfinite(v)) return false;
    if (v == 0.0 && r.zeroNotGiven) return true;
    const double x = r.signFree ? std::fabs(v) : v;
    return x >= r.lower * (1.0 - kRangeTolerance) && x <= r.upper * (1.0 + kRangeTolerance);
}

bool PlausibleError(Quantity quantity, double value, double error) {
    if (error == 0.0) return true;
    if (!std::isfinite(error)) return false;
    const double e = std::fabs(error);
    return e <= RangeOf(quantity).upper * (1.0 + kRangeTolerance) && e >= 1e-6 * std::fabs(value) * (1.0 - kRangeTolerance);
}

std::string ValueText(Quantity quantity, double v, const char* name) {
    const PlausibleRange& r = RangeOf(quantity);
    return CFormat("%s %g%s", name ? name : r.name, v, r.unit);
}

} // namespace zeb
