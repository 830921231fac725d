// The polynomial fit that every extrapolation calls: y = a1 + a2 x + ... + a(m+1) x^m
// by weighted or unweighted least squares, with the coefficients' standard errors.
#pragma once

#include <array>
#include <vector>

namespace zeb {

class MessageSink;

inline constexpr int kWeightingOff = 1;
inline constexpr int kWeightingOn = 2;
inline constexpr int kMaxFitOrder = 5;
inline constexpr int kMaxFitPoints = 136;

struct FitContext {
    MessageSink& messages;
    int weighting = kWeightingOff;  // 1 = all points count equally, 2 = weights 1/sigma²
};

struct PolyFitResult {
    // 1-based: a[1] is the constant term, a[m+1] the highest; index 0 unused.
    std::array<double, kMaxFitOrder + 2> a{};
    std::array<double, kMaxFitOrder + 2> err{};
    double chi2 = 0.0;
    double reducedChi2 = 0.0;
    bool singular = false;  // the elimination reported a singular matrix
    // Every coefficient and error is a finite number and the elimination succeeded.
    bool usable() const;
    int order = 0;
};

// Fits n points x[1..n], y[1..n] with standard deviations sigma[1..n] (index 0
// unused). The three arrays are sorted by x in place. The caller guarantees
// n > order (n = order + 1 is an exact fit); the calculation passes at most 136
// points.
PolyFitResult FitPolynomial(FitContext& ctx, int order, std::vector<double>& sigma, std::vector<double>& y,
                            std::vector<double>& x, int n);

} // namespace zeb
