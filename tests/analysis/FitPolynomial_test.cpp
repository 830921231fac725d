#include "analysis/FitPolynomial.h"
#include "analysis/Utils.h"
#include "texts/AnalysisTexts.h"
#include "platform/ScriptedPlatform.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zeb {
namespace {

struct Points {
    std::vector<double> x{0.0}, y{0.0}, s{0.0};
    void add(double xv, double yv, double sv = 1.0) {
        x.push_back(xv);
        y.push_back(yv);
        s.push_back(sv);
    }
    int n() const { return static_cast<int>(x.size()) - 1; }
};

PolyFitResult Fit(ScriptedPlatform& platform, int weighting, int order, Points p) {
    FitContext ctx{platform, weighting};
    return FitPolynomial(ctx, order, p.s, p.y, p.x, p.n());
}

TEST(FitPolynomial, ExactFitWithOrderPlusOnePointsHasZeroErrorsUnweighted) {
    ScriptedPlatform platform;
    Points p;
    p.add(3.0e10, 2.9e-6);
    p.add(1.0e10, 2.1e-6);
    const PolyFitResult r = Fit(platform, kWeightingOff, 1, p);
    EXPECT_NEAR(r.a[2], 4.0e-17, 1e-28);
    EXPECT_NEAR(r.a[1], 1.7e-6, 1e-18);
    EXPECT_EQ(r.reducedChi2, 0.0);
    EXPECT_EQ(r.err[1], 0.0);
    EXPECT_EQ(r.err[2], 0.0);
    EXPECT_TRUE(r.usable());
}

TEST(FitPolynomial, RecoversAQuadraticOnQ2SizedAbscissae) {
    ScriptedPlatform platform;
    Points p;
    for (int i = 1; i <= 13; ++i) {
        const double q2 = i * 2.7e9;
        p.add(q2, 1.0e-6 * (1.0 + 3.0e-11 * q2 - 2.0e-22 * q2 * q2));
    }
    const PolyFitResult r = Fit(platform, kWeightingOff, 2, p);
    EXPECT_NEAR(r.a[1] / 1.0e-6, 1.0, 1e-12);
    EXPECT_NEAR(r.a[2] / 3.0e-17, 1.0, 1e-10);
    EXPECT_NEAR(r.a[3] / -2.0e-28, 1.0, 1e-8);
}

TEST(FitPolynomial, SortsTheCallersArraysByX) {
    ScriptedPlatform platform;
    FitContext ctx{platform, kWeightingOn};
    std::vector<double> x{0, 3, 1, 2}, y{0, 30, 10, 20}, s{0, 3, 1, 2};
    FitPolynomial(ctx, 1, s, y, x, 3);
    EXPECT_EQ(x, (std::vector<double>{0, 1, 2, 3}));
    EXPECT_EQ(y, (std::vector<double>{0, 10, 20, 30}));
    EXPECT_EQ(s, (std::vector<double>{0, 1, 2, 3}));
}

TEST(FitPolynomial, WeightingEquivalences) {
    Points base;
    const double ys[] = {1.1, 1.9, 3.2, 3.9, 5.1, 5.8};
    for (int i = 0; i < 6; ++i) base.add(i + 1.0, ys[i], 0.1 * (i + 1));

    ScriptedPlatform platform;
    const PolyFitResult off = Fit(platform, kWeightingOff, 1, base);
    Points otherSigmas = base;
    for (auto& s : otherSigmas.s) s *= 7.0;
    const PolyFitResult offOther = Fit(platform, kWeightingOff, 1, otherSigmas);
    // Weighting off ignores sigma entirely.
    EXPECT_EQ(off.a[1], offOther.a[1]);
    EXPECT_EQ(off.a[2], offOther.a[2]);
    EXPECT_EQ(off.err[2], offOther.err[2]);

    Points equal = base;
    for (std::size_t i = 1; i < equal.s.size(); ++i) equal.s[i] = 0.25;
    const PolyFitResult on = Fit(platform, kWeightingOn, 1, equal);
    EXPECT_NEAR(on.a[1], off.a[1], 1e-14);
    EXPECT_NEAR(on.a[2], off.a[2], 1e-14);
    // Weighted errors are the formal ones: sigma * sqrt(cov) without the scatter.
    EXPECT_NEAR(on.err[2], 0.25 / std::sqrt(17.5), 1e-14);
    // Unweighted errors are scaled by the scatter of the residuals.
    EXPECT_NEAR(off.err[2], std::sqrt(off.reducedChi2 / 17.5), 1e-14);

    const PolyFitResult weighted = Fit(platform, kWeightingOn, 1, base);
    EXPECT_GT(std::fabs(weighted.a[2] - off.a[2]), 1e-6);  // unequal sigmas change the fit
    EXPECT_TRUE(platform.messages.empty());
}

TEST(FitPolynomial, TwoPointsAtTheSameXAreReportedSingular) {
    ScriptedPlatform platform;
    Points p;
    p.add(2.0e10, 1.0e-6);
    p.add(2.0e10, 1.1e-6);
    const PolyFitResult r = Fit(platform, kWeightingOff, 1, p);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_TRUE(platform.lastMessage().text == tx::GaussjSingular1 ||
                platform.lastMessage().text == tx::GaussjSingular2);
    EXPECT_EQ(platform.lastMessage().caption, "ZEBstat");
    EXPECT_EQ(platform.lastMessage().icon, MsgIcon::Exclamation);
    EXPECT_TRUE(r.singular);
    EXPECT_FALSE(r.usable());
}

TEST(Gaussj, InvertsAndSolves) {
    ScriptedPlatform platform;
    RMat a = matrix1(3);
    const long double m[3][3] = {{4, -2, 1}, {-2, 4, -2}, {1, -2, 4}};
    for (int i = 1; i <= 3; ++i)
        for (int j = 1; j <= 3; ++j) a[i][j] = m[i - 1][j - 1];
    RVec b = vector1(3);
    b[1] = 11;
    b[2] = -16;
    b[3] = 17;
    ASSERT_EQ(gaussj(a, 3, b, 1, platform), 0);
    EXPECT_NEAR(static_cast<double>(b[1]), 1.0, 1e-15);
    EXPECT_NEAR(static_cast<double>(b[2]), -2.0, 1e-15);
    EXPECT_NEAR(static_cast<double>(b[3]), 3.0, 1e-15);
    for (int i = 1; i <= 3; ++i)
        for (int j = 1; j <= 3; ++j) {
            long double sum = 0;
            for (int k = 1; k <= 3; ++k) sum += m[i - 1][k - 1] * a[k][j];
            EXPECT_NEAR(static_cast<double>(sum), i == j ? 1.0 : 0.0, 1e-15);
        }
}

TEST(Gaussj, RefusesMoreThanOneRightHandSideAndZeroMatrices) {
    ScriptedPlatform platform;
    RMat a = matrix1(2);
    RVec b = vector1(2);
    EXPECT_EQ(gaussj(a, 2, b, 2, platform), 1);
    EXPECT_EQ(platform.lastMessage().text, "Schwerer Fehler in ZEBstat utils gaussj() m!=1");
    EXPECT_EQ(gaussj(a, 2, b, 1, platform), 1);
    EXPECT_EQ(platform.lastMessage().text, "Schwerer Fehler in ZEBstat mrqmin,\r\n GAUSSJ: Singular Matrix - 2");
}

TEST(Lfit, FitsOnlyTheListedCoefficientsAndReportsBadLists) {
    ScriptedPlatform platform;
    // y = 2 + 3x with the constant held at 2: only the slope is fitted.
    RVec x = vector1(4), y = vector1(4), s = vector1(4);
    for (int i = 1; i <= 4; ++i) {
        x[i] = i;
        y[i] = 2.0L + 3.0L * i;
        s[i] = 1.0L;
    }
    const BasisFunction line = [](Real xv, RVec& basis, int) {
        basis[1] = 1.0L;
        basis[2] = xv;
    };
    RVec a = vector1(2);
    a[1] = 2.0L;
    std::vector<int> list{0, 2, 0};
    RMat cov = matrix1(2);
    Real chi2 = -1;
    ASSERT_EQ(lfit(x, y, s, 4, a, 2, list, 1, cov, chi2, line, platform), 0);
    EXPECT_NEAR(static_cast<double>(a[2]), 3.0, 1e-15);
    EXPECT_EQ(a[1], 2.0L);
    EXPECT_EQ(list[2], 1);  // the unlisted coefficient is appended
    EXPECT_NEAR(static_cast<double>(chi2), 0.0, 1e-20);
    EXPECT_EQ(cov[1][1], 0.0L);  // unfitted rows and columns are zero
    EXPECT_NEAR(static_cast<double>(cov[2][2]), 1.0 / 30.0, 1e-15);
    EXPECT_TRUE(platform.messages.empty());

    std::vector<int> twice{0, 1, 1};
    lfit(x, y, s, 4, a, 2, twice, 2, cov, chi2, line, platform);
    ASSERT_EQ(platform.messages.size(), 2u);
    EXPECT_EQ(platform.messages[0].text, "Bad lista permutation in lfit-1");
    EXPECT_EQ(platform.messages[0].caption, "ZEBstat in UTILS lfit()");
    EXPECT_EQ(platform.messages[1].text, "Bad lista permutation in lfit-2");
}

} // namespace
} // namespace zeb
