#include "analysis/FitPolynomial.h"

#include "analysis/Utils.h"
#include "app/TextTable.h"
#include "platform/Platform.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace zeb {

bool PolyFitResult::usable() const {
    if (singular) return false;
    for (int k = 1; k <= order + 1; ++k)
        if (!std::isfinite(a[k]) || !std::isfinite(err[k])) return false;
    return true;
}

namespace {

// Sorts the points by x; y and sigma move with their x.
void sortByX(std::vector<double>& x, std::vector<double>& y, std::vector<double>& sigma, int n) {
    std::vector<int> order(static_cast<std::size_t>(n));
    std::iota(order.begin(), order.end(), 1);
    std::sort(order.begin(), order.end(), [&](int i, int j) { return x[i] < x[j]; });
    std::vector<double> xs(x), ys(y), ss(sigma);
    for (int i = 1; i <= n; ++i) {
        x[i] = xs[order[i - 1]];
        y[i] = ys[order[i - 1]];
        sigma[i] = ss[order[i - 1]];
    }
}

Real binomial(int n, int k) {
    Real r = 1.0L;
    for (int i = 1; i <= k; ++i) r = r * (n - k + i) / i;
    return r;
}

} // namespace

namespace {

// The normal equations of the power basis in t are power sums: N[j][k] = S[j+k]
// with S[p] = sum w t^p, and the right-hand side R[j] = sum w y t^j. M is a
// template argument so that the loops unroll and the sums stay in registers.
template <int M>
void powerSums(const double* t, const double* w, const double* y, int n, double* S, double* R) {
    double s[2 * M - 1] = {}, r[M] = {};
    for (int i = 1; i <= n; ++i) {
        double tp = w[i];
        const double ti = t[i], yi = y[i];
        for (int p = 0; p < 2 * M - 1; ++p) {
            s[p] += tp;
            if (p < M) r[p] += tp * yi;
            tp *= ti;
        }
    }
    for (int p = 0; p < 2 * M - 1; ++p) S[p] = s[p];
    for (int p = 0; p < M; ++p) R[p] = r[p];
}

// The residuals r = y - fit of the coefficients b, formed in long double with the
// exact abscissae tx (for a nearly exact fit they are tiny differences of large
// numbers), and g[j] = sum w r t^j.
template <int M>
void residualSums(const Real* tx, const double* t, const double* w, const double* y, int n, const Real* b,
                  double* r, double* g) {
    double gs[M] = {};
    for (int i = 1; i <= n; ++i) {
        const Real ti = tx[i];
        Real fit = b[M - 1];
        for (int k = M - 2; k >= 0; --k) fit = fit * ti + b[k];
        r[i] = static_cast<double>(y[i] - fit);
        double tp = w[i] * r[i];
        for (int k = 0; k < M; ++k) {
            gs[k] += tp;
            tp *= t[i];
        }
    }
    for (int k = 0; k < M; ++k) g[k] = gs[k];
}

// Chi-square after the residuals r have been corrected by the polynomial d.
template <int M>
double correctedChi2(const double* t, const double* w, const double* r, int n, const double* d) {
    double chi2 = 0.0;
    for (int i = 1; i <= n; ++i) {
        double corr = d[M - 1];
        for (int k = M - 2; k >= 0; --k) corr = corr * t[i] + d[k];
        const double ri = r[i] - corr;
        chi2 += ri * ri * w[i];
    }
    return chi2;
}

template <int M>
struct Kernels {
    static void sums(const double* t, const double* w, const double* y, int n, double* S, double* R) {
        powerSums<M>(t, w, y, n, S, R);
    }
    static void residuals(const Real* tx, const double* t, const double* w, const double* y, int n, const Real* b,
                          double* r, double* g) {
        residualSums<M>(tx, t, w, y, n, b, r, g);
    }
    static double chi2(const double* t, const double* w, const double* r, int n, const double* d) {
        return correctedChi2<M>(t, w, r, n, d);
    }
};

using SumsFn = decltype(&Kernels<1>::sums);
using ResidualsFn = decltype(&Kernels<1>::residuals);
using Chi2Fn = decltype(&Kernels<1>::chi2);
constexpr SumsFn kSums[] = {Kernels<1>::sums, Kernels<2>::sums, Kernels<3>::sums,
                            Kernels<4>::sums, Kernels<5>::sums, Kernels<6>::sums};
constexpr ResidualsFn kResiduals[] = {Kernels<1>::residuals, Kernels<2>::residuals, Kernels<3>::residuals,
                                      Kernels<4>::residuals, Kernels<5>::residuals, Kernels<6>::residuals};
constexpr Chi2Fn kChi2[] = {Kernels<1>::chi2, Kernels<2>::chi2, Kernels<3>::chi2,
                            Kernels<4>::chi2, Kernels<5>::chi2, Kernels<6>::chi2};

} // namespace

