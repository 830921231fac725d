#include "analysis/FitPolynomial.h"

#include "analysis/Utils.h"
#include "texts/AnalysisTexts.h"
#include "texts/CommonTexts.h"
#include "texts/Message.h"

#include <algorithm>
#include <cmath>
#include <cstring>
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

// The normal equations of the power basis in t are power sums, N[j][k] = S[j+k]
// with S[p] = sum w t^p, and the right-hand side is R[j] = sum w y t^j.

// Only the right-hand side R[j] = sum y w t^j, from the design's weighted
// powers pw (row i holds w_i t_i^0 .. w_i t_i^(M-1)).
template <int M>
void rhsSums(const double* pw, const double* y, int n, double* R) {
    double r[M] = {};
    for (int i = 1; i <= n; ++i) {
        const double* p = pw + static_cast<std::size_t>(i) * M;
        const double yi = y[i];
#pragma GCC unroll 8
        for (int k = 0; k < M; ++k) r[k] += p[k] * yi;
    }
    for (int k = 0; k < M; ++k) R[k] = r[k];
}

// The residuals r = y - fit of the coefficients b, formed in long double with the
// exact abscissae tx (for a nearly exact fit they are tiny differences of large
// numbers), and the sums of the refinement, g[j] = sum w r t^j and rr = sum w r²,
// in double from the residuals and the design's powers rounded to double. These
// roundings change g by about 1e-16 of sum |w r t^j|: harmless unless the noise
// is so far above a coefficient that this moves it (see exactResidualSums).
template <int M>
void residualSums(const Real* tx, const double* pw, const double* w, const double* y, int n, const Real* b, Real* g,
                  Real& rr) {
    double gs[M] = {};
    double sum = 0.0;
    for (int i = 1; i <= n; ++i) {
        const Real ti = tx[i];
        Real fit = b[M - 1];
#pragma GCC unroll 8
        for (int k = M - 2; k >= 0; --k) fit = fit * ti + b[k];
        const double ri = static_cast<double>(y[i] - fit);
        sum += w[i] * ri * ri;
        const double* p = pw + static_cast<std::size_t>(i) * M;
#pragma GCC unroll 8
        for (int k = 0; k < M; ++k) gs[k] += p[k] * ri;
    }
    for (int k = 0; k < M; ++k) g[k] = gs[k];
    rr = sum;
}

// The same sums with the residuals, the powers and the sums all in long double:
// the correction is then a difference of large sums good to about 1e-19 of
// them, which leaves at least 10 digits in coefficients even where the noise
// is ten million times their size (the NIST Wampler5 kind). About three times
// the work of residualSums, so it runs only when the bound says it must.
template <int M>
void exactResidualSums(const Real* tx, const Real* pwx, const double* w, const double* y, int n, const Real* b,
                       Real* g, Real& rr) {
    Real gs[M] = {};
    Real sum = 0.0L;
    for (int i = 1; i <= n; ++i) {
        const Real ti = tx[i];
        Real fit = b[M - 1];
#pragma GCC unroll 8
        for (int k = M - 2; k >= 0; --k) fit = fit * ti + b[k];
        const Real ri = y[i] - fit;
        sum += w[i] * ri * ri;
        const Real* p = pwx + static_cast<std::size_t>(i) * M;
#pragma GCC unroll 8
        for (int k = 0; k < M; ++k) gs[k] += p[k] * ri;
    }
    for (int k = 0; k < M; ++k) g[k] = gs[k];
    rr = sum;
}

template <int M>
struct Kernels {
    static void rhs(const double* pw, const double* y, int n, double* R) { rhsSums<M>(pw, y, n, R); }
    static void residuals(const Real* tx, const double* pw, const Real*, const double* w, const double* y, int n,
                          const Real* b, Real* g, Real& rr) {
        residualSums<M>(tx, pw, w, y, n, b, g, rr);
    }
    static void exactResiduals(const Real* tx, const double*, const Real* pwx, const double* w, const double* y,
                               int n, const Real* b, Real* g, Real& rr) {
        exactResidualSums<M>(tx, pwx, w, y, n, b, g, rr);
    }
};

using RhsFn = decltype(&Kernels<1>::rhs);
using ResidualsFn = decltype(&Kernels<1>::residuals);
constexpr RhsFn kRhs[] = {Kernels<1>::rhs, Kernels<2>::rhs, Kernels<3>::rhs,
                          Kernels<4>::rhs, Kernels<5>::rhs, Kernels<6>::rhs};
