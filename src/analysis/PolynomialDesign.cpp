#include "analysis/PolynomialDesign.h"

#include "analysis/FitPolynomial.h"
#include "analysis/SymmetricSolve.h"

#include <algorithm>
#include <cmath>

namespace zeb {

bool PolynomialDesign::Build(int order, const double* x, const double* w, int n) {
    ok_ = false;
    M_ = order + 1;
    n_ = n;
    if (order < 1 || order > kMaxFitOrder || n < M_) return false;
    double lo = x[0], hi = x[0];
    for (int i = 0; i < n; ++i) {
        if (!std::isfinite(x[i]) || !std::isfinite(w[i]) || !(w[i] > 0.0)) return false;
        lo = std::min(lo, x[i]);
        hi = std::max(hi, x[i]);
    }
    // A power-of-two scale keeps t exact for abscissae of similar size.
    centre_ = (lo + hi) / 2.0;
    int exponent = 0;
    if (hi > lo) std::frexp((hi - lo) / 2.0, &exponent);
    half_ = std::ldexp(1.0, exponent);

    const int M = M_;
    w_.assign(w, w + n);
    t_.resize(static_cast<std::size_t>(n));
    long double S[2 * (kMaxFitOrder + 1)] = {};
    for (int i = 0; i < n; ++i) {
        t_[static_cast<std::size_t>(i)] = (x[i] - centre_) / half_;
        long double p = w[i];
        for (int k = 0; k < 2 * M - 1; ++k) {
            S[k] += p;
            p *= t_[static_cast<std::size_t>(i)];
        }
    }
    long double inv[(kMaxFitOrder + 1) * (kMaxFitOrder + 1)];
    for (int j = 0; j < M; ++j)
        for (int k = 0; k < M; ++k) inv[j * M + k] = S[j + k];
    if (!InvertSymmetricPositive(inv, M)) return false;

    projection_.assign(static_cast<std::size_t>(M) * n, 0.0);
    leverage_.assign(static_cast<std::size_t>(n), 0.0);
    for (int i = 0; i < n; ++i) {
        long double basis[kMaxFitOrder + 1];
        basis[0] = 1.0L;
        for (int k = 1; k < M; ++k) basis[k] = basis[k - 1] * t_[static_cast<std::size_t>(i)];
        long double h = 0.0L;
        for (int k = 0; k < M; ++k) {
            long double s = 0.0L;
            for (int l = 0; l < M; ++l) s += inv[k * M + l] * basis[l];
            projection_[static_cast<std::size_t>(k) * n + i] = static_cast<double>(s * w[i]);
            h += basis[k] * s;
        }
        leverage_[static_cast<std::size_t>(i)] = static_cast<double>(std::clamp(h * w[i], 0.0L, 1.0L));
    }
    ok_ = true;
    return true;
}

void PolynomialDesign::BasisAt(double x, double* basis) const {
    const double t = (x - centre_) / half_;
    basis[0] = 1.0;
    for (int k = 1; k < M_; ++k) basis[k] = basis[k - 1] * t;
}

void PolynomialDesign::Row(double x0, int derivative, double* row) const {
    // d^d/dx^d of t^k = k!/(k-d)! t^(k-d) / half^d.
    const double t = (x0 - centre_) / half_;
    double factor[kMaxFitOrder + 1] = {};
    for (int k = derivative; k < M_; ++k) {
        double f = 1.0;
        for (int j = 0; j < derivative; ++j) f *= static_cast<double>(k - j) / half_;
        for (int j = 0; j < k - derivative; ++j) f *= t;
        factor[k] = f;
    }
    for (int i = 0; i < n_; ++i) {
        double s = 0.0;
        for (int k = derivative; k < M_; ++k) s += factor[k] * projection_[static_cast<std::size_t>(k) * n_ + i];
        row[i] = s;
    }
}

std::vector<double> PolynomialDesign::Row(double x0, int derivative) const {
    std::vector<double> row(static_cast<std::size_t>(n_));
    Row(x0, derivative, row.data());
    return row;
}

void PolynomialDesign::CoefficientsInT(const double* y, double* b) const {
    for (int k = 0; k < M_; ++k) {
        const double* p = Projection(k);
        double s = 0.0;
        for (int i = 0; i < n_; ++i) s += p[i] * y[i];
        b[k] = s;
    }
}

double PolynomialDesign::ValueFromT(const double* b, double x) const {
    const double t = (x - centre_) / half_;
    double v = b[M_ - 1];
    for (int k = M_ - 2; k >= 0; --k) v = v * t + b[k];
    return v;
}

double PolynomialDesign::Chi2(const double* y, double* fitted) const {
    double b[kMaxFitOrder + 1];
    CoefficientsInT(y, b);
    double chi2 = 0.0;
    for (int i = 0; i < n_; ++i) {
        const double t = t_[static_cast<std::size_t>(i)];
        double v = b[M_ - 1];
        for (int k = M_ - 2; k >= 0; --k) v = v * t + b[k];
        if (fitted) fitted[i] = v;
        const double r = y[i] - v;
        chi2 += w_[static_cast<std::size_t>(i)] * r * r;
    }
    return chi2;
}

double PolynomialDesign::FormalVariance(const double* row) const {
    double v = 0.0;
    for (int i = 0; i < n_; ++i) v += row[i] * row[i] / w_[static_cast<std::size_t>(i)];
    return v;
}

} // namespace zeb
