#include "data/RoundSig.h"

#include <array>
#include <cmath>

namespace zeb {

namespace {

// 10^k for k = kMinExp..kMaxExp, taken from pow itself so that the fast path
// below uses exactly the units the direct formula would.
constexpr int kMinExp = -340, kMaxExp = 330;

struct PowersOfTen {
    std::array<double, kMaxExp - kMinExp + 1> value{};
    PowersOfTen() {
        for (int k = kMinExp; k <= kMaxExp; ++k) value[k - kMinExp] = std::pow(10.0, k);
    }
    double operator()(int k) const { return value[k - kMinExp]; }
};

const PowersOfTen& powers() {
    static const PowersOfTen table;
    return table;
}

double direct(double x, int n) {
    const double e = std::trunc(std::log10(std::fabs(x)));
    const double unit = std::pow(10.0, e - n);
    return unit * std::floor(x / unit + 0.5);
}

} // namespace

double RoundSig(double x, int n) {
    if (x == 0.0 || !std::isfinite(x)) return x;
    const double ax = std::fabs(x);
    int binaryExp = 0;
    std::frexp(ax, &binaryExp);
    // k = floor(log10 ax): estimated from the binary exponent, then corrected.
    int k = static_cast<int>(std::floor((binaryExp - 1) * 0.30102999566398120));
    const PowersOfTen& p = powers();
    if (k <= kMinExp + 1 || k >= kMaxExp - 1 || n < -300 || n > 300) return direct(x, n);
    while (p(k + 1) <= ax) ++k;
    while (p(k) > ax) --k;
    // Close to a power of ten log10 may round onto the integer: take the direct way there.
    if (ax > p(k + 1) * (1.0 - 1e-14) || ax < p(k) * (1.0 + 1e-14)) return direct(x, n);
    // trunc(log10 ax) is k for ax >= 1 and k + 1 below 1 (truncation toward zero).
    const int e = ax >= 1.0 ? k : k + 1;
    const int unitExp = e - n;
    if (unitExp <= kMinExp || unitExp >= kMaxExp) return direct(x, n);
    const double unit = p(unitExp);
    return unit * std::floor(x / unit + 0.5);
}

} // namespace zeb
