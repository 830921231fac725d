// Nonlinear least squares by the Levenberg-Marquardt method for a few
// parameters (at most kMaxSymmetricSize): minimises the sum of squared
// residuals r_i(p), i = 0..n-1. The caller's functions give the residuals and,
// optionally, their Jacobian (otherwise it is taken by central differences).
// Nothing is shown: the outcome says whether the fit converged and why not.
#pragma once

#include <functional>
#include <vector>

namespace zeb {

struct LeastSquaresProblem {
    int parameters = 0;
    int residuals = 0;
    // r[0..n-1] at p; false when the model cannot be evaluated there.
    std::function<bool(const double* p, double* r)> evaluate;
    // J[i * m + j] = d r_i / d p_j at p; empty: central differences.
    std::function<bool(const double* p, double* J)> jacobian;
};

struct LevenbergMarquardtOptions {
    int maxIterations = 200;
    double relativeChi2Tolerance = 1e-12;  // an accepted step that lowers chi² less than this ends the fit
    double relativeStepTolerance = 1e-10;  // as does a step smaller than this relative to the parameters
};

enum class LeastSquaresStatus {
    Converged,
    IterationLimit,  // still improving when the iterations ran out
    Stalled,         // no step lowers chi² although the gradient is not zero
    Singular,        // the Jacobian has not the rank of the parameters at the solution
    NotEvaluable,    // the model gives no finite residuals at the start
};

struct LeastSquaresOutcome {
    LeastSquaresStatus status = LeastSquaresStatus::NotEvaluable;
    std::vector<double> parameters;
    // (JᵀJ)⁻¹ at the solution, m x m row-major: the covariance of the
    // parameters for residuals of variance 1 (empty when singular).
    std::vector<double> covariance;
    double chi2 = 0.0;  // sum of squared residuals
    int iterations = 0;
    bool converged() const { return status == LeastSquaresStatus::Converged; }
};

LeastSquaresOutcome LevenbergMarquardt(const LeastSquaresProblem& problem, std::vector<double> start,
                                       const LevenbergMarquardtOptions& options = {});

} // namespace zeb
