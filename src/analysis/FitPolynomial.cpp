#include "analysis/FitPolynomial.h"

#include "analysis/Utils.h"
#include "app/texts/AnalysisTexts.h"
#include "app/texts/CommonTexts.h"
#include "platform/Platform.h"

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
// numbers), g[j] = sum w r t^j and rr = sum w r².
template <int M>
void residualSums(const Real* tx, const double* pw, const double* w, const double* y, int n, const Real* b,
                  double* r, double* g, double& rr) {
    double gs[M] = {};
    double sum = 0.0;
    for (int i = 1; i <= n; ++i) {
        const Real ti = tx[i];
        Real fit = b[M - 1];
#pragma GCC unroll 8
        for (int k = M - 2; k >= 0; --k) fit = fit * ti + b[k];
        const double ri = static_cast<double>(y[i] - fit);
        r[i] = ri;
        sum += w[i] * ri * ri;
        const double* p = pw + static_cast<std::size_t>(i) * M;
#pragma GCC unroll 8
        for (int k = 0; k < M; ++k) gs[k] += p[k] * ri;
    }
    for (int k = 0; k < M; ++k) g[k] = gs[k];
    rr = sum;
}

template <int M>
struct Kernels {
    static void sums(const double* t, const double* w, const double* y, int n, double* S, double* R) {
        powerSums<M>(t, w, y, n, S, R);
    }
    static void rhs(const double* pw, const double* y, int n, double* R) { rhsSums<M>(pw, y, n, R); }
    static void residuals(const Real* tx, const double* pw, const double* w, const double* y, int n, const Real* b,
                          double* r, double* g, double& rr) {
        residualSums<M>(tx, pw, w, y, n, b, r, g, rr);
    }
};

using SumsFn = decltype(&Kernels<1>::sums);
using RhsFn = decltype(&Kernels<1>::rhs);
using ResidualsFn = decltype(&Kernels<1>::residuals);
constexpr SumsFn kSums[] = {Kernels<1>::sums, Kernels<2>::sums, Kernels<3>::sums,
                            Kernels<4>::sums, Kernels<5>::sums, Kernels<6>::sums};
constexpr RhsFn kRhs[] = {Kernels<1>::rhs, Kernels<2>::rhs, Kernels<3>::rhs,
                          Kernels<4>::rhs, Kernels<5>::rhs, Kernels<6>::rhs};
constexpr ResidualsFn kResiduals[] = {Kernels<1>::residuals, Kernels<2>::residuals, Kernels<3>::residuals,
                                      Kernels<4>::residuals, Kernels<5>::residuals, Kernels<6>::residuals};


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
    std::vector<double> t;        // t rounded to double for the sums
    std::vector<double> pw;       // w_i t_i^k, row i (1-based) of M values
    Real cov[kMaxFitOrder + 1][kMaxFitOrder + 1] = {};  // inverse of the normal matrix (in t)
    Real T[kMaxFitOrder + 1][kMaxFitOrder + 1] = {};    // coefficients in t -> coefficients in x
    Real var[kMaxFitOrder + 1] = {};                    // diagonal of T cov T'
    double S[2 * (kMaxFitOrder + 1)] = {};              // power sums of t: the normal matrix

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
    // centre and the power-of-two scale make t exact in long double; the sums use
    // t rounded to double, the refinement the exact values.
    const Real centre = (static_cast<Real>(x[1]) + static_cast<Real>(x[n])) / 2.0L;
    const Real halfWidth = (static_cast<Real>(x[n]) - static_cast<Real>(x[1])) / 2.0L;
    int scaleExp = 0;
    if (halfWidth > 0.0L && std::isfinite(static_cast<double>(halfWidth))) std::frexp(halfWidth, &scaleExp);
    const Real half = std::ldexp(1.0L, scaleExp);
    d.tx.assign(static_cast<std::size_t>(n) + 1, 0.0L);
    d.t.assign(static_cast<std::size_t>(n) + 1, 0.0);
    d.pw.assign(static_cast<std::size_t>(n + 1) * M, 0.0);
    for (int i = 1; i <= n; ++i) {
        d.tx[i] = (static_cast<Real>(x[i]) - centre) / half;
        d.t[i] = static_cast<double>(d.tx[i]);
        double tp = w[i];
        for (int k = 0; k < M; ++k) {
            d.pw[static_cast<std::size_t>(i) * M + k] = tp;
            tp *= d.t[i];
        }
    }

    double S[2 * (kMaxFitOrder + 1)] = {}, R[kMaxFitOrder + 1] = {};
    std::vector<double> zeros(static_cast<std::size_t>(n) + 1, 0.0);
    kSums[M - 1](d.t.data(), w.data(), zeros.data(), n, S, R);
    std::copy(std::begin(S), std::end(S), std::begin(d.S));
    RMat cov = matrix1(M);
    RVec rhs = vector1(M);
    for (int j = 1; j <= M; ++j)
        for (int k = 1; k <= M; ++k) cov[j][k] = S[j + k - 2];
    const bool singular = gaussj(cov, M, rhs, 1, ctx.platform) != 0;
    for (int j = 0; j < M; ++j)
        for (int k = 0; k < M; ++k) d.cov[j][k] = cov[j + 1][k + 1];

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