constexpr ResidualsFn kResiduals[] = {Kernels<1>::residuals, Kernels<2>::residuals, Kernels<3>::residuals,
                                      Kernels<4>::residuals, Kernels<5>::residuals, Kernels<6>::residuals};
constexpr ResidualsFn kExactResiduals[] = {Kernels<1>::exactResiduals, Kernels<2>::exactResiduals,
                                           Kernels<3>::exactResiduals, Kernels<4>::exactResiduals,
                                           Kernels<5>::exactResiduals, Kernels<6>::exactResiduals};

} // namespace

// The fit runs in the variable t = (x - centre) / halfWidth, which maps the
// points onto [-1, 1]: q² values of 1e9..1e11 cm⁻² raised to the fifth power
// would otherwise leave the normal equations with few correct digits. The
// normal equations are the sums lfit forms for the power basis (all
// coefficients fitted, so its list and the unpacking of the covariance are the
// identity); they are solved by gaussj in long double, one step of iterative
// refinement with residuals from the data follows (and a second one with exact
// sums where the noise dwarfs a coefficient), and the coefficients and their
// covariance are then carried back to powers of x, so that the result is that
// of the fit in x. Degree-5 fits of the hardest NIST kind (Wampler1..5), at x
// as given and at x times 1e10, keep at least 10 correct digits in every
// coefficient and standard deviation (tests/analysis/CertifiedFits_test.cpp).
//
// Everything that depends only on the abscissae and the weights (the inverted
// normal matrix, the transformation back to powers of x and the coefficients'
// variances) forms the "design" of a fit. A calculation fits every
// concentration over the same q² values and every angle over the same
// concentrations, so the last design is kept per thread and reused when the
// next fit has the same order, abscissae and weights; the result is the same
// as that of a fresh design. A singular design is never kept: its elimination
// runs, and reports, again.
namespace {

struct Design {
    bool valid = false;
    int M = 0;
    int n = 0;
    std::vector<double> x, w;     // the key: abscissae (sorted) and weights, 1-based
    std::vector<Real> tx;         // t exact in long double
    std::vector<double> pw;       // w_i t_i^k rounded to double (the first solve), row i (1-based) of M values
    std::vector<Real> pwx;        // the same in long double (the refinement)
    Real S[2 * (kMaxFitOrder + 1)] = {};                  // power sums of t: the normal matrix
    double Sd[2 * (kMaxFitOrder + 1)] = {};               // S rounded, for the chi-square of a correction
    Real cov[kMaxFitOrder + 1][kMaxFitOrder + 1] = {};    // inverse of the normal matrix (in t)
    double covd[kMaxFitOrder + 1][kMaxFitOrder + 1] = {}; // the same rounded, for the corrections
    Real T[kMaxFitOrder + 1][kMaxFitOrder + 1] = {};      // coefficients in t -> coefficients in x
    Real var[kMaxFitOrder + 1] = {};                      // diagonal of T cov T'

