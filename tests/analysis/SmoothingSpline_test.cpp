#include "analysis/SmoothingSpline.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zeb {
namespace {

constexpr double kP = 0.9999999999;

TEST(SmoothingSpline, PassesPracticallyThroughTheKnots) {
    std::vector<double> x{100, 200, 350, 500, 800, 1000}, y;
    for (double v : x) y.push_back(1.0 / (1.0 + v * v * 1e-6));
    SmoothingSpline s;
    ASSERT_TRUE(s.Setup(x, y, kP));
    for (std::size_t i = 0; i < x.size(); ++i) EXPECT_NEAR(s.Evaluate(x[i]), y[i], 1e-7) << i;
    // Between the knots it follows the smooth function closely.
    EXPECT_NEAR(s.Evaluate(425), 1.0 / (1.0 + 425.0 * 425.0 * 1e-6), 5e-3);
    EXPECT_EQ(s.xMin(), 100);
    EXPECT_EQ(s.xMax(), 1000);
    EXPECT_DOUBLE_EQ(s.yMax(), y.front());
}

TEST(SmoothingSpline, ReproducesAStraightLineAndContinuesItOutside) {
    std::vector<double> x{0, 1, 2.5, 3, 7}, y;
    for (double v : x) y.push_back(2.0 - 0.5 * v);
    SmoothingSpline s;
    ASSERT_TRUE(s.Setup(x, y, kP));
    for (double v : {-3.0, 0.5, 2.9, 6.0, 10.0}) EXPECT_NEAR(s.Evaluate(v), 2.0 - 0.5 * v, 1e-9) << v;
}

TEST(SmoothingSpline, NaturalEndsAndEndCubicsOutside) {
    std::vector<double> x{0, 1, 2, 3, 4}, y{0, 1, 0, 1, 0};
    SmoothingSpline s;
    ASSERT_TRUE(s.Setup(x, y, kP));
    EXPECT_EQ(s.secondDerivatives().front(), 0.0);
    EXPECT_EQ(s.secondDerivatives().back(), 0.0);
    // Continuity of the value, slope and curvature at an interior knot.
    const double h = 1e-6;
    EXPECT_NEAR(s.Evaluate(2 - h), s.Evaluate(2 + h), 1e-5);
    const double slopeLeft = (s.Evaluate(2 - h) - s.Evaluate(2 - 2 * h)) / h;
    const double slopeRight = (s.Evaluate(2 + 2 * h) - s.Evaluate(2 + h)) / h;
    EXPECT_NEAR(slopeLeft, slopeRight, 1e-3);
    // Outside, the first interval's cubic goes on: with a zero second derivative
    // at x0 the value at -1 is y0 - slope + c1/6 * ((2)^3 - ...) from the formula.
    const double A = 1.0 - (-1.0), B = -1.0 - 0.0;
    const auto& c = s.secondDerivatives();
    const auto& sv = s.knotValues();
    const double b0 = (sv[1] - sv[0]) - (c[1] - c[0]) / 6.0, d0 = sv[0] - c[0] / 6.0;
    EXPECT_NEAR(s.Evaluate(-1.0), c[0] * A * A * A / 6.0 + c[1] * B * B * B / 6.0 + b0 * B + d0, 1e-12);
}

TEST(SmoothingSpline, SmallerPSmoothsTowardsALine) {
    std::vector<double> x{0, 1, 2, 3, 4, 5}, y{0, 1, 0, 1, 0, 1};
    SmoothingSpline s;
    ASSERT_TRUE(s.Setup(x, y, 1e-6));
    double spread = 0;
    for (double v : x) spread = std::max(spread, std::fabs(s.Evaluate(v) - 0.5));
    EXPECT_LT(spread, 0.35);  // the zigzag of amplitude 0.5 is flattened
}

TEST(SmoothingSpline, RefusesTooFewOrUnorderedKnots) {
    SmoothingSpline s;
    EXPECT_FALSE(s.Setup({0, 1, 2}, {0, 1, 2}, kP));
    EXPECT_FALSE(s.Setup({0, 2, 1, 3}, {0, 1, 2, 3}, kP));
    EXPECT_FALSE(s.Setup({0, 1, 1, 3}, {0, 1, 2, 3}, kP));
    EXPECT_FALSE(s.Setup({0, 1, 2, 3}, {0, NAN, 2, 3}, kP));
    EXPECT_FALSE(s.ready());
    EXPECT_EQ(s.Evaluate(1.0), 0.0);
}

} // namespace
} // namespace zeb
