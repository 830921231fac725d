// The linear map of the double extrapolation against the evaluation itself:
// the same line values, and J as the evaluation's response to a change of
// the measured values.
#include "evaluation/LinearizedExtrapolation.h"

#include "evaluation/Evaluation.h"
#include "support/SyntheticSets.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zeb {
namespace {

struct Case {
    PlotType type;
    FitOrder q, c;
    Smoothing smoothing;
    Weighting weighting;
};

const Case kCases[] = {
    {PlotType::Zimm, FitOrder::One, FitOrder::One, Smoothing::Off, Weighting::Off},
    {PlotType::Zimm, FitOrder::Two, FitOrder::One, Smoothing::On, Weighting::Off},
    {PlotType::Zimm, FitOrder::Three, FitOrder::Two, Smoothing::On, Weighting::On},
    {PlotType::Berry, FitOrder::Two, FitOrder::One, Smoothing::Off, Weighting::On},
    {PlotType::Guinier, FitOrder::One, FitOrder::Two, Smoothing::Off, Weighting::Off},
    {PlotType::DII, FitOrder::Two, FitOrder::One, Smoothing::On, Weighting::On},
};

EvaluationOptions optionsOf(const Case& k) {
    EvaluationOptions o;
    o.plotType = k.type;
    o.qOrder = k.q;
    o.cOrder = k.c;
    o.smoothing = k.smoothing;
    o.weighting = k.weighting;
    o.switchedOff = {{2, 3}, {4, 7}};
    return o;
}

void expectClose(const LineVector& a, const LineVector& b, double tolerance, const std::string& what) {
    for (int q = 0; q < kLineQuantities; ++q)
        EXPECT_NEAR(a[q], b[q], tolerance * std::fabs(b[q])) << what << " quantity " << q;
}

TEST(LinearizedExtrapolation, GivesTheEvaluationsLineValues) {
    MessageLog log;
    MeasurementSet set(log);
    test::ModelParams m;
    m.noise = 0.02;
    test::FillModelSet(set, 5, 9, m);
    for (const Case& k : kCases) {
        const Evaluation e(set, optionsOf(k));
        const LinearizedExtrapolation lin(e.set, LinearizationOf(e.options));
        ASSERT_TRUE(lin.lineC0 && lin.lineQ0);
        expectClose(lin.quantities, LineQuantitiesOf(e), 1e-9, "plot type " + std::to_string(PlotTypeNumber(k.type)));
    }
}

// The evaluation of the set with one value changed moves the line values by
// J times the change (exactly: every step is linear in the plotted values).
TEST(LinearizedExtrapolation, JacobianIsTheEvaluationsResponse) {
    MessageLog log;
    MeasurementSet set(log);
    test::ModelParams m;
    m.noise = 0.02;
    test::FillModelSet(set, 5, 9, m);
    for (const Case& k : kCases) {
        if (k.type != PlotType::Zimm) continue;  // Zimm: the plotted value is Kc/R itself
        const Evaluation e(set, optionsOf(k));
        const LinearizedExtrapolation lin(e.set, LinearizationOf(e.options));
        for (const LinearPoint& p : lin.points) {
            if ((p.concentration + p.angle) % 4 != 0) continue;
            MessageLog changedLog;
            MeasurementSet changed(set, changedLog);
            const double delta = 0.03 * p.y;
            changed.storeValue(kCodeKcr, p.concentration, p.angle, p.y + delta, 0, 0);
            const Evaluation moved(changed, optionsOf(k));
            LineVector expected = lin.quantities;
            for (int q = 0; q < kLineQuantities; ++q) expected[q] += p.jacobian[q] * delta;
            expectClose(LineQuantitiesOf(moved), expected, 1e-8,
                        "point " + std::to_string(p.concentration) + ":" + std::to_string(p.angle));
        }
    }
}

} // namespace
} // namespace zeb
