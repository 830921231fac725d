// Nonlinear least squares: a known decay is recovered with a covariance that
// matches the scatter, and what cannot converge says so.
#include "analysis/LevenbergMarquardt.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace zeb {
namespace {

// y = A exp(-k t) with Gaussian noise of 0.01.
struct Decay {
    std::vector<double> t, y;
    explicit Decay(unsigned seed) {
        std::mt19937_64 random(seed);
        std::normal_distribution<double> noise(0.0, 0.01);
        for (int i = 0; i < 30; ++i) {
            t.push_back(0.1 * i);
            y.push_back(2.0 * std::exp(-1.3 * t.back()) + noise(random));
        }
    }
    LeastSquaresProblem problem(bool analyticJacobian) const {
        LeastSquaresProblem p;
        p.parameters = 2;
        p.residuals = static_cast<int>(t.size());
        p.evaluate = [this](const double* a, double* r) {
            for (std::size_t i = 0; i < t.size(); ++i) r[i] = y[i] - a[0] * std::exp(-a[1] * t[i]);
            return true;
        };
        if (analyticJacobian)
            p.jacobian = [this](const double* a, double* J) {
                for (std::size_t i = 0; i < t.size(); ++i) {
                    const double e = std::exp(-a[1] * t[i]);
                    J[2 * i] = -e;
                    J[2 * i + 1] = a[0] * t[i] * e;
                }
                return true;
            };
        return p;
    }
};

TEST(LevenbergMarquardt, RecoversADecayWithItsScatter) {
    // Over replicates the parameter lies within 2 standard errors about 95 % of the time.
    int within = 0, replicates = 200;
    for (int seed = 1; seed <= replicates; ++seed) {
        const Decay d(static_cast<unsigned>(seed));
        const LeastSquaresOutcome out = LevenbergMarquardt(d.problem(seed % 2 == 0), {1.0, 0.5});
        ASSERT_TRUE(out.converged()) << seed;
        const double s2 = out.chi2 / (30 - 2);
        if (std::fabs(out.parameters[1] - 1.3) <= 2.0 * std::sqrt(s2 * out.covariance[3])) ++within;
    }
    EXPECT_GE(within, 180);
    EXPECT_LE(within, 198);
}

TEST(LevenbergMarquardt, SaysWhyItFails) {
    // A minimum at infinity: r = exp(-p) keeps falling.
    LeastSquaresProblem runaway;
    runaway.parameters = 1;
    runaway.residuals = 1;
    runaway.evaluate = [](const double* p, double* r) {
        r[0] = std::exp(-p[0]);
        return true;
    };
    EXPECT_NE(LevenbergMarquardt(runaway, {0.0}, {.maxIterations = 20}).status, LeastSquaresStatus::Converged);
    // Two parameters that act only as their sum.
    LeastSquaresProblem sum;
    sum.parameters = 2;
    sum.residuals = 3;
    sum.evaluate = [](const double* p, double* r) {
        for (int i = 0; i < 3; ++i) r[i] = (p[0] + p[1]) * (i + 1) - 2.0 * i;
        return true;
    };
    EXPECT_EQ(LevenbergMarquardt(sum, {1.0, 1.0}).status, LeastSquaresStatus::Singular);
    LeastSquaresProblem nowhere = sum;
    nowhere.evaluate = [](const double*, double*) { return false; };
    EXPECT_EQ(LevenbergMarquardt(nowhere, {1.0, 1.0}).status, LeastSquaresStatus::NotEvaluable);
}

} // namespace
} // namespace zeb
