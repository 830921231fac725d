// A weighted polynomial least-squares fit over fixed abscissae, kept as the
// linear map it is: the coefficients, the fitted values and the value or any
// derivative of the polynomial at any x are weighted sums of the ordinates.
// The weights of these sums ("rows") and the leverages depend only on x and on
// the weights, so one design serves every set of ordinates over the same
// points (the resamples of a bootstrap, the propagation of variances).
//
// Units are the caller's: x and y as given, derivatives in y per x^d. The fit
// runs in t = (x - centre) / half (points on about [-1, 1]) and solves its
// normal equations in long double, as FitPolynomial does.
#pragma once

#include <vector>

namespace zeb {

class PolynomialDesign {
public:
    // The fit of the order (1..5) over x[0..n-1] with weights w[0..n-1] (1 for
    // an unweighted fit, 1/sigma² for a weighted one). False, and !ok(), when
    // there are fewer points than coefficients, an x or a weight is not finite,
    // a weight is not positive, or the normal matrix is singular (too few
    // distinct x).
    bool Build(int order, const double* x, const double* w, int n);

    bool ok() const { return ok_; }
    int order() const { return M_ - 1; }
    int coefficients() const { return M_; }
    int points() const { return n_; }
    int residualDof() const { return n_ - M_; }

    // row[0..n-1] with which the d-th derivative of the fitted polynomial at x0
    // is sum row_i y_i (d = 0: its value).
    void Row(double x0, int derivative, double* row) const;
    std::vector<double> Row(double x0, int derivative) const;

    // The coefficients in the internal variable t (b[0..M-1]) and the value of
    // the polynomial they make at x; basis[0..M-1] = t(x)^k.
    void CoefficientsInT(const double* y, double* b) const;
    double ValueFromT(const double* b, double x) const;
    void BasisAt(double x, double* basis) const;
    // y_i of row k of the map from ordinates to coefficients in t: b_k = sum projection(k)[i] y_i.
    const double* Projection(int k) const { return projection_.data() + static_cast<std::size_t>(k) * n_; }

    // The weighted sum of squared residuals and the fitted values at the points.
    double Chi2(const double* y, double* fitted = nullptr) const;
    // The leverage (diagonal of the hat matrix) of point i: 0..1.
    double Leverage(int i) const { return leverage_[static_cast<std::size_t>(i)]; }
    // The variance of sum row_i y_i when every y_i has variance 1/w_i: the
    // formal error² of a value the rows give.
    double FormalVariance(const double* row) const;

private:
    bool ok_ = false;
    int M_ = 0, n_ = 0;
    double centre_ = 0.0, half_ = 1.0;
    std::vector<double> w_;
    std::vector<double> t_;
    std::vector<double> projection_;  // M x n: coefficients in t from the ordinates
    std::vector<double> leverage_;
};

} // namespace zeb