    // The same order and bit for bit the same abscissae and weights.
    bool matches(int m, const std::vector<double>& xs, const std::vector<double>& ws, int count) const {
        if (!valid || m != M || count != n) return false;
        const std::size_t bytes = sizeof(double) * static_cast<std::size_t>(count);
        return std::memcmp(x.data() + 1, xs.data() + 1, bytes) == 0 &&
               std::memcmp(w.data() + 1, ws.data() + 1, bytes) == 0;
    }
};

thread_local Design tlsDesign;

// Builds the design for the sorted abscissae and weights; false when the
// elimination reported a singular matrix (cov then holds what it left).
bool buildDesign(Design& d, FitContext& ctx, int M, const std::vector<double>& x, const std::vector<double>& w,
                 int n) {
    d.valid = false;
    d.M = M;
    d.n = n;
    d.x.assign(x.begin(), x.begin() + n + 1);
    d.w.assign(w.begin(), w.begin() + n + 1);
    // centre and the power-of-two scale keep t exact in long double for
    // abscissae of similar size. The powers of t and the power sums are formed
    // in long double too: rounded to double they would carry relative errors of
    // 1e-16 (t is no short binary fraction once x is q² in 1/cm²), which the
    // fit passes on to the coefficients in proportion to the noise and the
    // transformation back to powers of x magnifies.
    const Real centre = (static_cast<Real>(x[1]) + static_cast<Real>(x[n])) / 2.0L;
    const Real halfWidth = (static_cast<Real>(x[n]) - static_cast<Real>(x[1])) / 2.0L;
    int scaleExp = 0;
    if (halfWidth > 0.0L && std::isfinite(static_cast<double>(halfWidth))) std::frexp(halfWidth, &scaleExp);
    const Real half = std::ldexp(1.0L, scaleExp);
    d.tx.assign(static_cast<std::size_t>(n) + 1, 0.0L);
    d.pw.assign(static_cast<std::size_t>(n + 1) * M, 0.0);
    d.pwx.assign(static_cast<std::size_t>(n + 1) * M, 0.0L);
    Real S[2 * (kMaxFitOrder + 1)] = {};
    for (int i = 1; i <= n; ++i) {
        const Real ti = (static_cast<Real>(x[i]) - centre) / half;
        d.tx[i] = ti;
        Real tp = w[i];
        for (int p = 0; p < 2 * M - 1; ++p) {
            if (p < M) {
                d.pwx[static_cast<std::size_t>(i) * M + p] = tp;
                d.pw[static_cast<std::size_t>(i) * M + p] = static_cast<double>(tp);
            }
            S[p] += tp;
            tp *= ti;
        }
    }
    for (int p = 0; p < 2 * (kMaxFitOrder + 1); ++p) {
        d.S[p] = S[p];
        d.Sd[p] = static_cast<double>(S[p]);
    }
    RMat cov = matrix1(M);
    RVec rhs = vector1(M);
    for (int j = 1; j <= M; ++j)
        for (int k = 1; k <= M; ++k) cov[j][k] = S[j + k - 2];
    const bool singular = gaussj(cov, M, rhs, 1, ctx.messages) != 0;
    for (int j = 0; j < M; ++j)
        for (int k = 0; k < M; ++k) {
            d.cov[j][k] = cov[j + 1][k + 1];
            d.covd[j][k] = static_cast<double>(d.cov[j][k]);
        }

    // Back to powers of x: a_j = sum over k >= j of b_k C(k,j) (-centre)^(k-j) / half^k
    // (indices counted from 0), and cov_a = T cov_b T'.
    Real negCentrePow[kMaxFitOrder + 1] = {1.0L}, invHalfPow[kMaxFitOrder + 1] = {1.0L};
    for (int k = 1; k < M; ++k) {
        negCentrePow[k] = negCentrePow[k - 1] * -centre;
        invHalfPow[k] = invHalfPow[k - 1] / half;
    }
    for (int j = 0; j < M; ++j)
        for (int k = 0; k < M; ++k) d.T[j][k] = k < j ? 0.0L : binomial(k, j) * negCentrePow[k - j] * invHalfPow[k];
    for (int j = 0; j < M; ++j) {
        Real v = 0.0L;
        for (int k = j; k < M; ++k)
            for (int l = j; l < M; ++l) v += d.T[j][k] * d.cov[k][l] * d.T[j][l];
        d.var[j] = v;
    }
    d.valid = !singular;
    return !singular;
}

// Coefficient j (counted from 0) of the power of x from the coefficients b in t.
Real coefficientInX(const Design& d, const Real* b, int j) {
    Real a = 0.0L;
    for (int k = j; k < d.M; ++k) a += d.T[j][k] * b[k];
    return a;
}

// One step of iterative refinement of the coefficients b (in t) with the
// residual sums of the kernel; returns the chi-square of the refined fit,
// sum w (r - corr(t))², expanded as sum w r² - 2 corr.g + corr' S corr (the
// correction is tiny beside r).
Real refine(const Design& d, ResidualsFn kernel, const std::vector<double>& w, const std::vector<double>& y, int n,
            Real* b) {
    const int M = d.M;
    Real g[kMaxFitOrder + 1] = {}, rr = 0.0L;
    kernel(d.tx.data(), d.pw.data(), d.pwx.data(), w.data(), y.data(), n, b, g, rr);
    // The correction is small beside b, so its own rounding to double is harmless.
    double gd[kMaxFitOrder + 1] = {}, corr[kMaxFitOrder + 1] = {};
    for (int k = 0; k < M; ++k) gd[k] = static_cast<double>(g[k]);
    double cg = 0.0, cSc = 0.0;
    for (int j = 0; j < M; ++j) {
        double cj = 0.0;
        for (int k = 0; k < M; ++k) cj += d.covd[j][k] * gd[k];
        corr[j] = cj;
        b[j] += cj;
        cg += cj * gd[j];
    }
    for (int j = 0; j < M; ++j)
        for (int k = 0; k < M; ++k) cSc += corr[j] * d.Sd[j + k] * corr[k];
    return rr - 2.0L * cg + cSc;
}

// Sorts the points by x unless they are sorted already.
void ensureSorted(std::vector<double>& x, std::vector<double>& y, std::vector<double>& sigma, int n) {
    for (int i = 2; i <= n; ++i)
        if (x[i] < x[i - 1]) {
            sortByX(x, y, sigma, n);
            return;
        }
}

} // namespace