// The fit runs in the variable t = (x - centre) / halfWidth, which maps the
// points onto [-1, 1]: q² values of 1e9..1e11 cm⁻² raised to the fifth power
// would otherwise leave the normal equations with few correct digits. The
// normal equations are the sums lfit forms for the power basis (all
// coefficients fitted, so its list and the unpacking of the covariance are the
// identity); they are solved by gaussj in long double, one step of iterative
// refinement with residuals from the data follows, and the coefficients and
// their covariance are then carried back to powers of x, so that the result is
// that of the fit in x.
PolyFitResult FitPolynomial(FitContext& ctx, int mode, int order, std::vector<double>& sigma,
                            std::vector<double>& y, std::vector<double>& x, int n) {
    PolyFitResult result;
    result.order = order;
    if (mode != 1) {
        ctx.platform.inform(tx::IllegalFitMode, tx::CapZebStat, MsgIcon::None);
        if (ctx.closeWindow) ctx.closeWindow();
        result.singular = true;
        return result;
    }
    order = std::clamp(order, 0, kMaxFitOrder);
    result.order = order;
    // The analysis never passes more than 136 points; the arrays bound n in any case.
    n = std::min({n, static_cast<int>(x.size()) - 1, static_cast<int>(y.size()) - 1,
                  static_cast<int>(sigma.size()) - 1});
    if (n < order + 1) {
        // Fewer points than coefficients: nothing can be fitted (the callers refuse such fits).
        result.singular = true;
        return result;
    }
    sortByX(x, y, sigma, n);
    const int M = order + 1;

    // centre and the power-of-two scale make t exact in long double; the sums use
    // t rounded to double, the refinement the exact values.
    const Real centre = (static_cast<Real>(x[1]) + static_cast<Real>(x[n])) / 2.0L;
    const Real halfWidth = (static_cast<Real>(x[n]) - static_cast<Real>(x[1])) / 2.0L;
    int scaleExp = 0;
    if (halfWidth > 0.0L && std::isfinite(static_cast<double>(halfWidth))) std::frexp(halfWidth, &scaleExp);
    const Real half = std::ldexp(1.0L, scaleExp);
    std::vector<Real> tx(static_cast<std::size_t>(n) + 1);
    std::vector<double> t(static_cast<std::size_t>(n) + 1), w(static_cast<std::size_t>(n) + 1),
        r(static_cast<std::size_t>(n) + 1);
    for (int i = 1; i <= n; ++i) {
        tx[i] = (static_cast<Real>(x[i]) - centre) / half;
        t[i] = static_cast<double>(tx[i]);
        w[i] = ctx.weighting == kWeightingOff ? 1.0 : 1.0 / (sigma[i] * sigma[i]);
    }

    double S[2 * (kMaxFitOrder + 1)] = {}, R[kMaxFitOrder + 1] = {};
    kSums[M - 1](t.data(), w.data(), y.data(), n, S, R);
    RMat cov = matrix1(M);
    RVec beta = vector1(M);
    for (int j = 1; j <= M; ++j) {
        for (int k = 1; k <= M; ++k) cov[j][k] = S[j + k - 2];
        beta[j] = R[j - 1];
    }
    result.singular = gaussj(cov, M, beta, 1, ctx.platform) != 0;

    Real b[kMaxFitOrder + 1] = {};
    double g[kMaxFitOrder + 1] = {}, d[kMaxFitOrder + 1] = {};
    for (int j = 0; j < M; ++j) b[j] = beta[j + 1];
    double chisq = 0.0;
    if (!result.singular) {
        // One step of iterative refinement: the correction d from the residuals of the data.
        kResiduals[M - 1](tx.data(), t.data(), w.data(), y.data(), n, b, r.data(), g);
        for (int j = 0; j < M; ++j) {
            Real dj = 0.0L;
            for (int k = 0; k < M; ++k) dj += cov[j + 1][k + 1] * g[k];
            d[j] = static_cast<double>(dj);
            beta[j + 1] += dj;
        }
        chisq = kChi2[M - 1](t.data(), w.data(), r.data(), n, d);
    }

    // Back to powers of x: a_j = sum over k >= j of b_k C(k,j) (-centre)^(k-j) / half^k
    // (indices counted from 0 here), and cov_a = T cov_b T'.
    RMat T = matrix1(M);
    std::vector<Real> negCentrePow(static_cast<std::size_t>(M), 1.0L), invHalfPow(static_cast<std::size_t>(M), 1.0L);
    for (int k = 1; k < M; ++k) {
        negCentrePow[k] = negCentrePow[k - 1] * -static_cast<Real>(centre);
        invHalfPow[k] = invHalfPow[k - 1] / static_cast<Real>(half);
    }
    for (int j = 0; j < M; ++j)
        for (int k = j; k < M; ++k) T[j + 1][k + 1] = binomial(k, j) * negCentrePow[k - j] * invHalfPow[k];
    const double reduced = n == M ? 0.0 : chisq / static_cast<double>(n - M);
    result.chi2 = chisq;
    result.reducedChi2 = reduced;
    for (int j = 1; j <= M; ++j) {
        Real aj = 0.0L, varj = 0.0L;
        for (int k = j; k <= M; ++k) aj += T[j][k] * beta[k];
        for (int k = j; k <= M; ++k)
            for (int l = j; l <= M; ++l) varj += T[j][k] * cov[k][l] * T[j][l];
        result.a[j] = static_cast<double>(aj);
        if (!(varj >= 0.0L))
            ctx.platform.inform(tx::NegativeCovariance, tx::CapError, MsgIcon::Exclamation);
        const Real e = ctx.weighting == kWeightingOff ? std::sqrt(varj * reduced) : std::sqrt(varj);
        result.err[j] = static_cast<double>(e);
    }
    return result;
}

} // namespace zeb
