// Propagated intervals: the formulas of the results, what the scatter is
// scaled by, and the reasons when an interval cannot be given.
#include "evaluation/Intervals.h"

#include "evaluation/Evaluation.h"
#include "support/EvaluationFixtures.h"
#include "support/SyntheticSets.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zeb {
namespace {

// Every result of every plot type follows from the line values as the
// evaluation computes it, and its interval holds it.
TEST(Intervals, FormulasGiveTheEvaluationsResults) {
    test::ModelParams m;
    m.noise = 0.01;
    const test::ModelSet loaded(4, 9, m);
    for (PlotType type : {PlotType::Zimm, PlotType::Berry, PlotType::Guinier, PlotType::DI, PlotType::DIII}) {
        const Evaluation e(loaded.set, test::Orders(FitOrder::Two, FitOrder::One, type));
        const LineVector L = LineQuantitiesOf(e);
        const ResultIntervals intervals = PropagatedIntervals(e);
        ASSERT_EQ(intervals.results.size(), ResultsOf(type).size());
        for (const ResultInterval& r : intervals.results) {
            const ResultFormula f(r.result, type, StokesEinsteinOf(e.set, 0));
            const std::optional<double> shown = EstimateOf(e.results, r.result);
            ASSERT_TRUE(shown && f.Value(f.Pivot(L))) << ResultName(r.result);
            EXPECT_NEAR(*f.Value(f.Pivot(L)), *shown, 1e-12 * std::fabs(*shown)) << ResultName(r.result);
            ASSERT_TRUE(r.determined()) << ResultName(r.result) << ": " << r.why.text;
            EXPECT_TRUE(r.interval->contains(*shown)) << ResultName(r.result);
        }
        EXPECT_EQ(intervals.rhPerConcentration.size(), IsDynamicPlot(type) ? 4u : 0u);
    }
}

TEST(Intervals, ResultsAreCarriedOverFromTheirPivots) {
    const ResultFormula mw(ResultKind::MwC, PlotType::Zimm), rg(ResultKind::Rg, PlotType::Zimm),
        a2(ResultKind::A2, PlotType::Zimm);
    const std::optional<Interval> m = mw.IntervalOf(8e-7, 1e-6);  // Kc/R at 0 -> Mw, reversed
    ASSERT_TRUE(m);
    EXPECT_DOUBLE_EQ(m->low, 1e6);
    EXPECT_DOUBLE_EQ(m->high, 1.25e6);
    EXPECT_FALSE(mw.IntervalOf(-1e-7, 1e-6));  // reaches Kc/R = 0: no upper bound
    const std::optional<Interval> r = rg.IntervalOf(-1e-12, 4e-10);  // <S²> in cm²
    ASSERT_TRUE(r);
    EXPECT_EQ(r->low, 0.0);
    EXPECT_NEAR(r->high, 200.0, 1e-9);
    EXPECT_FALSE(rg.IntervalOf(-2e-12, -1e-12));
    EXPECT_DOUBLE_EQ(a2.IntervalOf(-1e-7, 3e-7)->low, -1e-7);
}

// With weighting the error bars give the weights and the residuals the scale:
// bars three times as large change nothing.
TEST(Intervals, WeightedScatterIsScaledByTheResiduals) {
    test::ModelSet loaded(4, 13, test::NoisyPolymer());
    EvaluationOptions o = test::Orders(FitOrder::One, FitOrder::One);
    o.weighting = Weighting::On;
    const ResultIntervals before = PropagatedIntervals(Evaluation(loaded.set, o));
    for (int c = 1; c <= 4; ++c)
        for (int a = 1; a <= 13; ++a)
            loaded.set.storeValue(kCodeKcrError, c, a, 3.0 * loaded.set.cell(c, a)->kcrError, 0, 0);
    const ResultIntervals after = PropagatedIntervals(Evaluation(loaded.set, o));
    for (std::size_t i = 0; i < before.results.size(); ++i) {
        ASSERT_TRUE(before.results[i].determined() && after.results[i].determined());
        EXPECT_NEAR(after.results[i].interval->low, before.results[i].interval->low,
                    1e-9 * std::fabs(before.results[i].interval->low));
    }
}

TEST(Intervals, NotDeterminedSaysWhy) {
    struct Case {
        int angles;
        FitOrder q, c;
        NotDeterminedReason rg;
    };
    for (const Case& k : {Case{2, FitOrder::One, FitOrder::One, NotDeterminedReason::NoScatterEstimate},
                          Case{9, FitOrder::One, FitOrder::None, NotDeterminedReason::NoEstimate},
                          Case{5, FitOrder::Five, FitOrder::One, NotDeterminedReason::NoEstimate}}) {
        test::ModelParams m;
        m.noise = 0.01;
        const test::ModelSet loaded(4, k.angles, m);
        const ResultIntervals r = PropagatedIntervals(Evaluation(loaded.set, test::Orders(k.q, k.c)));
        const ResultInterval* rg = r.find(ResultKind::Rg);
        ASSERT_TRUE(rg);
        EXPECT_FALSE(rg->determined());
        EXPECT_EQ(rg->why.reason, k.rg) << k.angles;
        EXPECT_FALSE(rg->why.text.empty());
    }
    // A radius of gyration from a negative <S²>: Kc/R falling with q².
    test::ModelParams falling;
    falling.rgNm = 0.0;
    falling.noise = 0.02;
    const test::ModelSet loaded(4, 9, falling);
    const Evaluation e(loaded.set, test::Orders(FitOrder::One, FitOrder::One));
    ASSERT_TRUE(e.results.s2Cm2 && *e.results.s2Cm2 < 0.0);
    EXPECT_EQ(PropagatedIntervals(e).find(ResultKind::Rg)->why.reason, NotDeterminedReason::NegativeS2);
}

} // namespace
} // namespace zeb
