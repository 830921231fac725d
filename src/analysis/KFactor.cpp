#include "analysis/KFactor.h"

#include "data/RoundSig.h"

#include <cmath>

namespace zeb {

namespace {

bool usableScale(double s) { return std::isfinite(s) && s != 0.0; }

// At step 1 (or -1) k shrinks by tens while it is at least a hundredth of the
// scale; then the step becomes 0 with a practically zero k.
void shrink(double& k, int& step, double scale) {
    if (std::fabs(k / scale) >= 0.01) {
        k *= 0.1;
    } else {
        step = 0;
        k = RoundSig(scale * 1e-20 * 10.0, 3);
    }
}

} // namespace

double KScale(double q, double c, double largestQ2, double largestConc) {
    const double ratio = q / c;
    if (c != 0.0 && usableScale(ratio)) return ratio;
    const double fallback = largestQ2 / largestConc;
    if (largestConc != 0.0 && usableScale(fallback)) return fallback;
    return 1e13;
}

bool KTypedAcceptable(double k, double scale) {
    return std::isfinite(k) && std::fabs(k) <= kMaxTypedKPerScale * std::fabs(scale);
}

double KDefault(double scale) { return RoundSig(scale * 10.0, 3); }

bool KStepDown(double& k, int& step, double scale) {
    if (step == 1) {
        shrink(k, step, scale);
        return true;
    }
    if (step < kMinKStep + 1) return false;
    --step;
    k = RoundSig(step * 0.1 * scale * 10.0, 3);
    return true;
}

bool KStepUp(double& k, int& step, double scale) {
    if (step == -1) {
        shrink(k, step, scale);
        return true;
    }
    if (step > kMaxKStep - 1) return false;
    ++step;
    k = RoundSig(step * 0.1 * scale * 10.0, 3);
    return true;
}

} // namespace zeb