// Sorts the points by x unless they are sorted already.
void ensureSorted(std::vector<double>& x, std::vector<double>& y, std::vector<double>& sigma, int n) {
    for (int i = 2; i <= n; ++i)
        if (x[i] < x[i - 1]) {
            sortByX(x, y, sigma, n);
            return;
        }
}

} // namespace

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
    ensureSorted(x, y, sigma, n);
    const int M = order + 1;

    thread_local std::vector<double> w, r;
    r.resize(static_cast<std::size_t>(n) + 1);
    if (ctx.weighting == kWeightingOff) {
        w.assign(static_cast<std::size_t>(n) + 1, 1.0);
    } else {
        w.resize(static_cast<std::size_t>(n) + 1);
        for (int i = 1; i <= n; ++i) w[i] = 1.0 / (sigma[i] * sigma[i]);
    }

    Design& d = tlsDesign;
    if (!d.matches(M, x, w, n)) result.singular = !buildDesign(d, ctx, M, x, w, n);

    double R[kMaxFitOrder + 1] = {};
    kRhs[M - 1](d.pw.data(), y.data(), n, R);
    Real beta[kMaxFitOrder + 1] = {};
    for (int j = 0; j < M; ++j) {
        Real bj = 0.0L;
        for (int k = 0; k < M; ++k) bj += d.cov[j][k] * R[k];
        beta[j] = bj;
    }

    double chisq = 0.0;
    if (!result.singular) {
        // One step of iterative refinement: the correction from the residuals of the data.
        double g[kMaxFitOrder + 1] = {}, corr[kMaxFitOrder + 1] = {}, rr = 0.0;
        kResiduals[M - 1](d.tx.data(), d.pw.data(), w.data(), y.data(), n, beta, r.data(), g, rr);
        for (int j = 0; j < M; ++j) {
            Real dj = 0.0L;
            for (int k = 0; k < M; ++k) dj += d.cov[j][k] * g[k];
            corr[j] = static_cast<double>(dj);
            beta[j] += dj;
        }
        // Chi-square of the refined fit, sum w (r - corr(t))², expanded:
        // sum w r² - 2 corr.g + corr' S corr (the correction is tiny beside r).
        double cg = 0.0, cSc = 0.0;
        for (int j = 0; j < M; ++j) {
            cg += corr[j] * g[j];
            for (int k = 0; k < M; ++k) cSc += corr[j] * d.S[j + k] * corr[k];
        }
        chisq = std::max(0.0, rr - 2.0 * cg + cSc);
    }

    const double reduced = n == M ? 0.0 : chisq / static_cast<double>(n - M);
    result.chi2 = chisq;
    result.reducedChi2 = reduced;
    for (int j = 0; j < M; ++j) {
        Real aj = 0.0L;
        for (int k = j; k < M; ++k) aj += d.T[j][k] * beta[k];
        result.a[static_cast<std::size_t>(j) + 1] = static_cast<double>(aj);
        const Real varj = d.var[j];
        if (!(varj >= 0.0L)) ctx.platform.inform(tx::NegativeCovariance, tx::CapError, MsgIcon::Exclamation);
        const Real e = ctx.weighting == kWeightingOff ? std::sqrt(varj * reduced) : std::sqrt(varj);
        result.err[static_cast<std::size_t>(j) + 1] = static_cast<double>(e);
    }
    return result;
}

} // namespace zeb
