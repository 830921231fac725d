// Small symmetric positive definite systems, as the normal equations of the
// fits give them (at most kMaxSymmetricSize unknowns): Cholesky factorisation
// in long double. Matrices are row-major m x m arrays.
#pragma once

namespace zeb {

inline constexpr int kMaxSymmetricSize = 8;

// Inverts the symmetric matrix a in place. False (a unchanged) when m is out
// of range or a is not positive definite to working precision: a pivot of the
// factorisation is not above relTolerance times its diagonal element.
bool InvertSymmetricPositive(long double* a, int m, long double relTolerance = 1e-15L);

} // namespace zeb
