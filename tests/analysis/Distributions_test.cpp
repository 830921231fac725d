// The distribution functions against tabulated values (Abramowitz and Stegun,
// the usual t and F tables) and their own identities.
#include "analysis/Distributions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace zeb {
namespace {

TEST(Distributions, QuantilesMatchTheTables) {
    struct Row {
        double p, dof, t;
    };
    const double inf = std::numeric_limits<double>::infinity();
    for (const Row& r : {Row{0.975, 1, 12.706204736}, Row{0.975, 2, 4.302652730}, Row{0.975, 10, 2.228138852},
                         Row{0.995, 30, 2.749995654}, Row{0.975, inf, 1.959963985}, Row{0.9, 5, 1.475884049},
                         Row{0.025, 4, -2.776445105}}) {
        EXPECT_NEAR(StudentTQuantile(r.p, r.dof), r.t, 1e-8 * std::fabs(r.t)) << r.p << " dof " << r.dof;
        EXPECT_NEAR(StudentTCdf(r.t, r.dof), r.p, 1e-10);
    }
    EXPECT_NEAR(NormalQuantile(0.975), 1.959963984540054, 1e-14);
    EXPECT_NEAR(NormalQuantile(1e-10), -6.361340902404056, 1e-10);
    // Fractional degrees of freedom lie between their neighbours.
    EXPECT_GT(StudentTQuantile(0.975, 2.5), StudentTQuantile(0.975, 3.0));
    EXPECT_LT(StudentTQuantile(0.975, 2.5), StudentTQuantile(0.975, 2.0));
}

TEST(Distributions, FTailMatchesTheTablesAndTheT) {
    EXPECT_NEAR(FUpperTail(4.964602701, 1, 10), 0.05, 1e-9);
    EXPECT_NEAR(FUpperTail(3.325834530, 5, 10), 0.05, 1e-9);
    // F(1, d) is t² with d degrees of freedom.
    const double t = 2.3;
    EXPECT_NEAR(FUpperTail(t * t, 1, 7), 2.0 * (1.0 - StudentTCdf(t, 7)), 1e-12);
    EXPECT_EQ(FUpperTail(0.0, 2, 3), 1.0);
}

TEST(Distributions, IncompleteBetaIdentitiesAndRefusals) {
    EXPECT_NEAR(RegularizedIncompleteBeta(2.5, 4.0, 0.3) + RegularizedIncompleteBeta(4.0, 2.5, 0.7), 1.0, 1e-14);
    EXPECT_NEAR(RegularizedIncompleteBeta(1.0, 1.0, 0.37), 0.37, 1e-15);  // the uniform distribution
    EXPECT_NEAR(RegularizedIncompleteBeta(2.0, 3.0, 0.4), 0.5248, 1e-12);
    EXPECT_TRUE(std::isnan(RegularizedIncompleteBeta(-1.0, 2.0, 0.5)));
    EXPECT_TRUE(std::isnan(StudentTQuantile(1.0, 3.0)));
    EXPECT_TRUE(std::isnan(NormalQuantile(0.0)));
}

} // namespace
} // namespace zeb
