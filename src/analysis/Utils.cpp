#include "analysis/Utils.h"

#include "texts/AnalysisTexts.h"
#include "texts/CommonTexts.h"
#include "texts/Message.h"

#include <cmath>
#include <limits>
#include <utility>

namespace zeb {

RVec vector1(int n) { return RVec(static_cast<std::size_t>(n) + 2, 0.0L); }

RMat matrix1(int n) { return RMat(static_cast<std::size_t>(n) + 1, vector1(n)); }

int gaussj(RMat& a, int n, RVec& b, int m, MessageSink& messages) {
    if (m != 1) {
        messages.inform(tx::GaussjMNotOne, tx::CapZebstat, MsgIcon::Exclamation);
        return 1;
    }
    std::vector<short> ipiv(static_cast<std::size_t>(n) + 2, 0);
    std::vector<short> indxr(static_cast<std::size_t>(n) + 2, 0);
    std::vector<short> indxc(static_cast<std::size_t>(n) + 2, 0);

    // A pivot that is zero up to the rounding of the elimination counts as zero:
    // an exactly singular matrix seldom leaves an exact 0 behind in floating point.
    Real largest = 0.0L;
    for (int j = 1; j <= n; ++j)
        for (int k = 1; k <= n; ++k) largest = std::max(largest, std::fabs(a[j][k]));
    const Real tiny = largest * static_cast<Real>(8 * (n + 1)) * std::numeric_limits<Real>::epsilon();

    int irow = 1, icol = 1;
    for (int i = 1; i <= n; ++i) {
        Real big = 0.0L;
        for (int j = 1; j <= n; ++j) {
            if (ipiv[j] == 1) continue;
            for (int k = 1; k <= n; ++k) {
                if (ipiv[k] == 0) {
                    if (std::fabs(a[j][k]) >= big) {
                        big = std::fabs(a[j][k]);
                        irow = j;
                        icol = k;
                    }
                } else if (ipiv[k] > 1) {
                    messages.inform(tx::GaussjSingular1, tx::CapZebstat, MsgIcon::Exclamation);
                    return 1;
                }
            }
        }
        ++ipiv[icol];
        if (irow != icol) {
            std::swap(a[irow], a[icol]);
            std::swap(b[irow], b[icol]);
        }
        indxr[i] = static_cast<short>(irow);
        indxc[i] = static_cast<short>(icol);
        if (!(std::fabs(a[icol][icol]) > tiny)) {
            messages.inform(tx::GaussjSingular2, tx::CapZebstat, MsgIcon::Exclamation);
            return 1;
        }
        const Real pivinv = 1.0L / a[icol][icol];
        a[icol][icol] = 1.0L;
        for (int l = 1; l <= n; ++l) a[icol][l] *= pivinv;
        b[icol] *= pivinv;
        for (int ll = 1; ll <= n; ++ll) {
            if (ll == icol) continue;
            const Real dum = a[ll][icol];
            a[ll][icol] = 0.0L;
            for (int l = 1; l <= n; ++l) a[ll][l] -= a[icol][l] * dum;
            b[ll] -= b[icol] * dum;
        }
    }
    for (int l = n; l >= 1; --l) {
        if (indxr[l] == indxc[l]) continue;
        for (int k = 1; k <= n; ++k) std::swap(a[k][indxr[l]], a[k][indxc[l]]);
    }
    return 0;
}

namespace {

// Puts the covariance of the fitted coefficients into the coefficients' own order.
void covsrt(RMat& covar, int ma, const std::vector<int>& list, int mfit) {
    for (int j = 1; j < ma; ++j)
        for (int i = j + 1; i <= ma; ++i) covar[i][j] = 0.0L;
    for (int i = 1; i < mfit; ++i)
        for (int j = i + 1; j <= mfit; ++j) {
            if (list[j] > list[i]) covar[list[j]][list[i]] = covar[i][j];
            else covar[list[i]][list[j]] = covar[i][j];
        }
    const Real saved = covar[1][1];
    for (int j = 1; j <= ma; ++j) {
        covar[1][j] = covar[j][j];
        covar[j][j] = 0.0L;
    }
    covar[list[1]][list[1]] = saved;
    for (int j = 2; j <= mfit; ++j) covar[list[j]][list[j]] = covar[1][j];
    for (int j = 2; j <= ma; ++j)
        for (int i = 1; i <= j - 1; ++i) covar[i][j] = covar[j][i];
}

} // namespace

int lfit(const RVec& x, const RVec& y, const RVec& sig, int ndat, RVec& a, int M,
         std::vector<int>& list, int mfit, RMat& covar, Real& chisq,
         const BasisFunction& funcs, MessageSink& messages) {
    if (list.size() < static_cast<std::size_t>(M) + 1) list.resize(static_cast<std::size_t>(M) + 1, 0);
    bool usable = mfit >= 1 && mfit <= M;
    for (int k = 1; k <= mfit && usable; ++k) usable = list[k] >= 1 && list[k] <= M;

    int kk = mfit + 1;
    for (int j = 1; j <= M; ++j) {
        int hits = 0;
        for (int k = 1; k <= mfit && k <= M; ++k)
            if (list[k] == j) ++hits;
        if (hits == 0) {
            // Never append past the end of the list.
            if (kk <= M) list[kk] = j;
            ++kk;
        } else if (hits > 1) {
            messages.inform(tx::BadListPermutation1, tx::CapLfit, MsgIcon::Stop);
            usable = false;
        }
    }
    if (kk != M + 1) {
        messages.inform(tx::BadListPermutation2, tx::CapLfit, MsgIcon::Stop);
        usable = false;
    }
    if (!usable) {
        // A list that names a coefficient twice or one that does not exist
        // cannot be fitted without reading outside the arrays.
        chisq = std::numeric_limits<Real>::quiet_NaN();
        return 1;
    }

    // The basis of every point is evaluated once and kept; each normal sum is then
    // accumulated over the points in their order, as the point-by-point scheme
    // does, but with the running sum held in a register.
    RVec basis = vector1(M);
    std::vector<Real> B(static_cast<std::size_t>(ndat + 1) * M);  // B[i*M + k-1] = basis_k(x_i)
    RVec w = vector1(ndat), ym = vector1(ndat);
    for (int i = 1; i <= ndat; ++i) {
        funcs(x[i], basis, M);
        Real* row = &B[static_cast<std::size_t>(i) * M];
        for (int k = 1; k <= M; ++k) row[k - 1] = basis[k];
        ym[i] = y[i];
        for (int j = mfit + 1; j <= M; ++j) ym[i] -= a[list[j]] * basis[list[j]];
        w[i] = 1.0L / (sig[i] * sig[i]);
    }
    auto b = [&](int i, int k) { return B[static_cast<std::size_t>(i) * M + (k - 1)]; };

    RMat normal = matrix1(mfit);
    RVec beta = vector1(mfit);
    for (int j = 1; j <= mfit; ++j) {
        const int lj = list[j];
        for (int k = 1; k <= j; ++k) {
            const int lk = list[k];
            Real sum = 0.0L;
            for (int i = 1; i <= ndat; ++i) sum += b(i, lj) * w[i] * b(i, lk);
            normal[j][k] = sum;
        }
        Real sum = 0.0L;
        for (int i = 1; i <= ndat; ++i) sum += ym[i] * (b(i, lj) * w[i]);
        beta[j] = sum;
    }
    for (int j = 2; j <= mfit; ++j)
        for (int k = 1; k < j; ++k) normal[k][j] = normal[j][k];

    const int failed = gaussj(normal, mfit, beta, 1, messages);
    for (int j = 1; j <= mfit; ++j) a[list[j]] = beta[j];

    chisq = 0.0L;
    for (int i = 1; i <= ndat; ++i) {
        Real sum = 0.0L;
        for (int j = 1; j <= M; ++j) sum += a[j] * b(i, j);
        const Real r = (y[i] - sum) / sig[i];
        chisq += r * r;
    }
    for (int j = 1; j <= M; ++j)
        for (int k = 1; k <= M; ++k) covar[j][k] = (j <= mfit && k <= mfit) ? normal[j][k] : 0.0L;
    covsrt(covar, M, list, mfit);
    return failed;
}

} // namespace zeb
