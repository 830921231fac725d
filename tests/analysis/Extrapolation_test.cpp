// The fits of the double extrapolation at the edges: too few points, orders
// "no", deactivated points, refused values, singular fits.
#include "analysis/PointTransform.h"
#include "analysis/ResultsReport.h"
#include "analysis/StaticExtrapolation.h"
#include "texts/AnalysisTexts.h"
#include "evaluation/Evaluation.h"
#include "platform/ScriptedPlatform.h"
#include "support/SyntheticSets.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zeb {
namespace {

// A loaded model set, and its evaluation with some points switched off.
struct Fits {
    test::ModelSet loaded;
    std::vector<PointIndex> off;
    Fits(int nc, int na, double noise = 0.01) : loaded(nc, na, Noisy(noise)) {}
    static test::ModelParams Noisy(double noise) {
        test::ModelParams m;
        m.noise = noise;
        return m;
    }
    void deactivate(int c, int a) { off.push_back({c, a}); }
    Evaluation evaluate(FitOrder q, FitOrder c, PlotType type = PlotType::Zimm) const {
        EvaluationOptions o;
        o.plotType = type;
        o.qOrder = q;
        o.cOrder = c;
        o.switchedOff = off;
        return Evaluation(loaded.set, o);
    }
};

std::vector<std::string> Texts(const std::vector<Message>& messages) {
    std::vector<std::string> texts;
    for (const Message& m : messages) texts.push_back(m.text);
    return texts;
}

TEST(Extrapolation, TwoActiveAnglesAreEnoughForAStraightLineOneIsNot) {
    Fits x(2, 4);
    for (int a = 3; a <= 4; ++a) x.deactivate(1, a);
    for (int a = 2; a <= 4; ++a) x.deactivate(2, a);
    const Evaluation e = x.evaluate(FitOrder::One, FitOrder::None);
    EXPECT_EQ(e.set.cell(1, 0)->hasData, 1);
    EXPECT_EQ(e.fits.concErrors[1].errors[1], 0.0);  // exact fit, weighting off
    EXPECT_EQ(e.fits.concErrors[1].errors[2], 0.0);
    EXPECT_EQ(e.fits.concCurveEnd[1], 2);  // the curve ends at the largest active q²
    EXPECT_EQ(e.set.cell(2, 0)->hasData, 0);  // one point: refused, without a message
    EXPECT_TRUE(e.messages.empty());
    // The curve of concentration 1 starts at q = 0 offset by k c.
    EXPECT_EQ(e.set.cell(1, 0)->x(), *e.options.kInternal * e.set.concentration[1]);
}

TEST(Extrapolation, BothOrdersNoGiveNothingAndNoMessage) {
    const Evaluation e = Fits(3, 5).evaluate(FitOrder::None, FitOrder::None);
    for (int c = 1; c <= 3; ++c) EXPECT_EQ(e.set.cell(c, 0)->hasData, 0);
    for (int a = 1; a <= 5; ++a) EXPECT_EQ(e.set.cell(0, a)->hasData, 0);
    EXPECT_EQ(e.fits.lineC0.hasData, 0);
    EXPECT_EQ(e.fits.lineQ0.hasData, 0);
    for (const auto& line : e.results.lines) EXPECT_EQ(line, "");
    for (const auto& field : e.results.fieldTexts) EXPECT_EQ(field, " ");
    EXPECT_FALSE(e.results.anyRow);
    EXPECT_TRUE(e.messages.empty());
}

TEST(Extrapolation, SingleActiveConcentrationCannotBeExtrapolatedOverC) {
    Fits x(2, 4);
    for (int a = 1; a <= 4; ++a) x.deactivate(2, a);
    EXPECT_TRUE(x.evaluate(FitOrder::None, FitOrder::One).messages.empty());  // q order "no": no message
    const Evaluation e = x.evaluate(FitOrder::One, FitOrder::One);
    for (int a = 1; a <= 4; ++a) EXPECT_EQ(e.set.cell(0, a)->hasData, 0);
    EXPECT_EQ(e.fits.lineQ0.hasData, 0);
    EXPECT_EQ(e.fits.lineC0.hasData, 0);
    EXPECT_EQ(Texts(e.messages), std::vector<std::string>{tx::ExtrapolationNotPossible});
    EXPECT_TRUE(e.results.anyRow);  // concentration 1 still has its row
    EXPECT_EQ(e.results.lines[0], "");
}

TEST(Extrapolation, DeactivatingTheOnlyPointOfAnAngleRemovesItFromTheCZeroLine) {
    Fits y(3, 5);
    const Evaluation all = y.evaluate(FitOrder::One, FitOrder::One);
    EXPECT_EQ(all.fits.pointsC0, 5);
    EXPECT_EQ(all.fits.concCurveEnd[0], 5);
    // Angle 5 keeps one point, angle 4 none: neither has an angle fit any more.
    for (int c = 1; c <= 2; ++c) y.deactivate(c, 5);
    for (int c = 1; c <= 3; ++c) y.deactivate(c, 4);
    const Evaluation e = y.evaluate(FitOrder::One, FitOrder::One);
    EXPECT_EQ(e.set.cell(0, 5)->hasData, 0);
    EXPECT_EQ(e.set.cell(0, 4)->hasData, 0);
    EXPECT_EQ(e.fits.angleCurveEnd[4], 0);
    EXPECT_EQ(e.fits.angleCurveEnd[3], 3);
    EXPECT_EQ(e.fits.pointsC0, 3);
    EXPECT_EQ(e.fits.concCurveEnd[0], 3);
}

TEST(Extrapolation, BerryAndGuinierRefuseKcrTheyCannotTransform) {
    Fits x(2, 4);
    x.loaded.set.cell(1, 2)->kcr = 0.0;
    x.loaded.set.cell(2, 3)->kcr = -1e-6;
    const Evaluation guinier = x.evaluate(FitOrder::One, FitOrder::None, PlotType::Guinier);
    ASSERT_EQ(guinier.messages.size(), 2u);  // one per point
    for (const auto& m : guinier.messages) {
        EXPECT_EQ(m.text, "Kc/R <= 0");
        EXPECT_EQ(m.caption, "ZEBstat Error");
        EXPECT_EQ(m.icon, MsgIcon::Exclamation);
    }
    EXPECT_EQ(guinier.set.cell(1, 2)->hasData, 2);
    EXPECT_EQ(guinier.set.cell(1, 0)->hasData, 1);  // fitted from its three other points
    const Evaluation berry = x.evaluate(FitOrder::One, FitOrder::None, PlotType::Berry);
    EXPECT_EQ(Texts(berry.messages), std::vector<std::string>{"Kc/R < 0"});  // zero is fine under the root
    EXPECT_EQ(berry.set.cell(1, 2)->hasData, 1);
    EXPECT_EQ(berry.set.cell(2, 3)->hasData, 2);
}

TEST(Extrapolation, ErrorBarEndsOfTheTransforms) {
    ScriptedPlatform platform;
    DataPoint p;
    p.presence = kHasKcr;
    p.hasData = 1;
    p.kcr = 4.0;
    p.kcrError = 5.0;  // larger than the value: the lower end mirrors the upper one
    TransformPoint(p, 2, platform);
    EXPECT_DOUBLE_EQ(p.y(), 2.0);
    EXPECT_DOUBLE_EQ(p.yHi(), 3.0);
    EXPECT_DOUBLE_EQ(p.yLo(), 1.0);
    TransformPoint(p, 3, platform);
    EXPECT_DOUBLE_EQ(p.y(), std::log(4.0));
    EXPECT_DOUBLE_EQ(p.yLo(), 2 * std::log(4.0) - std::log(9.0));
    TransformPoint(p, 4, platform);  // no Dapp I
    EXPECT_EQ(p.hasData, 2);

    DataPoint r;
    SetExtrapolated(r, 2, -0.5, 0.1);  // a negative Berry intercept
    EXPECT_DOUBLE_EQ(r.kcr, 0.25);
    EXPECT_DOUBLE_EQ(r.kcrError, 0.16 - 0.25);
    EXPECT_DOUBLE_EQ(r.yHi(), -std::sqrt(0.25 - 0.09));
    EXPECT_DOUBLE_EQ(r.yLo(), -std::sqrt(0.25 + 0.09));
    SetExtrapolated(r, 3, -2.0, 50.0);  // Guinier: the lower end cannot be taken as a logarithm
    EXPECT_DOUBLE_EQ(r.yLo(), -2.0);
    EXPECT_DOUBLE_EQ(r.yHi(), 48.0);
    SetExtrapolated(r, 5, 7.0, 0.5);
    EXPECT_EQ(r.dappII, 7.0);
    EXPECT_EQ(r.dappIIError, 0.5);
    EXPECT_EQ(r.kcr, std::exp(-2.0));  // the other types keep their values
}

TEST(Extrapolation, SingularFitLeavesItsRecordUnfittedAndNothingPrintsNan) {
    Fits x(3, 4);
    // Two files with the same concentration: with the third deactivated, every
    // angle has two points at one c.
    x.loaded.set.setConcentration(2, x.loaded.set.concentration[1]);
    for (int a = 1; a <= 4; ++a) x.deactivate(3, a);
    const Evaluation e = x.evaluate(FitOrder::One, FitOrder::One);
    int singular = 0;
    for (const auto& m : e.messages)
        if (m.text == tx::GaussjSingular1 || m.text == tx::GaussjSingular2) ++singular;
    EXPECT_EQ(singular, 5);  // four angles and the q -> 0 line
    for (int a = 1; a <= 4; ++a) EXPECT_EQ(e.set.cell(0, a)->hasData, 0);
    EXPECT_EQ(e.fits.lineQ0.hasData, 0);
    ASSERT_FALSE(e.messages.empty());
    EXPECT_EQ(e.messages.back().text, tx::ExtrapolationNotPossible);
    for (const std::string& t : {e.results.text, e.results.lines[0], e.results.lines[3]}) {
        EXPECT_EQ(t.find("nan"), std::string::npos) << t;
        EXPECT_EQ(t.find("inf"), std::string::npos) << t;
    }
}

TEST(Extrapolation, ValuesThatCannotBeComputedShowDashes) {
    // A fit with a zero intercept has no Mw: its row prints "---", its line no number.
    ScriptedPlatform platform;
    MeasurementSet set(platform);
    test::FillModelSet(set, 1, 3, test::ModelParams{});
    ExtrapolationResult fits;
    set.cell(1, 0)->hasData = 1;
    set.cell(1, 0)->active = 1;
    set.calcTableA[1] = {0.0, 0.0, 1e-17};
    fits.lineC0.hasData = 1;
    set.calcTableA[0] = {0.0, 0.0, 1e-17};
    EvaluationResults r;
    ComputeStaticValues(set, fits, 1, r);
    BuildResultsText(set, fits, {1, 1, 0, false}, r);
    EXPECT_FALSE(r.conc[1].mwApp.has_value());
    EXPECT_EQ(set.appMw[1], -1.0);
    EXPECT_NE(r.text.find("sample1.sta   \t    1.0000\t        ---\t        ---\t        ---\r\n"),
              std::string::npos)
        << r.text;
    EXPECT_EQ(r.lines[1], "Mw(q²): ---");
    EXPECT_EQ(r.fieldTexts[1], "---");
    EXPECT_EQ(r.lines[2], "Rg: ---");
    EXPECT_EQ(r.text.find("inf"), std::string::npos);
    EXPECT_EQ(r.text.find("nan"), std::string::npos);
}

} // namespace
} // namespace zeb
