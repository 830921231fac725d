// Confidence intervals of the results by a bootstrap over the measured points:
// residual resampling within each concentration. The residuals of a
// concentration's fit over q² (divided by the point's sigma and by
// sqrt(1 - leverage), then centred) are drawn with replacement, scaled by the
// sigma of the point they are put on, and added to the measured values; each
// resample is evaluated with the same fits (orders, smoothing, weighting,
// switched-off points) and gives every result once. A concentration whose fit
// has no degrees of freedom draws from the residuals of all concentrations; a
// point without a fit over q² (its concentration has too few points) keeps
// its value. The weights of the two extrapolated lines stay those of the
// evaluation.
//
// The double extrapolation is linear in the plotted values, so a resample is
// the evaluation's line values plus the map J (LinearizedExtrapolation) applied
// to the drawn residuals: exactly the full evaluation of the resampled points,
// without refitting anything.
//
// Intervals: percentile, and BCa (bias from the share of resamples below the
// estimate, acceleration from the empirical influence of each point's
// residual), both of the result's pivot (ResultFormulas.h) carried over to the
// result, in the units the results show. Both are expanded for the few
// residuals the scatter is known from (Hesterberg): the tails are taken at the
// normal probability of Student's t quantile for the degrees of freedom of
// that scatter (as the propagation counts them) instead of at (1 - level)/2. A resample whose result is not a
// finite number is counted and left out; when more than 1 % of them are, the
// interval is not determined. The same seed gives the same intervals.
#pragma once

#include "evaluation/Uncertainty.h"

#include <cstdint>
#include <functional>

namespace zeb {

class Evaluation;

struct BootstrapOptions {
    std::uint64_t seed = 1;
    int resamples = 2000;
    double level = 0.95;
};

// Called about a hundred times during a run with the resamples done and their
// total; returning false cancels the run.
using BootstrapProgress = std::function<bool(int done, int total)>;

struct BootstrapOutcome {
    ResultIntervals percentile;
    ResultIntervals bca;
    int requested = 0;
    int completed = 0;        // resamples drawn (fewer when cancelled)
    int pointsResampled = 0;  // points that received drawn residuals
    int pointsHeld = 0;       // points without a fit over q², kept at their values
    bool cancelled = false;
};

BootstrapOutcome BootstrapIntervals(const Evaluation& e, const BootstrapOptions& options = {},
                                    const BootstrapProgress& progress = {});

} // namespace zeb
