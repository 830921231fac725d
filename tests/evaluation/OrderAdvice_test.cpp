// Order advice and the residuals behind it: advice where the points show
// curvature, silence where the chosen order suits them.
#include "evaluation/OrderAdvice.h"

#include "analysis/PointTransform.h"
#include "evaluation/Evaluation.h"
#include "evaluation/FitResiduals.h"
#include "support/EvaluationFixtures.h"
#include "support/SyntheticSets.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zeb {
namespace {

constexpr double kConcStep = 0.25e-3;  // 0.25 .. 1 g/dm³

Evaluation Evaluate(const test::ModelSet& loaded) {
    return Evaluation(loaded.set, test::Orders(FitOrder::One, FitOrder::One));
}

test::ModelParams Polymer(int formFactor, std::uint64_t seed, double noise) {
    test::ModelParams m = test::NoisyPolymer(formFactor, seed);
    m.gaussianNoise = noise;
    return m;
}

// A monodisperse coil of Rg 45 nm measured to q² Rg² = 1.3: order 1 makes Rg
// about 5 % too large. At 0.1 % noise the points show it every time.
TEST(OrderAdvice, FiresForACoilFittedWithOrderOne) {
    for (std::uint64_t seed = 1; seed <= 20; ++seed) {
        const test::ModelSet loaded(4, 13, Polymer(kModelCoilMono, seed, 0.001), kConcStep);
        const OrderAdvice advice = AdviseOrders(Evaluate(loaded));
        const OrderAdviceItem* rg = nullptr;
        for (const OrderAdviceItem& item : advice.items)
            if (item.result == ResultKind::Rg) rg = &item;
        ASSERT_TRUE(rg) << "seed " << seed;
        EXPECT_EQ(rg->direction, FitDirection::OverQ2);
        EXPECT_EQ(rg->suggested, FitOrder::Two);
        EXPECT_LT(rg->changePercent, -3.0);
        EXPECT_TRUE(rg->suggestedInterval.contains(45.0)) << rg->text;
        EXPECT_FALSE(rg->chosenInterval.contains(45.0)) << rg->text;
        EXPECT_EQ(rg->text.rfind("the q² fit of order 1 leaves curvature: order 2 gives Rg = ", 0), 0u) << rg->text;
        EXPECT_NE(rg->text.find("% lower"), std::string::npos) << rg->text;
    }
}

// The exact Zimm model at 0.5 % noise: order 1 is right, in both directions.
TEST(OrderAdvice, SilentWhereTheOrderSuitsThePoints) {
    int advised = 0;
    for (std::uint64_t seed = 1; seed <= 100; ++seed) {
        const test::ModelSet loaded(4, 13, Polymer(0, seed, 0.005), kConcStep);
        const OrderAdvice advice = AdviseOrders(Evaluate(loaded));
        ASSERT_EQ(advice.tests.size(), 2u);  // order 2 over q² and over c
        for (const OrderTest& t : advice.tests) EXPECT_TRUE(t.determined);
        advised += !advice.items.empty();
    }
    EXPECT_LE(advised, 3);  // the significance is 1 % per direction
    const test::ModelSet loaded(4, 13, Polymer(0, 1, 0.005), kConcStep);
    EXPECT_TRUE(AdviseOrders(Evaluation(loaded.set, test::Orders(FitOrder::One, FitOrder::None))).tests.empty());
}

TEST(OrderAdvice, ValuesAreWrittenToTheirUncertainty) {
    struct Row {
        double value, halfWidth;
        const char* unit;
        const char* text;
    };
    for (const Row& r : {Row{45.27, 0.7, "nm", "45.3 nm ± 0.7 nm"}, Row{44.98, 4.87, "nm", "45 nm ± 5 nm"},
                         Row{1.19362e6, 2.5e4, "g/mol", "1.194e6 g/mol ± 2.5e4 g/mol"},
                         Row{3.953e-7, 4e-9, "mol dm³/g²", "3.95e-7 mol dm³/g² ± 4e-9 mol dm³/g²"},
                         Row{NAN, 1.0, "nm", "---"}})
        EXPECT_EQ(ValueWithUncertaintyText(r.value, r.halfWidth, r.unit), r.text);
}

// The residuals are the evaluation's own: measured value minus the fitted
// polynomial of its concentration; for a coil fitted with a straight line they
// bend upwards at both ends.
TEST(FitResiduals, AreThoseOfTheEvaluationsFits) {
    const test::ModelSet loaded(4, 13, Polymer(kModelCoilMono, 1, 0.0), kConcStep);
    EvaluationOptions o = test::Orders(FitOrder::One, FitOrder::One);
    o.switchedOff = {{2, 5}};
    const Evaluation e(loaded.set, o);
    const FitResiduals r = ResidualsOf(e);
    ASSERT_EQ(r.overQ2.size(), 4u);
    ASSERT_EQ(r.overC.size(), 13u);
    for (const ResidualSeries& s : r.overQ2) {
        ASSERT_EQ(s.points.size(), s.index == 2 ? 12u : 13u);
        for (const ResidualPoint& p : s.points) {
            const double fitted = EvaluateRow(e.set.calcTableA[static_cast<std::size_t>(s.index)], 1, p.q2PerCm2);
            EXPECT_NEAR(p.fitted, fitted, 1e-10 * fitted);
            EXPECT_NEAR(p.residual, e.set.cell(p.concentration, p.angle)->y() - fitted, 1e-10 * fitted);
        }
        EXPECT_GT(s.points.front().residual, 0.0);
        EXPECT_LT(s.points[6].residual, 0.0);
        EXPECT_GT(s.points.back().residual, 0.0);
    }
    for (const ResidualSeries& s : r.overC) {
        EXPECT_EQ(s.points.size(), s.index == 5 ? 3u : 4u);
        for (const ResidualPoint& p : s.points) EXPECT_NEAR(p.residual, 0.0, 1e-9 * p.fitted);  // exactly linear in c
    }
}

} // namespace
} // namespace zeb
