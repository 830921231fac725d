// The evaluation on its own: the same results as the plot window, on a copy of
// the loaded set, with its messages returned and its refusals named.
#include "evaluation/Evaluation.h"

#include "data/RoundSig.h"
#include "platform/ScriptedPlatform.h"
#include "plotwindow/PlotWindow.h"
#include "support/SyntheticSets.h"
#include "texts/AnalysisTexts.h"
#include "texts/CommonTexts.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace zeb {
namespace {

// A loaded set with a log that must stay empty: the evaluation never speaks
// through the set it reads.
struct Loaded {
    MessageLog log;
    MeasurementSet set{log};
    explicit Loaded(int nc = 4, int na = 8) {
        test::ModelParams m;
        m.noise = 0.01;
        test::FillModelSet(set, nc, na, m);
    }
};

// The plot window's results for the same choices, through its handlers.
std::string WindowResults(const Loaded& loaded, const EvaluationOptions& o) {
    ScriptedPlatform platform;
    PlotWindow w(platform);
    test::ModelParams m;
    m.noise = 0.01;
    test::FillModelSet(w.set(), loaded.set.lastConcIndex, loaded.set.lastAngleIndex, m);
    for (const PointIndex& p : o.switchedOff) w.set().cell(p.concentration, p.angle)->active = 0;
    w.PostLoadSetup();
    w.setWeighting(o.weighting);
    w.setRememberedSmoothing(o.smoothing);
    if (o.kInternal) {
        EXPECT_TRUE(w.RestoreK(*o.kInternal));
    }
    w.setPlotType(o.plotType);
    w.setQOrder(o.qOrder);
    w.setCOrder(o.cOrder);
    return w.resultsText();
}

TEST(Evaluation, GivesThePlotWindowsResultsForEveryPlotTypeAndOrder) {
    const Loaded loaded;
    for (PlotType type : {PlotType::Zimm, PlotType::Berry, PlotType::Guinier, PlotType::DI, PlotType::DII,
                          PlotType::DIII})
        for (FitOrder q : {FitOrder::None, FitOrder::One, FitOrder::Two})
            for (FitOrder c : {FitOrder::None, FitOrder::One, FitOrder::Two})
                for (Smoothing smooth : {Smoothing::Off, Smoothing::On}) {
                    EvaluationOptions o;
                    o.plotType = type;
                    o.qOrder = q;
                    o.cOrder = c;
                    o.smoothing = smooth;
                    o.weighting = q == FitOrder::Two ? Weighting::On : Weighting::Off;
                    const Evaluation e(loaded.set, o);
                    ASSERT_TRUE(e.completed);
                    ASSERT_NE(e.results.text.find("\t"), std::string::npos);
                    EXPECT_EQ(e.results.text, WindowResults(loaded, o))
                        << PlotTypeNumber(type) << " q" << OrderNumber(q) << " c" << OrderNumber(c)
                        << (smooth == Smoothing::On ? " smoothed" : "");
                    EXPECT_EQ(e.options.smoothingInEffect(), q == FitOrder::None ? Smoothing::Off : smooth);
                }
}

TEST(Evaluation, TypedResultsOfAZimmPlotFindTheModel) {
    const Loaded loaded;
    EvaluationOptions o;
    o.qOrder = o.cOrder = FitOrder::One;
    const Evaluation e(loaded.set, o);
    ASSERT_TRUE(e.results.mwC && e.results.mwQ2 && e.results.rgNm && e.results.a2);
    EXPECT_NEAR(*e.results.mwC / 5.0e5, 1.0, 0.05);
    EXPECT_NEAR(*e.results.mwQ2 / 5.0e5, 1.0, 0.05);
    EXPECT_NEAR(*e.results.rgNm / 40.0, 1.0, 0.1);
    EXPECT_EQ(e.fits.lineC0.hasData, 1);
    EXPECT_EQ(e.fits.lineQ0.hasData, 1);
    ASSERT_EQ(e.results.conc.size(), 5u);
    for (int c = 1; c <= 4; ++c) EXPECT_TRUE(e.results.conc[static_cast<std::size_t>(c)].mwApp) << c;
    EXPECT_EQ(e.options.kInternal, AutomaticK(loaded.set));
    EXPECT_TRUE(e.messages.empty());

    // The fits as values: a straight line over q² per concentration (index 0:
    // the line to c = 0) and over c per angle (index 0: the line to q = 0).
    ASSERT_EQ(e.lines.overQ2.size(), 5u);
    ASSERT_EQ(e.lines.overC.size(), 9u);
    for (int c = 0; c <= 4; ++c) {
        const FittedLine& line = e.lines.overQ2[static_cast<std::size_t>(c)];
        ASSERT_TRUE(line.fitted) << c;
        ASSERT_EQ(line.coefficients.size(), 2u);
        ASSERT_EQ(line.errors.size(), 2u);
        EXPECT_GT(line.errors[0], 0.0);
        EXPECT_EQ(line.lastIndex, 8);
        EXPECT_EQ(e.results.conc[static_cast<std::size_t>(c)].mwApp, RoundSig(1.0 / line.coefficients[0], 3)) << c;
    }
    EXPECT_EQ(e.lines.overQ2[0].coefficients[0], e.fits.lineC0.kcr);
    for (const FittedLine& line : e.lines.overC) EXPECT_TRUE(line.fitted && line.coefficients.size() == 2u);
    EXPECT_EQ(e.lines.overC[0].lastIndex, 4);

    o.cOrder = FitOrder::None;
    const Evaluation withoutC(loaded.set, o);
    for (const FittedLine& line : withoutC.lines.overC) EXPECT_FALSE(line.fitted);
    EXPECT_TRUE(withoutC.lines.overQ2[1].fitted);
}

TEST(Evaluation, WorksOnACopyAndLeavesTheLoadedSetAsItWas) {
    const Loaded loaded;
    const DataPoint before = *loaded.set.cell(2, 3);
    const auto tableBefore = loaded.set.calcTableA;
    EvaluationOptions o;
    o.plotType = PlotType::Berry;
    o.qOrder = o.cOrder = FitOrder::Two;
    o.switchedOff = {{2, 3}};
    const Evaluation e(loaded.set, o);
    EXPECT_EQ(e.set.cell(2, 3)->active, 0);
    EXPECT_EQ(loaded.set.cell(2, 3)->active, before.active);
    EXPECT_EQ(loaded.set.cell(2, 3)->x(), before.x());
    EXPECT_EQ(loaded.set.calcTableA, tableBefore);
    EXPECT_NE(e.set.calcTableA, tableBefore);
    EXPECT_EQ(e.results.text, WindowResults(loaded, o));
    EXPECT_TRUE(loaded.log.messages.empty());
}

TEST(Evaluation, ASetTakenOverGivesTheResultsOfACopyAndIsKeptWhenRefused) {
    EvaluationOptions o;
    o.plotType = PlotType::Berry;
    o.qOrder = o.cOrder = FitOrder::Two;
    o.switchedOff = {{2, 3}};
    Loaded loaded, copied;
    const Evaluation fromCopy(copied.set, o);
    const Evaluation taken(std::move(loaded.set), o);
    EXPECT_EQ(taken.results.text, fromCopy.results.text);
    EXPECT_EQ(taken.set.cell(2, 3)->active, 0);
    EXPECT_FALSE(loaded.set.initialised());

    Loaded refused;
    o.switchedOff = {{9, 1}};
    EXPECT_THROW(Evaluation(std::move(refused.set), o), std::invalid_argument);
    EXPECT_EQ(refused.set.lastConcIndex, 4);
    EXPECT_NE(refused.set.cell(2, 3), nullptr);
}

TEST(Evaluation, ReturnsItsMessagesInsteadOfShowingThem) {
    Loaded loaded;
    loaded.set.cell(1, 2)->kcr = -1e-6;  // no logarithm for the Guinier plot
    EvaluationOptions o;
    o.plotType = PlotType::Guinier;
    o.qOrder = o.cOrder = FitOrder::One;
    const Evaluation e(loaded.set, o);
    ASSERT_EQ(e.messages.size(), 1u);
    EXPECT_EQ(e.messages[0], (Message{tx::KcrNotPositive, tx::CapError, MsgIcon::Exclamation}));
    EXPECT_TRUE(e.completed);
    EXPECT_TRUE(loaded.log.messages.empty());

    // The window shows the same message, once, as a message box.
    ScriptedPlatform platform;
    PlotWindow w(platform);
    test::ModelParams m;
    m.noise = 0.01;
    test::FillModelSet(w.set(), 4, 8, m);
    w.set().cell(1, 2)->kcr = -1e-6;
    w.PostLoadSetup();
    platform.messages.clear();
    w.setPlotType(PlotType::Guinier);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.lastMessage().text, tx::KcrNotPositive);
}

