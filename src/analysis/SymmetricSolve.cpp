#include "analysis/SymmetricSolve.h"

#include <cmath>

namespace zeb {

bool InvertSymmetricPositive(long double* a, int m, long double relTolerance) {
    if (m < 1 || m > kMaxSymmetricSize) return false;
    constexpr int N = kMaxSymmetricSize;
    long double L[N][N] = {};
    for (int j = 0; j < m; ++j) {
        long double d = a[j * m + j];
        for (int k = 0; k < j; ++k) d -= L[j][k] * L[j][k];
        const long double diag = a[j * m + j];
        if (!(d > relTolerance * diag) || !std::isfinite(d)) return false;
        L[j][j] = std::sqrt(d);
        for (int i = j + 1; i < m; ++i) {
            long double s = a[i * m + j];
            for (int k = 0; k < j; ++k) s -= L[i][k] * L[j][k];
            L[i][j] = s / L[j][j];
        }
    }
    // L⁻¹ (lower triangular), then a⁻¹ = L⁻ᵀ L⁻¹.
    long double Li[N][N] = {};
    for (int j = 0; j < m; ++j) {
        Li[j][j] = 1.0L / L[j][j];
        for (int i = j + 1; i < m; ++i) {
            long double s = 0.0L;
            for (int k = j; k < i; ++k) s -= L[i][k] * Li[k][j];
            Li[i][j] = s / L[i][i];
        }
    }
    for (int i = 0; i < m; ++i)
        for (int j = 0; j <= i; ++j) {
            long double s = 0.0L;
            for (int k = i; k < m; ++k) s += Li[k][i] * Li[k][j];
            a[i * m + j] = a[j * m + i] = s;
        }
    return true;
}

} // namespace zeb
