#include "analysis/Distributions.h"

#include <cmath>
#include <limits>
#include <numbers>

namespace zeb {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The continued fraction of I_x(a, b) (modified Lentz), good for x < (a + 1) / (a + b + 2).
double betaContinuedFraction(double a, double b, double x) {
    constexpr double tiny = 1e-300, eps = 1e-16;
    const double qab = a + b, qap = a + 1.0, qam = a - 1.0;
    double c = 1.0, d = 1.0 - qab * x / qap;
    if (std::fabs(d) < tiny) d = tiny;
    d = 1.0 / d;
    double h = d;
    for (int m = 1; m <= 1000; ++m) {
        const double m2 = 2.0 * m;
        double aa = m * (b - m) * x / ((qam + m2) * (a + m2));
        d = 1.0 + aa * d;
        if (std::fabs(d) < tiny) d = tiny;
        c = 1.0 + aa / c;
        if (std::fabs(c) < tiny) c = tiny;
        d = 1.0 / d;
        h *= d * c;
        aa = -(a + m) * (qab + m) * x / ((a + m2) * (qap + m2));
        d = 1.0 + aa * d;
        if (std::fabs(d) < tiny) d = tiny;
        c = 1.0 + aa / c;
        if (std::fabs(c) < tiny) c = tiny;
        d = 1.0 / d;
        const double del = d * c;
        h *= del;
        if (std::fabs(del - 1.0) < eps) break;
    }
    return h;
}

} // namespace

double NormalCdf(double x) { return 0.5 * std::erfc(-x / std::sqrt(2.0)); }

double NormalQuantile(double p) {
    if (!(p > 0.0 && p < 1.0)) return kNaN;
    // Acklam's rational approximation (relative error 1.15e-9), then one Halley step.
    static const double a[] = {-3.969683028665376e+01, 2.209460984245205e+02, -2.759285104469687e+02,
                               1.383577518672690e+02,  -3.066479806614716e+01, 2.506628277459239e+00};
    static const double b[] = {-5.447609879822406e+01, 1.615858368580409e+02, -1.556989798598866e+02,
                               6.680131188771972e+01,  -1.328068155288572e+01};
    static const double c[] = {-7.784894002430293e-03, -3.223964580411365e-01, -2.400758277161838e+00,
                               -2.549732539343734e+00, 4.374664141464968e+00,  2.938163982698783e+00};
    static const double d[] = {7.784695709041462e-03, 3.224671290700398e-01, 2.445134137142996e+00,
                               3.754408661907416e+00};
    const double low = 0.02425;
    double x;
    if (p < low) {
        const double q = std::sqrt(-2.0 * std::log(p));
        x = (((((c[0] * q + c[1]) * q + c[2]) * q + c[3]) * q + c[4]) * q + c[5]) /
            ((((d[0] * q + d[1]) * q + d[2]) * q + d[3]) * q + 1.0);
    } else if (p <= 1.0 - low) {
        const double q = p - 0.5, r = q * q;
        x = (((((a[0] * r + a[1]) * r + a[2]) * r + a[3]) * r + a[4]) * r + a[5]) * q /
            (((((b[0] * r + b[1]) * r + b[2]) * r + b[3]) * r + b[4]) * r + 1.0);
    } else {
        const double q = std::sqrt(-2.0 * std::log1p(-p));
        x = -(((((c[0] * q + c[1]) * q + c[2]) * q + c[3]) * q + c[4]) * q + c[5]) /
            ((((d[0] * q + d[1]) * q + d[2]) * q + d[3]) * q + 1.0);
    }
    const double e = NormalCdf(x) - p;
    const double u = e * std::sqrt(2.0 * std::numbers::pi) * std::exp(x * x / 2.0);
    return x - u / (1.0 + x * u / 2.0);
}

double RegularizedIncompleteBeta(double a, double b, double x) {
    if (!(a > 0.0 && b > 0.0 && x >= 0.0 && x <= 1.0)) return kNaN;
    if (x == 0.0 || x == 1.0) return x;
    const double front =
        std::exp(std::lgamma(a + b) - std::lgamma(a) - std::lgamma(b) + a * std::log(x) + b * std::log1p(-x));
    if (x < (a + 1.0) / (a + b + 2.0)) return front * betaContinuedFraction(a, b, x) / a;
    return 1.0 - front * betaContinuedFraction(b, a, 1.0 - x) / b;
}

double StudentTCdf(double t, double dof) {
    if (std::isnan(t) || !(dof > 0.0)) return kNaN;
    if (std::isinf(dof)) return NormalCdf(t);
    const double tail = 0.5 * RegularizedIncompleteBeta(dof / 2.0, 0.5, dof / (dof + t * t));
    return t > 0.0 ? 1.0 - tail : tail;
}

double StudentTQuantile(double p, double dof) {
    if (!(p > 0.0 && p < 1.0) || !(dof > 0.0)) return kNaN;
    if (std::isinf(dof) || dof > 1e7) return NormalQuantile(p);
    if (p == 0.5) return 0.0;
    if (p < 0.5) return -StudentTQuantile(1.0 - p, dof);
    // Bisection on a bracket that grows until it holds the quantile.
    double lo = 0.0, hi = std::max(2.0 * NormalQuantile(p), 1.0);
    while (StudentTCdf(hi, dof) < p && hi < 1e300) {
        lo = hi;
        hi *= 4.0;
    }
    for (int i = 0; i < 200 && hi - lo > 1e-15 * hi; ++i) {
        const double mid = 0.5 * (lo + hi);
        (StudentTCdf(mid, dof) < p ? lo : hi) = mid;
    }
    return 0.5 * (lo + hi);
}

double FUpperTail(double f, double d1, double d2) {
    if (!(d1 > 0.0 && d2 > 0.0) || std::isnan(f)) return kNaN;
    if (f <= 0.0) return 1.0;
    return RegularizedIncompleteBeta(d2 / 2.0, d1 / 2.0, d2 / (d2 + d1 * f));
}

} // namespace zeb