TEST(Evaluation, RefusesWhatItCannotEvaluateAndSaysWhat) {
    const Loaded loaded(3, 5);
    auto refusal = [&](const EvaluationOptions& o) -> std::string {
        try {
            const Evaluation e(loaded.set, o);
        } catch (const std::invalid_argument& error) {
            return error.what();
        }
        return "accepted";
    };
    EvaluationOptions o;
    o.switchedOff = {{4, 1}};
    EXPECT_EQ(refusal(o), "no point 4:1 (concentrations 1..3, angles 1..5)");
    o.switchedOff = {{1, 0}};
    EXPECT_EQ(refusal(o), "no point 1:0 (concentrations 1..3, angles 1..5)");
    o.switchedOff = {{3, 5}};
    EXPECT_EQ(refusal(o), "accepted");
    o = {};
    o.kInternal = 0.0;
    EXPECT_EQ(refusal(o), "k is not a number the chart of these data can show");
    o.kInternal = AutomaticK(loaded.set) * 1e6;
    EXPECT_EQ(refusal(o), "k is not a number the chart of these data can show");
    o.kInternal = -AutomaticK(loaded.set);
    EXPECT_EQ(refusal(o), "accepted");
    o = {};
    o.qOrder = static_cast<FitOrder>(6);
    EXPECT_EQ(refusal(o), "fit orders go from 0 to 5");
    o = {};
    o.plotType = static_cast<PlotType>(7);
    EXPECT_EQ(refusal(o), "no such plot type");

    MessageLog log;
    const MeasurementSet empty(log);
    EXPECT_THROW(Evaluation(empty, EvaluationOptions{}), std::invalid_argument);
}

TEST(Evaluation, AFitOverMorePointsThanThereAreRefusesOnlyThatFit) {
    const Loaded loaded(2, 4);
    EvaluationOptions o;
    o.qOrder = FitOrder::Five;  // four angles: no concentration fit
    o.cOrder = FitOrder::One;
    const Evaluation e(loaded.set, o);
    EXPECT_TRUE(e.completed);
    EXPECT_NE(e.fits.lineC0.hasData, 1);
    EXPECT_FALSE(e.results.mwQ2);
    EXPECT_EQ(e.results.text, WindowResults(loaded, o));
}

} // namespace
} // namespace zeb
