// Do the 95 % intervals cover the truth 95 % of the time? Sets generated from
// the exact Zimm model (Mw 1.2e6 g/mol, Rg 45 nm, A2 4e-4 mol cm³/g², 4
// concentrations x 13 angles) with 0.5 % Gaussian noise on Kc/R, evaluated
// with q² and c order 1, each method over the same 400 replicates.
#include "evaluation/Bootstrap.h"
#include "evaluation/Evaluation.h"
#include "evaluation/Intervals.h"
#include "support/SyntheticSets.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>

namespace zeb {
namespace {

constexpr int kReplicates = 400;
// Enough resamples for the 2.5 % and 97.5 % percentiles of every replicate;
// the coverage over replicates does not need the 2,000 of a single evaluation.
constexpr int kResamples = 500;

TEST(Coverage, IntervalsOfTheLinearModelCoverTheTruth) {
    const test::ModelParams m = test::NoisyPolymer();
    const ResultKind kinds[] = {ResultKind::MwC, ResultKind::MwQ2, ResultKind::Rg, ResultKind::A2};
    const double truth[] = {m.mwGPerMol, m.mwGPerMol, m.rgNm, m.a2};
    const char* methods[] = {"propagation", "percentile", "BCa"};
    std::array<std::array<int, 4>, 3> covered{};
    EvaluationOptions options;
    options.qOrder = options.cOrder = FitOrder::One;
    for (int replicate = 1; replicate <= kReplicates; ++replicate) {
        const test::ModelSet loaded(4, 13, test::NoisyPolymer(0, static_cast<std::uint64_t>(replicate)));
        const Evaluation e(loaded.set, options);
        const BootstrapOutcome boot = BootstrapIntervals(e, {.seed = 1000u + replicate, .resamples = kResamples});
        const ResultIntervals* byMethod[] = {nullptr, &boot.percentile, &boot.bca};
        const ResultIntervals propagated = PropagatedIntervals(e);
        byMethod[0] = &propagated;
        for (int method = 0; method < 3; ++method)
            for (int k = 0; k < 4; ++k) {
                const ResultInterval* r = byMethod[method]->find(kinds[k]);
                ASSERT_TRUE(r && r->determined()) << methods[method] << " " << ResultName(kinds[k]) << " " << r->why.text;
                ASSERT_TRUE(r->interval->contains(*r->estimate));
                if (r->interval->contains(truth[k])) ++covered[method][k];
            }
    }
    for (int method = 0; method < 3; ++method) {
        std::printf("coverage %-12s", methods[method]);
        for (int k = 0; k < 4; ++k) {
            const double percent = 100.0 * covered[method][k] / kReplicates;
            std::printf("  %s %.1f %%", ResultName(kinds[k]), percent);
            EXPECT_GE(percent, 92.0) << methods[method] << " " << ResultName(kinds[k]);
            EXPECT_LE(percent, 98.0) << methods[method] << " " << ResultName(kinds[k]);
        }
        std::printf("\n");
    }
}

} // namespace
} // namespace zeb
