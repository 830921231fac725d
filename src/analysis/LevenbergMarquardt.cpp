#include "analysis/LevenbergMarquardt.h"

#include "analysis/SymmetricSolve.h"

#include <algorithm>
#include <cmath>

namespace zeb {

namespace {

bool allFinite(const std::vector<double>& v) {
    return std::all_of(v.begin(), v.end(), [](double x) { return std::isfinite(x); });
}

double sumOfSquares(const std::vector<double>& r) {
    double s = 0.0;
    for (double x : r) s += x * x;
    return s;
}

// The Jacobian by the caller's function or by central differences.
bool jacobianAt(const LeastSquaresProblem& pr, std::vector<double>& p, std::vector<double>& J,
                std::vector<double>& rPlus, std::vector<double>& rMinus) {
    const int m = pr.parameters, n = pr.residuals;
    if (pr.jacobian) return pr.jacobian(p.data(), J.data()) && allFinite(J);
    for (int j = 0; j < m; ++j) {
        const double saved = p[static_cast<std::size_t>(j)];
        const double h = 1e-6 * std::max(std::fabs(saved), 1e-6);
        p[static_cast<std::size_t>(j)] = saved + h;
        const bool up = pr.evaluate(p.data(), rPlus.data());
        p[static_cast<std::size_t>(j)] = saved - h;
        const bool down = pr.evaluate(p.data(), rMinus.data());
        p[static_cast<std::size_t>(j)] = saved;
        if (!up || !down) return false;
        for (int i = 0; i < n; ++i)
            J[static_cast<std::size_t>(i) * m + j] =
                (rPlus[static_cast<std::size_t>(i)] - rMinus[static_cast<std::size_t>(i)]) / (2.0 * h);
    }
    return allFinite(J);
}

// JᵀJ and Jᵀr.
void normalEquations(const std::vector<double>& J, const std::vector<double>& r, int m, int n, long double* A,
                     long double* g) {
    for (int j = 0; j < m; ++j) {
        g[j] = 0.0L;
        for (int k = 0; k < m; ++k) A[j * m + k] = 0.0L;
    }
    for (int i = 0; i < n; ++i) {
        const double* row = J.data() + static_cast<std::size_t>(i) * m;
        for (int j = 0; j < m; ++j) {
            g[j] += static_cast<long double>(row[j]) * r[static_cast<std::size_t>(i)];
            for (int k = 0; k <= j; ++k) A[j * m + k] += static_cast<long double>(row[j]) * row[k];
        }
    }
    for (int j = 0; j < m; ++j)
        for (int k = 0; k < j; ++k) A[k * m + j] = A[j * m + k];
}

} // namespace

LeastSquaresOutcome LevenbergMarquardt(const LeastSquaresProblem& pr, std::vector<double> p,
                                       const LevenbergMarquardtOptions& o) {
    LeastSquaresOutcome out;
    const int m = pr.parameters, n = pr.residuals;
    out.parameters = p;
    if (m < 1 || m > kMaxSymmetricSize || n < 1 || static_cast<int>(p.size()) != m) return out;
    std::vector<double> r(static_cast<std::size_t>(n)), rTrial(r), rPlus(r), rMinus(r);
    std::vector<double> J(static_cast<std::size_t>(n) * m);
    if (!pr.evaluate(p.data(), r.data()) || !allFinite(r)) return out;
    double chi2 = sumOfSquares(r);
    constexpr int N = kMaxSymmetricSize;
    long double A[N * N], g[N], step[N * N];
    double lambda = 1e-3;
    out.status = LeastSquaresStatus::IterationLimit;
    for (out.iterations = 0; out.iterations < o.maxIterations; ++out.iterations) {
        if (!jacobianAt(pr, p, J, rPlus, rMinus)) {
            out.status = LeastSquaresStatus::Stalled;
            break;
        }
        normalEquations(J, r, m, n, A, g);
        // Converged when the residuals are orthogonal to every column of J.
        bool flat = true;
        for (int j = 0; j < m; ++j) {
            if (A[j * m + j] == 0.0L) {
                out.status = LeastSquaresStatus::Singular;
                flat = false;
                break;
            }
            if (std::fabs(g[j]) > 1e-10L * std::sqrt(A[j * m + j] * chi2)) flat = false;
        }
        if (out.status == LeastSquaresStatus::Singular) break;
        if (flat) {
            out.status = LeastSquaresStatus::Converged;
            break;
        }
        bool accepted = false, done = false;
        while (!accepted) {
            for (int j = 0; j < m; ++j)
                for (int k = 0; k < m; ++k) step[j * m + k] = A[j * m + k] * (j == k ? 1.0L + lambda : 1.0L);
            std::vector<double> trial(p);
            bool solved = InvertSymmetricPositive(step, m, 0.0L);
            double largestStep = 0.0;
            for (int j = 0; j < m && solved; ++j) {
                long double d = 0.0L;
                for (int k = 0; k < m; ++k) d -= step[j * m + k] * g[k];
                trial[static_cast<std::size_t>(j)] += static_cast<double>(d);
                largestStep = std::max(largestStep, static_cast<double>(std::fabs(d)) /
                                                        (std::fabs(p[static_cast<std::size_t>(j)]) + 1e-300));
            }
            if (solved && pr.evaluate(trial.data(), rTrial.data()) && allFinite(rTrial)) {
                const double chi2Trial = sumOfSquares(rTrial);
                if (chi2Trial <= chi2) {
                    accepted = true;
                    done = chi2 - chi2Trial <= o.relativeChi2Tolerance * chi2 || largestStep <= o.relativeStepTolerance;
                    p.swap(trial);
                    r.swap(rTrial);
                    chi2 = chi2Trial;
                    lambda = std::max(lambda / 10.0, 1e-12);
                    continue;
                }
            }
            lambda *= 10.0;
            if (lambda > 1e16) break;
        }
        if (!accepted) {
            // No step lowers chi²: at the minimum up to rounding when the
            // gradient is small, stuck otherwise.
            bool nearlyFlat = true;
            for (int j = 0; j < m; ++j)
                if (std::fabs(g[j]) > 1e-6L * std::sqrt(A[j * m + j] * chi2)) nearlyFlat = false;
            out.status = nearlyFlat ? LeastSquaresStatus::Converged : LeastSquaresStatus::Stalled;
            break;
        }
        if (done) {
            out.status = LeastSquaresStatus::Converged;
            break;
        }
    }
    out.parameters = p;
    out.chi2 = chi2;
    if (out.status == LeastSquaresStatus::Converged) {
        if (!jacobianAt(pr, p, J, rPlus, rMinus)) {
            out.status = LeastSquaresStatus::Singular;
            return out;
        }
        normalEquations(J, r, m, n, A, g);
        if (!InvertSymmetricPositive(A, m, 1e-13L)) {
            out.status = LeastSquaresStatus::Singular;
            return out;
        }
        out.covariance.resize(static_cast<std::size_t>(m) * m);
        for (int j = 0; j < m * m; ++j) out.covariance[static_cast<std::size_t>(j)] = static_cast<double>(A[j]);
    }
    return out;
}

} // namespace zeb
