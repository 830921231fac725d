// The linear map of a polynomial fit against FitPolynomial, the fit every
// calculation makes: the same coefficients and errors, and the properties of
// a projection.
#include "analysis/PolynomialDesign.h"

#include "analysis/FitPolynomial.h"
#include "texts/Message.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zeb {
namespace {

TEST(PolynomialDesign, AgreesWithFitPolynomial) {
    // q²-sized abscissae and curved, scattered values.
    std::vector<double> x, y, w;
    for (int i = 0; i < 11; ++i) {
        const double q2 = 4e9 + i * 5.5e9;
        x.push_back(q2);
        y.push_back(1e-6 * (1.0 + 2e-11 * q2 + 3e-23 * q2 * q2) * (1.0 + 0.01 * std::sin(7.0 * i)));
        w.push_back(1.0 + 0.1 * i);
    }
    for (int weighting : {kWeightingOff, kWeightingOn})
        for (int order = 1; order <= 4; ++order) {
            std::vector<double> ws(w.size(), 1.0);
            if (weighting == kWeightingOn) ws = w;
            PolynomialDesign d;
            ASSERT_TRUE(d.Build(order, x.data(), ws.data(), static_cast<int>(x.size())));
            MessageLog log;
            FitContext ctx{log, weighting};
            std::vector<double> px{0.0}, py{0.0}, ps{0.0};
            for (std::size_t i = 0; i < x.size(); ++i) {
                px.push_back(x[i]);
                py.push_back(y[i]);
                ps.push_back(1.0 / std::sqrt(w[i]));
            }
            const PolyFitResult r = FitPolynomial(ctx, order, ps, py, px, static_cast<int>(x.size()));
            double factorial = 1.0;
            for (int k = 0; k <= order; ++k) {
                if (k > 0) factorial *= k;
                const std::vector<double> row = d.Row(0.0, k);
                double a = 0.0;
                for (std::size_t i = 0; i < x.size(); ++i) a += row[i] * y[i];
                a /= factorial;
                EXPECT_NEAR(a, r.a[k + 1], 1e-9 * std::fabs(r.a[k + 1])) << "order " << order << " a" << k + 1;
                double err2 = d.FormalVariance(row.data()) / (factorial * factorial);
                if (weighting == kWeightingOff) err2 *= d.Chi2(y.data()) / d.residualDof();
                EXPECT_NEAR(std::sqrt(err2), r.err[k + 1], 1e-7 * r.err[k + 1]) << "order " << order;
            }
        }
}

TEST(PolynomialDesign, IsAProjection) {
    const double x[] = {1.0, 2.0, 3.0, 5.0, 8.0, 13.0};
    const double w[] = {1.0, 2.0, 1.0, 0.5, 1.0, 3.0};
    PolynomialDesign d;
    ASSERT_TRUE(d.Build(2, x, w, 6));
    double leverageSum = 0.0;
    for (int i = 0; i < 6; ++i) leverageSum += d.Leverage(i);
    EXPECT_NEAR(leverageSum, 3.0, 1e-12);  // the trace of the hat matrix: the number of coefficients
    // A polynomial of the order is reproduced exactly, with chi² 0.
    double y[6], fitted[6], b[3];
    for (int i = 0; i < 6; ++i) y[i] = 2.0 - x[i] + 0.25 * x[i] * x[i];
    EXPECT_NEAR(d.Chi2(y, fitted), 0.0, 1e-20);
    d.CoefficientsInT(y, b);
    EXPECT_NEAR(d.ValueFromT(b, 4.0), 2.0, 1e-12);
    std::vector<double> slope = d.Row(4.0, 1);
    double s = 0.0;
    for (int i = 0; i < 6; ++i) s += slope[static_cast<std::size_t>(i)] * y[i];
    EXPECT_NEAR(s, 1.0, 1e-12);
}

TEST(PolynomialDesign, RefusesWhatCannotBeFitted) {
    const double x[] = {2.0, 2.0, 2.0, 3.0}, w[] = {1.0, 1.0, 1.0, 1.0}, bad[] = {1.0, 0.0, 1.0, 1.0};
    PolynomialDesign d;
    EXPECT_FALSE(d.Build(2, x, w, 4));    // two distinct x for three coefficients
    EXPECT_FALSE(d.Build(1, x + 2, w, 1)); // fewer points than coefficients
    EXPECT_FALSE(d.Build(1, x, bad, 4));   // a weight of zero
    EXPECT_FALSE(d.ok());
    EXPECT_TRUE(d.Build(1, x, w, 4));
}

} // namespace
} // namespace zeb
