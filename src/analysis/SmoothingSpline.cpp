#include "analysis/SmoothingSpline.h"

#include <algorithm>
#include <cmath>

namespace zeb {

// Reinsch's scheme: with alpha = (1 - p) / p the second derivatives gamma at the
// interior knots solve the symmetric five-diagonal system
//   (R + alpha Q'Q) gamma = Q'y,
// R the tridiagonal matrix of the curvature integral ((h_{i-1} + h_i)/3 on the
// diagonal, h_i/6 beside it) and Q the second-divided-difference operator; the
// smoothed values are then s = y - alpha Q gamma. The system is positive
// definite and is solved by a banded LDL' factorisation without pivoting.
bool SmoothingSpline::Setup(const std::vector<double>& x, const std::vector<double>& y, double p) {
    Release();
    const std::size_t n = x.size();
    if (n < 4 || y.size() != n || !(p > 0.0 && p <= 1.0)) return false;
    for (std::size_t i = 0; i < n; ++i)
        if (!std::isfinite(x[i]) || !std::isfinite(y[i]) || (i > 0 && !(x[i] > x[i - 1]))) return false;

    const double alpha = (1.0 - p) / p;
    std::vector<double> h(n - 1);
    for (std::size_t i = 0; i + 1 < n; ++i) h[i] = x[i + 1] - x[i];

    // Interior unknowns j = 0..m-1 belong to knots 1..n-2.
    const std::size_t m = n - 2;
    // Q has three entries per column j: rows j, j+1, j+2.
    auto q = [&](std::size_t j, int r) {
        const double hl = h[j], hr = h[j + 1];
        return r == 0 ? 1.0 / hl : r == 1 ? -1.0 / hl - 1.0 / hr : 1.0 / hr;
    };
    // Banded matrix A = R + alpha Q'Q: diagonals 0, 1, 2.
    std::vector<double> d0(m), d1(m, 0.0), d2(m, 0.0), rhs(m);
    for (std::size_t j = 0; j < m; ++j) {
        d0[j] = (h[j] + h[j + 1]) / 3.0 + alpha * (q(j, 0) * q(j, 0) + q(j, 1) * q(j, 1) + q(j, 2) * q(j, 2));
        if (j + 1 < m) d1[j] = h[j + 1] / 6.0 + alpha * (q(j, 1) * q(j + 1, 0) + q(j, 2) * q(j + 1, 1));
        if (j + 2 < m) d2[j] = alpha * q(j, 2) * q(j + 2, 0);
        rhs[j] = q(j, 0) * y[j] + q(j, 1) * y[j + 1] + q(j, 2) * y[j + 2];
    }
    // LDL' of the five-diagonal matrix: L has unit diagonal and two subdiagonals.
    std::vector<double> D(m), L1(m, 0.0), L2(m, 0.0);
    for (std::size_t j = 0; j < m; ++j) {
        double dj = d0[j];
        if (j >= 1) dj -= L1[j - 1] * L1[j - 1] * D[j - 1];
        if (j >= 2) dj -= L2[j - 2] * L2[j - 2] * D[j - 2];
        if (!(dj > 0.0) || !std::isfinite(dj)) return false;
        D[j] = dj;
        if (j + 1 < m) {
            double e = d1[j];
            if (j >= 1) e -= L2[j - 1] * L1[j - 1] * D[j - 1];
            L1[j] = e / dj;
        }
        if (j + 2 < m) L2[j] = d2[j] / dj;
    }
    std::vector<double> gamma(rhs);
    for (std::size_t j = 0; j < m; ++j) {
        if (j >= 1) gamma[j] -= L1[j - 1] * gamma[j - 1];
        if (j >= 2) gamma[j] -= L2[j - 2] * gamma[j - 2];
    }
    for (std::size_t j = 0; j < m; ++j) gamma[j] /= D[j];
    for (std::size_t jj = m; jj-- > 0;) {
        if (jj + 1 < m) gamma[jj] -= L1[jj] * gamma[jj + 1];
        if (jj + 2 < m) gamma[jj] -= L2[jj] * gamma[jj + 2];
    }

    x_ = x;
    h_ = h;
    c_.assign(n, 0.0);
    for (std::size_t j = 0; j < m; ++j) c_[j + 1] = gamma[j];
    s_ = y;
    for (std::size_t j = 0; j < m; ++j) {
        s_[j] -= alpha * q(j, 0) * gamma[j];
        s_[j + 1] -= alpha * q(j, 1) * gamma[j];
        s_[j + 2] -= alpha * q(j, 2) * gamma[j];
    }
    b_.resize(n - 1);
    d_.resize(n - 1);
    for (std::size_t g = 0; g + 1 < n; ++g) {
        b_[g] = (s_[g + 1] - s_[g]) / h_[g] - (c_[g + 1] - c_[g]) * h_[g] / 6.0;
        d_[g] = s_[g] - c_[g] * h_[g] * h_[g] / 6.0;
    }
    xMin_ = x.front();
    xMax_ = x.back();
    yMin_ = *std::min_element(y.begin(), y.end());
    yMax_ = *std::max_element(y.begin(), y.end());
    return true;
}

double SmoothingSpline::Evaluate(double x) const {
    if (x_.empty()) return 0.0;
    const std::size_t n = x_.size();
    std::size_t g = 0;
    if (x >= x_[n - 1]) {
        g = n - 2;
    } else if (x > x_[0]) {
        std::size_t lo = 0, hi = n - 1;  // x_[lo] <= x < x_[hi]
        while (hi - lo > 1) {
            const std::size_t mid = (lo + hi) / 2;
            if (x_[mid] <= x) lo = mid;
            else hi = mid;
        }
        g = lo;
    }
    const double h = h_[g];
    const double A = x_[g + 1] - x, B = x - x_[g];
    return c_[g] * A * A * A / (6.0 * h) + c_[g + 1] * B * B * B / (6.0 * h) + b_[g] * B + d_[g];
}

void SmoothingSpline::Release() {
    x_.clear();
    s_.clear();
    c_.clear();
    h_.clear();
    b_.clear();
    d_.clear();
}

} // namespace zeb
