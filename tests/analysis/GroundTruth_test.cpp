// Sets built from exact models must give back the model's parameters at every
// fit order at least the model's, with and without smoothing, whatever k is.
#include "evaluation/Evaluation.h"
#include "support/SyntheticSets.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zeb {
namespace {

// The options of an evaluation; the loops below count orders and plot types as numbers.
EvaluationOptions Options(int type, int q, int c, Smoothing smoothing = Smoothing::Off) {
    EvaluationOptions o;
    o.plotType = PlotTypeFromNumber(type).value();
    o.qOrder = FitOrderFromNumber(q).value();
    o.cOrder = FitOrderFromNumber(c).value();
    o.smoothing = smoothing;
    return o;
}

#define EXPECT_REL(actual, expected, tol)                                                          \
    do {                                                                                           \
        ASSERT_TRUE((actual).has_value());                                                         \
        EXPECT_NEAR(*(actual) / (expected), 1.0, tol) << #actual << " = " << *(actual);            \
    } while (0)

TEST(GroundTruth, StaticModelsAtEveryOrderAndWithSmoothing) {
    for (int form = 1; form <= 3; ++form) {
        test::ModelParams m;
        m.staticForm = form;
        m.withDynamic = false;
        const test::ModelSet loaded(8, 12, m);
        for (Smoothing smoothing : {Smoothing::Off, Smoothing::On}) {
            for (int q = 1; q <= 5; ++q)
                for (int c = 1; c <= 5; ++c) {
                    SCOPED_TRACE("form " + std::to_string(form) + " q " + std::to_string(q) + " c " +
                                 std::to_string(c) + " smooth " + std::to_string(smoothing == Smoothing::On));
                    const Evaluation e(loaded.set, Options(form, q, c, smoothing));
                    EXPECT_TRUE(e.messages.empty()) << e.messages.front().text;
                    const EvaluationResults& r = e.results;
                    EXPECT_REL(r.mwC, m.mwGPerMol, 1e-6);
                    EXPECT_REL(r.mwQ2, m.mwGPerMol, 1e-6);
                    EXPECT_REL(r.rgNm, m.rgNm, 1e-6);
                    EXPECT_REL(r.a2, m.a2, 1e-6);
                    // Every concentration's apparent values follow the model at its c.
                    for (int i = 1; i <= 8; ++i) {
                        const auto& v = r.conc[static_cast<std::size_t>(i)];
                        ASSERT_TRUE(v.fitted);
                        const double cc = e.set.concentration[i];
                        const double kcr0 = test::ModelKcr(0.0, cc, m);
                        EXPECT_NEAR(*v.mwApp / (1.0 / kcr0), 1.0, 2e-3);  // rounded to 3 digits
                    }
                }
        }
    }
}

TEST(GroundTruth, DynamicModelAtEveryOrder) {
    test::ModelParams m;
    m.withStatic = false;
    const test::ModelSet loaded(7, 10, m);
    for (int type = 4; type <= 6; ++type) {
        const double scale = 1.0 + 0.1 * (type - 4);  // the three kinds differ by this factor
        for (int q = 1; q <= 5; ++q)
            for (int c = 1; c <= 5; ++c) {
                SCOPED_TRACE("type " + std::to_string(type) + " q " + std::to_string(q) + " c " + std::to_string(c));
                const Evaluation e(loaded.set, Options(type, q, c));
                EXPECT_TRUE(e.messages.empty());
                const EvaluationResults& r = e.results;
                EXPECT_REL(r.dzC, m.dzUm2PerS * scale, 1e-6);
                EXPECT_REL(r.dzQ2, m.dzUm2PerS * scale, 1e-6);
                EXPECT_REL(r.cs2Um2, m.cs2Um2, 1e-6);
                EXPECT_REL(r.kD, m.kDDm3PerG, 1e-6);
                // Stokes-Einstein at concentration 1 from its own Dapp(q = 0).
                const double d0 = test::ModelDapp(0.0, loaded.set.concentration[1], m) * scale;
                const double rh = 1.380622e-23 * m.temperatureK / (m.viscosityMPas * 1e-3 * 6 * M_PI * d0 * 1e-12) * 1e9;
                EXPECT_REL(r.conc[1].rhNm, rh, 1e-6);
            }
    }
}

TEST(GroundTruth, KNeverChangesAResult) {
    test::ModelParams m;
    m.noise = 0.02;  // a real-looking scatter, so that every digit of the fits is exercised
    const test::ModelSet loaded(6, 15, m);
    for (int type = 1; type <= 6; ++type) {
        const Evaluation automatic(loaded.set, Options(type, 2, 1));
        for (double typed : {0.5, -3.0, 250.0, 1e-9}) {
            EvaluationOptions o = Options(type, 2, 1);
            o.kInternal = KFromDisplayed(loaded.set, typed);
            ASSERT_TRUE(o.kInternal.has_value()) << typed;
            const Evaluation e(loaded.set, o);
            EXPECT_EQ(e.results.text, automatic.results.text) << "type " << type << " k " << typed;
            EXPECT_EQ(e.results.lines, automatic.results.lines);
        }
    }
}

TEST(GroundTruth, NoisyDataAgreeWithAnIndependentStraightLineFit) {
    // Order 1 in both directions without smoothing: each extrapolated value can be
    // recomputed here with the closed-form least-squares line.
    test::ModelParams m;
    m.noise = 0.03;
    m.withDynamic = false;
    const test::ModelSet loaded(5, 9, m);
    const Evaluation e(loaded.set, Options(1, 1, 1));
    const MeasurementSet& s = e.set;
    auto line = [](const std::vector<double>& x, const std::vector<double>& y) {
        double sx = 0, sy = 0, sxx = 0, sxy = 0;
        const double n = static_cast<double>(x.size());
        for (std::size_t i = 0; i < x.size(); ++i) {
            sx += x[i];
            sy += y[i];
            sxx += x[i] * x[i];
            sxy += x[i] * y[i];
        }
        const double slope = (n * sxy - sx * sy) / (n * sxx - sx * sx);
        return std::pair<double, double>{(sy - slope * sx) / n, slope};
    };
    std::vector<double> q2s, c0;
    for (int a = 1; a <= 9; ++a) {
        std::vector<double> cs, ys;
        for (int c = 1; c <= 5; ++c) {
            cs.push_back(s.concentration[c]);
            ys.push_back(s.cell(c, a)->kcr);
        }
        q2s.push_back(s.q2[a]);
        c0.push_back(line(cs, ys).first);
    }
    const auto [intercept, slope] = line(q2s, c0);
    EXPECT_REL(e.results.mwQ2, 1.0 / intercept, 1e-9);
    EXPECT_REL(e.results.rgNm, std::sqrt(3.0 * slope / intercept) * 1e7, 1e-9);
}

} // namespace
} // namespace zeb
