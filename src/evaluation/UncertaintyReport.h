// Everything the programs tell of the uncertainty of an evaluation, computed
// in one go: the intervals by propagation and by bootstrap, the order advice
// and (when asked) the form-factor fits. The batch tool writes it with --json
// and --ci, the Python module returns it, the results window shows it.
#pragma once

#include "evaluation/Bootstrap.h"
#include "evaluation/FormFactorFit.h"
#include "evaluation/OrderAdvice.h"
#include "evaluation/Uncertainty.h"

#include <cstdint>
#include <optional>

namespace zeb {

class Evaluation;

struct UncertaintyOptions {
    double level = 0.95;
    BootstrapOptions bootstrap;     // its level follows `level`
    bool withBootstrap = true;      // false: the propagated intervals only (resamples 0)
    bool withFormFactorFits = false;
    FormFactorFitOptions formFactorFits;
};

struct UncertaintyReport {
    double level = 0.95;
    ResultIntervals propagated;
    std::optional<BootstrapOutcome> bootstrap;  // none when not asked for
    std::uint64_t bootstrapSeed = 0;
    OrderAdvice advice;
    std::optional<FormFactorFits> formFactorFits;
};

// The bootstrap reports its progress and may be cancelled (then its
// intervals say "cancelled").
UncertaintyReport ReportUncertainty(const Evaluation& e, const UncertaintyOptions& options = {},
                                    const BootstrapProgress& progress = {});

} // namespace zeb
