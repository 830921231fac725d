#include "evaluation/UncertaintyReport.h"

#include "evaluation/Evaluation.h"
#include "evaluation/Intervals.h"

namespace zeb {

UncertaintyReport ReportUncertainty(const Evaluation& e, const UncertaintyOptions& o,
                                    const BootstrapProgress& progress) {
    UncertaintyReport r;
    r.level = o.level;
    r.propagated = PropagatedIntervals(e, o.level);
    if (o.withBootstrap && o.bootstrap.resamples > 0) {
        BootstrapOptions b = o.bootstrap;
        b.level = o.level;
        r.bootstrap = BootstrapIntervals(e, b, progress);
        r.bootstrapSeed = b.seed;
    }
    OrderAdviceOptions advice;
    advice.level = o.level;
    r.advice = AdviseOrders(e, advice);
    if (o.withFormFactorFits) {
        FormFactorFitOptions f = o.formFactorFits;
        f.level = o.level;
        r.formFactorFits = FitFormFactors(e, f);
    }
    return r;
}

} // namespace zeb
