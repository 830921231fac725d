// The fits of the double extrapolation at the edges: too few points, orders
// "no", deactivated points, refused values, singular fits.
#include "analysis/PointTransform.h"
#include "analysis/ResultsReport.h"
#include "analysis/StaticExtrapolation.h"
#include "texts/AnalysisTexts.h"
#include "platform/ScriptedPlatform.h"
#include "plotwindow/PlotWindow.h"
#include "support/SyntheticSets.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zeb {
namespace {

struct FitWindow {
    ScriptedPlatform platform;
    PlotWindow w{platform};
    FitWindow(int nc, int na, double noise = 0.01) {
        test::ModelParams m;
        m.noise = noise;
        test::FillModelSet(w.set(), nc, na, m);
        w.PostLoadSetup();
    }
    DataPoint& cell(int c, int a) { return *w.set().cell(c, a); }
    void deactivate(int c, int a) { cell(c, a).active = 0; }
};

TEST(Extrapolation, TwoActiveAnglesAreEnoughForAStraightLineOneIsNot) {
    FitWindow x(2, 4);
    for (int a = 3; a <= 4; ++a) x.deactivate(1, a);
    for (int a = 2; a <= 4; ++a) x.deactivate(2, a);
    x.w.setQOrder(FitOrder::One);
    EXPECT_EQ(x.cell(1, 0).hasData, 1);
    EXPECT_EQ(x.w.fits().concErrors[1].errors[1], 0.0);  // exact fit, weighting off
    EXPECT_EQ(x.w.fits().concErrors[1].errors[2], 0.0);
    EXPECT_EQ(x.w.fits().concCurveEnd[1], 2);  // the curve ends at the largest active q²
    EXPECT_EQ(x.cell(2, 0).hasData, 0);        // one point: refused, without a message
    EXPECT_TRUE(x.platform.messages.empty());
    // The curve of concentration 1 starts at q = 0 offset by k c.
    EXPECT_EQ(x.cell(1, 0).x(), x.w.k() * x.w.set().concentration[1]);
}

TEST(Extrapolation, BothOrdersNoGiveNothingAndNoMessage) {
    FitWindow x(3, 5);
    x.w.setQOrder(FitOrder::Two);
    x.w.setQOrder(FitOrder::None);
    for (int c = 1; c <= 3; ++c) EXPECT_EQ(x.cell(c, 0).hasData, 0);
    for (int a = 1; a <= 5; ++a) EXPECT_EQ(x.cell(0, a).hasData, 0);
    EXPECT_EQ(x.w.lineC0().hasData, 0);
    EXPECT_EQ(x.w.lineQ0().hasData, 0);
    for (const auto& line : x.w.resultLines()) EXPECT_EQ(line, "");
    for (PlotWidget edit : kResultFields) EXPECT_EQ(x.w.widget(edit).text, " ") << PlotWidgetName(edit);
    EXPECT_TRUE(x.platform.messages.empty());
    EXPECT_FALSE(x.w.menuItem(PlotMenuItem::Results).enabled);
}

TEST(Extrapolation, SingleActiveConcentrationCannotBeExtrapolatedOverC) {
    FitWindow x(2, 4);
    for (int a = 1; a <= 4; ++a) x.deactivate(2, a);
    x.w.setCOrder(FitOrder::One);
    EXPECT_TRUE(x.platform.messages.empty());  // q order "no": no message
    x.w.setQOrder(FitOrder::One);
    for (int a = 1; a <= 4; ++a) EXPECT_EQ(x.cell(0, a).hasData, 0);
    EXPECT_EQ(x.w.lineQ0().hasData, 0);
    EXPECT_EQ(x.w.lineC0().hasData, 0);
    ASSERT_EQ(x.platform.messages.size(), 1u);
    EXPECT_EQ(x.platform.lastMessage().text, tx::ExtrapolationNotPossible);
    EXPECT_TRUE(x.w.results().anyRow);  // concentration 1 still has its row
    EXPECT_EQ(x.w.resultLines()[0], "");
}

TEST(Extrapolation, DeactivatingTheOnlyPointOfAnAngleRemovesItFromTheCZeroLine) {
    FitWindow y(3, 5);
    y.w.setQOrder(FitOrder::One);
    y.w.setCOrder(FitOrder::One);
    EXPECT_EQ(y.w.fits().pointsC0, 5);
    EXPECT_EQ(y.w.fits().concCurveEnd[0], 5);
    // Angle 5 keeps one point, angle 4 none: neither has an angle fit any more.
    for (int c = 1; c <= 2; ++c) y.deactivate(c, 5);
    for (int c = 1; c <= 3; ++c) y.deactivate(c, 4);
    y.w.calculate();
    EXPECT_EQ(y.cell(0, 5).hasData, 0);
    EXPECT_EQ(y.cell(0, 4).hasData, 0);
    EXPECT_EQ(y.w.fits().angleCurveEnd[4], 0);
    EXPECT_EQ(y.w.fits().angleCurveEnd[3], 3);
    EXPECT_EQ(y.w.fits().pointsC0, 3);
    EXPECT_EQ(y.w.fits().concCurveEnd[0], 3);
    // A deactivated extrapolated point leaves the line as well.
    y.cell(0, 1).active = 0;
    y.w.calculate();
    EXPECT_EQ(y.w.fits().pointsC0, 2);
}

TEST(Extrapolation, BerryAndGuinierRefuseKcrTheyCannotTransform) {
    FitWindow x(2, 4);
    x.cell(1, 2).kcr = 0.0;
    x.cell(2, 3).kcr = -1e-6;
    x.w.setPlotType(PlotType::Guinier);
    ASSERT_EQ(x.platform.messages.size(), 2u);  // one per point
    for (const auto& m : x.platform.messages) {
        EXPECT_EQ(m.text, "Kc/R <= 0");
        EXPECT_EQ(m.caption, "ZEBstat Error");
        EXPECT_EQ(m.icon, MsgIcon::Exclamation);
    }
    EXPECT_EQ(x.cell(1, 2).hasData, 2);
    x.w.setQOrder(FitOrder::One);
    EXPECT_EQ(x.cell(1, 0).hasData, 1);  // fitted from its three other points
    x.platform.messages.clear();
    x.w.setPlotType(PlotType::Berry);
    ASSERT_EQ(x.platform.messages.size(), 1u);  // zero is fine under the root
    EXPECT_EQ(x.platform.lastMessage().text, "Kc/R < 0");
    EXPECT_EQ(x.cell(1, 2).hasData, 1);
    EXPECT_EQ(x.cell(2, 3).hasData, 2);
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
    FitWindow x(3, 4);
    // Two files with the same concentration: with the third deactivated, every
    // angle has two points at one c.
    x.w.set().setConcentration(2, x.w.set().concentration[1]);
    for (int a = 1; a <= 4; ++a) x.deactivate(3, a);
    x.w.PreparePoints(1);
    x.w.setQOrder(FitOrder::One);
    x.w.setCOrder(FitOrder::One);
    int singular = 0;
    for (const auto& m : x.platform.messages)
        if (m.text == tx::GaussjSingular1 || m.text == tx::GaussjSingular2) ++singular;
    EXPECT_EQ(singular, 5);  // four angles and the q -> 0 line
    for (int a = 1; a <= 4; ++a) EXPECT_EQ(x.cell(0, a).hasData, 0);
    EXPECT_EQ(x.w.lineQ0().hasData, 0);
    EXPECT_EQ(x.platform.lastMessage().text, tx::ExtrapolationNotPossible);
    for (const std::string& t : {x.w.resultsText(), x.w.resultLines()[0], x.w.resultLines()[3]}) {
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
    EXPECT_EQ(r.edits[1], "---");
    EXPECT_EQ(r.lines[2], "Rg: ---");
    EXPECT_EQ(r.text.find("inf"), std::string::npos);
    EXPECT_EQ(r.text.find("nan"), std::string::npos);
}

} // namespace
} // namespace zeb
