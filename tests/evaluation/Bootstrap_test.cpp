// The bootstrap: reproducible for a seed, in agreement with the propagation
// for every plot type, cancellable, and explicit about what it cannot give.
#include "evaluation/Bootstrap.h"

#include "evaluation/Evaluation.h"
#include "evaluation/Intervals.h"
#include "support/EvaluationFixtures.h"
#include "support/SyntheticSets.h"

#include <gtest/gtest.h>

namespace zeb {
namespace {

TEST(Bootstrap, SameSeedSameIntervals) {
    const test::ModelSet loaded(4, 13, test::NoisyPolymer());
    const Evaluation e(loaded.set, test::Orders(FitOrder::One, FitOrder::One));
    const BootstrapOutcome a = BootstrapIntervals(e, {.seed = 7, .resamples = 400});
    const BootstrapOutcome b = BootstrapIntervals(e, {.seed = 7, .resamples = 400});
    const BootstrapOutcome c = BootstrapIntervals(e, {.seed = 8, .resamples = 400});
    for (std::size_t i = 0; i < a.bca.results.size(); ++i) {
        ASSERT_TRUE(a.bca.results[i].determined() && c.bca.results[i].determined());
        EXPECT_EQ(a.bca.results[i].interval->low, b.bca.results[i].interval->low);
        EXPECT_EQ(a.bca.results[i].interval->high, b.bca.results[i].interval->high);
        EXPECT_NE(a.bca.results[i].interval->low, c.bca.results[i].interval->low);
    }
    EXPECT_EQ(a.completed, 400);
    EXPECT_EQ(a.pointsResampled, 52);
}

// Both methods measure the same scatter: interval widths within 25 % of each
// other, with smoothing, weighting, a switched-off point and the dynamic types
// (Rh per concentration too).
TEST(Bootstrap, AgreesWithThePropagation) {
    test::ModelParams m = test::NoisyPolymer();
    m.withDynamic = true;
    m.noiseSeed = 3;
    const test::ModelSet loaded(5, 15, m);
    for (PlotType type : {PlotType::Zimm, PlotType::Berry, PlotType::Guinier, PlotType::DI})
        for (Smoothing smoothing : {Smoothing::Off, Smoothing::On}) {
            EvaluationOptions o = test::Orders(FitOrder::Two, FitOrder::One, type);
            o.smoothing = smoothing;
            o.weighting = smoothing == Smoothing::On ? Weighting::On : Weighting::Off;
            o.switchedOff = {{3, 5}};
            const Evaluation e(loaded.set, o);
            const ResultIntervals propagated = PropagatedIntervals(e);
            const BootstrapOutcome boot = BootstrapIntervals(e, {.seed = 11, .resamples = 2000});
            auto compare = [&](const ResultInterval& p, const ResultInterval& b) {
                ASSERT_TRUE(p.determined() && b.determined()) << ResultName(p.result) << " " << b.why.text;
                EXPECT_EQ(p.estimate, b.estimate);
                EXPECT_NEAR(b.interval->halfWidth() / p.interval->halfWidth(), 1.0, 0.25)
                    << ResultName(p.result) << " plot type " << PlotTypeNumber(type);
            };
            for (std::size_t i = 0; i < propagated.results.size(); ++i)
                compare(propagated.results[i], boot.percentile.results[i]);
            ASSERT_EQ(propagated.rhPerConcentration.size(), boot.bca.rhPerConcentration.size());
            for (std::size_t i = 0; i < propagated.rhPerConcentration.size(); ++i)
                compare(propagated.rhPerConcentration[i].rh, boot.bca.rhPerConcentration[i].rh);
        }
}

TEST(Bootstrap, ReportsProgressAndCanBeCancelled) {
    const test::ModelSet loaded(4, 13, test::NoisyPolymer());
    const Evaluation e(loaded.set, test::Orders(FitOrder::One, FitOrder::One));
    int calls = 0, last = 0;
    const BootstrapOutcome done = BootstrapIntervals(e, {.resamples = 1000}, [&](int n, int total) {
        EXPECT_EQ(total, 1000);
        EXPECT_GT(n, last);
        last = n;
        ++calls;
        return true;
    });
    EXPECT_EQ(last, 1000);
    EXPECT_EQ(calls, 100);
    EXPECT_FALSE(done.cancelled);
    const BootstrapOutcome stopped = BootstrapIntervals(e, {.resamples = 1000}, [](int n, int) { return n < 300; });
    EXPECT_TRUE(stopped.cancelled);
    EXPECT_EQ(stopped.completed, 300);
    for (const ResultInterval& r : stopped.percentile.results) {
        EXPECT_FALSE(r.determined());
        EXPECT_EQ(r.why.reason, NotDeterminedReason::Cancelled);
        EXPECT_TRUE(r.estimate);
    }
}

TEST(Bootstrap, NotDeterminedSaysWhy) {
    test::ModelParams m;
    m.noise = 0.01;
    struct Case {
        int angles, resamples;
        FitOrder c;
        NotDeterminedReason reason;
    };
    for (const Case& k : {Case{2, 500, FitOrder::One, NotDeterminedReason::NoScatterEstimate},
                          Case{9, 30, FitOrder::One, NotDeterminedReason::TooFewResamples},
                          Case{9, 500, FitOrder::None, NotDeterminedReason::NoEstimate}}) {
        const test::ModelSet loaded(4, k.angles, m);
        const Evaluation e(loaded.set, test::Orders(FitOrder::One, k.c));
        const BootstrapOutcome out = BootstrapIntervals(e, {.resamples = k.resamples});
        for (const ResultIntervals* method : {&out.percentile, &out.bca})
            for (const ResultInterval& r : method->results) {
                EXPECT_FALSE(r.determined()) << ResultName(r.result);
                EXPECT_EQ(r.why.reason, k.reason) << ResultName(r.result) << " " << k.angles;
            }
    }
}

} // namespace
} // namespace zeb
