// Options of an evaluation in one call, for the tests of what is built on it.
#pragma once

#include "evaluation/Evaluation.h"

namespace zeb::test {

inline EvaluationOptions Orders(FitOrder q, FitOrder c, PlotType type = PlotType::Zimm) {
    EvaluationOptions o;
    o.plotType = type;
    o.qOrder = q;
    o.cOrder = c;
    return o;
}

} // namespace zeb::test