PolyFitResult FitPolynomial(FitContext& ctx, int order, std::vector<double>& sigma, std::vector<double>& y,
                            std::vector<double>& x, int n) {
    PolyFitResult result;
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
    ensureSorted(x, y, sigma, n);
    const int M = order + 1;

    thread_local std::vector<double> w;
    if (ctx.weighting == kWeightingOff) {
        w.assign(static_cast<std::size_t>(n) + 1, 1.0);
    } else {
        w.resize(static_cast<std::size_t>(n) + 1);
        for (int i = 1; i <= n; ++i) w[i] = 1.0 / (sigma[i] * sigma[i]);
    }

    Design& d = tlsDesign;
    if (!d.matches(M, x, w, n)) result.singular = !buildDesign(d, ctx, M, x, w, n);

    // The first solution in double; the refinement makes up for its roundings.
    double R[kMaxFitOrder + 1] = {};
    kRhs[M - 1](d.pw.data(), y.data(), n, R);
    Real beta[kMaxFitOrder + 1] = {};
    for (int j = 0; j < M; ++j) {
        double bj = 0.0;
        for (int k = 0; k < M; ++k) bj += d.covd[j][k] * R[k];
        beta[j] = bj;
    }

    double chisq = 0.0;
    Real a[kMaxFitOrder + 1] = {};
    auto toPowersOfX = [&] {
        for (int j = 0; j < M; ++j) a[j] = coefficientInX(d, beta, j);
    };
    if (!result.singular) {
        // One step of iterative refinement: the correction from the residuals of the data.
        Real rr = refine(d, kResiduals[M - 1], w, y, n, beta);
        toPowersOfX();
        // Rounding the terms w r t^k of that step's sums to double perturbs them
        // like noise of 1e-16 of the residuals: it moves coefficient j by about
        // 1e-16 sqrt(rr var_j), 1e-16 of its own standard deviation (times
        // sqrt(n - M)), and by at most sqrt(n) times that through the rounding of
        // the running sums. Where that could reach 1e-11 of the coefficient, that
        // is when the coefficient is some hundreds of times smaller than its
        // standard deviation or more (rare: a coefficient of pure noise, or data
        // of the Wampler5 kind), a second step with exact sums follows.
        const Real unit2 = std::ldexp(1.0L, -106);
        for (int j = 0; j < M; ++j) {
            if (unit2 * static_cast<Real>(n) * rr * d.var[j] > 1e-22L * a[j] * a[j]) {
                rr = refine(d, kExactResiduals[M - 1], w, y, n, beta);
                toPowersOfX();
                break;
            }
        }
        chisq = std::max(0.0, static_cast<double>(rr));
    } else {
        toPowersOfX();
    }

    const double reduced = n == M ? 0.0 : chisq / static_cast<double>(n - M);
    result.chi2 = chisq;
    result.reducedChi2 = reduced;
    for (int j = 0; j < M; ++j) {
        result.a[static_cast<std::size_t>(j) + 1] = static_cast<double>(a[j]);
        const Real varj = d.var[j];
        if (!(varj >= 0.0L)) ctx.messages.inform(tx::NegativeCovariance, tx::CapError, MsgIcon::Exclamation);
        const Real e = ctx.weighting == kWeightingOff ? std::sqrt(varj * reduced) : std::sqrt(varj);
        result.err[static_cast<std::size_t>(j) + 1] = static_cast<double>(e);
    }
    return result;
}

} // namespace zeb
