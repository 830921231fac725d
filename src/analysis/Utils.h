// The least-squares kernels: general linear least squares by the normal
// equations (lfit) and Gauss-Jordan elimination with full pivoting (gaussj).
// Textbook scheme with 1-based arrays (element 0 of every vector and matrix is
// unused). The sums and the elimination run in long double.
#pragma once

#include <functional>
#include <vector>

namespace zeb {

class MessageSink;

using Real = long double;
using RVec = std::vector<Real>;   // 1-based
using RMat = std::vector<RVec>;   // 1-based rows, 1-based columns

// Allocates a 1-based vector of n entries and an n x n matrix (rows 1..n, columns 1..n).
RVec vector1(int n);
RMat matrix1(int n);

// Fills basis[1..M] for one x.
using BasisFunction = std::function<void(Real x, RVec& basis, int M)>;

// Inverts a[1..n][1..n] in place and solves for the one right-hand side b[1..n].
// Returns 0 on success, 1 on failure (the failure has been shown).
int gaussj(RMat& a, int n, RVec& b, int m, MessageSink& messages);

// Fits the coefficients named in list[1..mfit] (the others keep their values in a[]).
// list must have room for M entries; lfit appends the unlisted indices after mfit.
// On return a[] holds the coefficients, chisq the weighted sum of squared residuals
// and covar[1..M][1..M] the covariance in the coefficients' own order.
// Returns the result of gaussj (0 = the elimination succeeded).
int lfit(const RVec& x, const RVec& y, const RVec& sig, int ndat, RVec& a, int M,
         std::vector<int>& list, int mfit, RMat& covar, Real& chisq,
         const BasisFunction& funcs, MessageSink& messages);

} // namespace zeb
