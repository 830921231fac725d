// The plot window's handlers: menus, smoothing, k, form factors, reflection.
#include "analysis/NumberText.h"
#include "texts/FormFactorTexts.h"
#include "data/RoundSig.h"
#include "dialogs/ReflectionCorrectionDialog.h"
#include "dialogs/FormFactorParametersDialog.h"
#include "platform/ScriptedPlatform.h"
#include "plotwindow/PlotWindow.h"
#include "dialogs/ResultsWindow.h"
#include "support/SyntheticSets.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zeb {
namespace {

struct MenuWindow {
    ScriptedPlatform platform;
    PlotWindow w{platform};
    explicit MenuWindow(test::ModelParams m = {}, int nc = 3, int na = 6) {
        m.noise = 0.01;
        test::FillModelSet(w.set(), nc, na, m);
        w.PostLoadSetup();
    }
    bool checked(PlotMenuItem item) const { return w.menuItem(item).checked; }
    bool enabled(PlotMenuItem item) const { return w.menuItem(item).enabled; }
};

TEST(PlotWindow, PostLoadSetupEnablesThePlotTypesOfTheDataPresent) {
    MenuWindow x;
    EXPECT_EQ(x.w.kStep(), 10);
    const MeasurementSet& s = x.w.set();
    EXPECT_EQ(x.w.k(), RoundSig(s.q2[6] / s.concentration[3] * 10, 3));
    EXPECT_EQ(x.w.widget(PlotWidget::KField).text, Gcvt6(x.w.k() * 1e-11));
    for (PlotType t : kAllPlotTypes) EXPECT_TRUE(x.enabled(PlotTypeItem(t))) << PlotTypeNumber(t);
    EXPECT_TRUE(x.checked(PlotMenuItem::PlotZimm));
    EXPECT_TRUE(x.checked(PlotMenuItem::QNone));
    EXPECT_TRUE(x.checked(PlotMenuItem::CNone));
    EXPECT_FALSE(x.enabled(PlotMenuItem::Results));
    EXPECT_TRUE(x.w.calculated());

    test::ModelParams dynamicOnly;
    dynamicOnly.withStatic = false;
    MenuWindow y(dynamicOnly);
    EXPECT_FALSE(y.enabled(PlotMenuItem::PlotZimm));
    EXPECT_FALSE(y.enabled(PlotMenuItem::PlotGuinier));
    EXPECT_TRUE(y.enabled(PlotMenuItem::PlotDIII));
}

// The window shows what the calculation gives (its arithmetic is tested on the
// evaluation itself): labels and fields, the results item while a row exists,
// and a point switched off below the measured ones leaves its line.
TEST(PlotWindow, ShowsTheCalculationAndTakesSwitchedOffExtrapolatedPoints) {
    test::ModelParams staticOnly;
    staticOnly.withDynamic = false;
    MenuWindow x(staticOnly);
    x.w.setQOrder(FitOrder::One);
    x.w.setCOrder(FitOrder::One);
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(x.w.widget(kResultLabels[i]).text, x.w.results().labels[i]);
        EXPECT_EQ(x.w.widget(kResultFields[i]).text, x.w.results().fieldTexts[i]);
        EXPECT_NE(x.w.results().fieldTexts[i], " ");
    }
    EXPECT_TRUE(x.enabled(PlotMenuItem::Results));
    EXPECT_EQ(x.w.fits().pointsC0, 6);
    x.w.set().cell(0, 1)->active = 0;
    x.w.calculate();
    EXPECT_EQ(x.w.fits().pointsC0, 5);
    x.w.setPlotType(PlotType::DI);  // static data only in a dynamic plot: no row
    EXPECT_FALSE(x.w.results().anyRow);
    EXPECT_FALSE(x.enabled(PlotMenuItem::Results));
}

// The results window's section: the intervals of the results shown, by both
// methods, for the points that take part; nothing while there is no fit or
// the results are out of date.
TEST(PlotWindow, UncertaintyOfTheResultsShown) {
    test::ModelParams staticOnly;
    staticOnly.withDynamic = false;
    MenuWindow x(staticOnly);
    EXPECT_EQ(x.w.uncertaintyText(), "");
    x.w.setQOrder(FitOrder::One);
    x.w.setCOrder(FitOrder::One);
    const std::string allPoints = x.w.uncertaintyText();
    ResultsWindow section(x.w.results().report);
    section.setUncertainty(allPoints);
    EXPECT_EQ(section.uncertaintyHeading(), "95 % confidence intervals");
    ASSERT_EQ(section.uncertaintyRowCount(), 5);  // the column names, Mw(c), Mw(q²), Rg, A2
    EXPECT_EQ(section.uncertaintyCell(2, 0), "Propagation");
    EXPECT_EQ(section.uncertaintyCell(0, 3), "Rg");
    for (int row = 1; row < 5; ++row)
        for (int column = 2; column < 5; ++column)
            EXPECT_EQ(section.uncertaintyCell(column, row).rfind("[", 0), 0u) << section.uncertaintyCell(column, row);
    EXPECT_FALSE(section.uncertaintyNotes().empty());  // the bootstrap's seed and resamples

    x.w.set().cell(2, 3)->active = 0;
    EXPECT_EQ(x.w.uncertaintyText(), "") << "out of date";
    x.w.calculate();
    const std::string withoutPoint = x.w.uncertaintyText();
    EXPECT_NE(withoutPoint, "");
    EXPECT_NE(withoutPoint, allPoints) << "the switched-off point takes no part";
}

TEST(PlotWindow, ResultsAreOutOfDateFromASwitchedPointToTheNextCalculation) {
    MenuWindow x;
    // Nothing fitted: no lines or results to be out of date.
    x.w.set().cell(1, 2)->active = 0;
    EXPECT_FALSE(x.w.resultsOutOfDate());
    x.w.set().cell(1, 2)->active = 1;
    x.w.setQOrder(FitOrder::One);
    x.w.setCOrder(FitOrder::One);
    EXPECT_FALSE(x.w.resultsOutOfDate());
    EXPECT_EQ(x.w.resultsOutOfDateHint(), "");
    DataPoint& p = *x.w.set().cell(2, 3);
    p.active = 0;
    EXPECT_TRUE(x.w.resultsOutOfDate());
    EXPECT_EQ(x.w.resultsOutOfDateHint(), "Calculate (Ctrl+N) to update");
    // Switched back on: the results match the points again.
    p.active = 1;
    EXPECT_FALSE(x.w.resultsOutOfDate());
    p.active = 0;
    x.w.calculate();
    EXPECT_FALSE(x.w.resultsOutOfDate());
    // A point switched on again after that calculation makes them out of date as well.
    p.active = 1;
    EXPECT_TRUE(x.w.resultsOutOfDate());
    // The form-factor view shows no fitted lines or result fields of the points.
    x.w.calculate();
    x.w.toggleFormFactorModel(kModelCoilMono);
    x.platform.dialogScripts.push_back([](ModalDialog& d) { dynamic_cast<FormFactorParametersDialog&>(d).accept(); });
    x.w.showFormFactorPlot(11);
    ASSERT_TRUE(x.w.formFactor().viewShown);
    x.w.set().cell(1, 1)->active = 0;
    EXPECT_FALSE(x.w.resultsOutOfDate());
}

TEST(PlotWindow, OrderItemsCheckOneAndTheReflectionItemFollows) {
    MenuWindow x;
    EXPECT_FALSE(x.enabled(PlotMenuItem::CorrectReflection));
    x.w.setQOrder(FitOrder::Three);
    EXPECT_EQ(x.w.qOrder(), FitOrder::Three);
    for (FitOrder o : kAllFitOrders) EXPECT_EQ(x.checked(QOrderItem(o)), o == FitOrder::Three);
    EXPECT_TRUE(x.enabled(PlotMenuItem::CorrectReflection));
    x.w.setCOrder(FitOrder::Two);
    EXPECT_EQ(x.w.cOrder(), FitOrder::Two);
    EXPECT_TRUE(x.checked(PlotMenuItem::C2));
    x.w.setPlotType(PlotType::DI);
    EXPECT_FALSE(x.enabled(PlotMenuItem::CorrectReflection));
    EXPECT_TRUE(x.checked(PlotMenuItem::PlotDI));
    EXPECT_FALSE(x.checked(PlotMenuItem::PlotZimm));
    EXPECT_FALSE(x.enabled(PlotMenuItem::FormFactorMenu));
    EXPECT_EQ(x.w.widget(PlotWidget::MwcLabel).text, "Dz(c):[µm²/s]");
    x.w.setPlotType(PlotType::Berry);
    EXPECT_TRUE(x.enabled(PlotMenuItem::CorrectReflection));
    EXPECT_TRUE(x.enabled(PlotMenuItem::CoilMd));
    EXPECT_EQ(x.w.widget(PlotWidget::MwcLabel).text, "Mw(c):[g/mol]");
    x.w.setQOrder(FitOrder::None);
    EXPECT_FALSE(x.enabled(PlotMenuItem::CorrectReflection));
}

TEST(PlotWindow, SmoothingSwitchedOffAndRestored) {
    MenuWindow x;
    x.w.setQOrder(FitOrder::One);
    x.w.toggleSmoothing();
    EXPECT_EQ(x.w.smoothing(), Smoothing::On);
    EXPECT_TRUE(x.checked(PlotMenuItem::Smooth));
    x.w.setQOrder(FitOrder::None);
    EXPECT_EQ(x.w.smoothing(), Smoothing::Off);
    EXPECT_FALSE(x.checked(PlotMenuItem::Smooth));
    EXPECT_EQ(x.w.rememberedSmoothing(), Smoothing::On);
    x.w.setQOrder(FitOrder::Two);
    EXPECT_EQ(x.w.smoothing(), Smoothing::On);
    EXPECT_TRUE(x.checked(PlotMenuItem::Smooth));
    EXPECT_NE(x.w.resultsText().find(" smoothed"), std::string::npos);
    // Switched off by the user: stays off when an order is chosen again.
    x.w.toggleSmoothing();
    x.w.setQOrder(FitOrder::One);
    EXPECT_EQ(x.w.smoothing(), Smoothing::Off);
    // Without a q order the item cannot be checked, but the choice is remembered.
    x.w.setQOrder(FitOrder::None);
    x.w.toggleSmoothing();
    EXPECT_FALSE(x.checked(PlotMenuItem::Smooth));
    EXPECT_EQ(x.w.rememberedSmoothing(), Smoothing::On);
    // The options dialog's choice takes effect when it closes.
    x.w.setQOrder(FitOrder::One);
    x.w.setRememberedSmoothing(Smoothing::Off);
    x.w.AfterOptions();
    EXPECT_EQ(x.w.smoothing(), Smoothing::Off);
    EXPECT_FALSE(x.checked(PlotMenuItem::Smooth));
}

TEST(PlotWindow, KButtonsStepDownToMinusTenThenBeep) {
    MenuWindow x;
    x.w.setQOrder(FitOrder::One);
    x.w.setCOrder(FitOrder::One);
    const std::string results = x.w.resultsText();
    int presses = 0;
    while (x.platform.beeps == 0 && presses < 50) {
        x.w.stepKDown();
        ++presses;
        if (x.platform.beeps == 0) {
            EXPECT_EQ(x.w.widget(PlotWidget::KField).text, Gcvt6(x.w.k() * 1e-11));
            EXPECT_EQ(x.w.set().cell(1, 1)->x(), x.w.k() * x.w.set().concentration[1] + x.w.set().q2[1]);
        }
    }
    EXPECT_EQ(x.platform.beeps, 1);
    EXPECT_EQ(x.w.kStep(), -10);
    EXPECT_GE(presses, 21);
    EXPECT_EQ(x.w.resultsText(), results);  // k moves the curves apart, never a result
    x.w.stepKUp();
    EXPECT_EQ(x.w.kStep(), -9);
}

TEST(PlotWindow, TypedK) {
    MenuWindow x;
    x.w.setWidgetText(PlotWidget::KField, "2,5");
    x.w.kFieldLeft();
    EXPECT_EQ(x.w.k(), 2.5e11);
    EXPECT_EQ(x.w.set().cell(2, 3)->x(), 2.5e11 * x.w.set().concentration[2] + x.w.set().q2[3]);
    // A typed zero: k is 1.0 in the displayed unit, as the field then says.
    x.w.setWidgetText(PlotWidget::KField, "0");
    x.w.takeKFromField();
    EXPECT_EQ(x.w.k(), 1e11);
    EXPECT_EQ(x.w.widget(PlotWidget::KField).text, "1.0");
    // Not a number: a message, and the field shows the k in use again.
    x.w.setWidgetText(PlotWidget::KField, "abc");
    x.w.takeKFromField();
    EXPECT_EQ(x.w.k(), 1e11);
    EXPECT_EQ(x.w.widget(PlotWidget::KField).text, "1");
    ASSERT_EQ(x.platform.messages.size(), 1u);
    EXPECT_EQ(x.platform.lastMessage().text, "Invalid input for floating point number.");
    // Enter counts only after the field got the focus.
    x.w.setWidgetText(PlotWidget::KField, "7");
    x.w.kFieldKeyDown(13);
    EXPECT_EQ(x.w.k(), 1e11);
    x.w.kFieldEntered();
    x.w.kFieldKeyDown(65);
    EXPECT_EQ(x.w.k(), 1e11);
    x.w.kFieldKeyDown(13);
    EXPECT_EQ(x.w.k(), 7e11);
}

// A k the chart cannot show (not finite, or so large that every concentration
// shrinks to a point of the abscissa) is refused like a text that is no number.
TEST(PlotWindow, TypedKOutOfRangeIsRefused) {
    MenuWindow x;
    const double k = x.w.k();
    const double kDefault = k;  // ten times the scale Q/C
    const AxisScale before = x.w.axes().x;
    // A number too large is told so, with the limit: a hundred times the default k.
    const std::string tooLarge = "k is too large: the chart takes a k of at most ";
    std::string limit;
    const std::pair<const char*, bool> cases[] = {{"1e300", true}, {"-1e300", true}, {"inf", false}, {"nan", false}, {"1e309", false}};
    for (const auto& [typed, isTooLarge] : cases) {
        x.w.setWidgetText(PlotWidget::KField, typed);
        x.w.takeKFromField();
        EXPECT_EQ(x.w.k(), k) << typed;
        EXPECT_EQ(x.w.widget(PlotWidget::KField).text, Gcvt6(k * 1e-11)) << typed;
        EXPECT_EQ(x.w.axes().x.ticks, before.ticks) << typed;
        const std::string& text = x.platform.lastMessage().text;
        if (isTooLarge) {
            ASSERT_EQ(text.rfind(tooLarge, 0), 0u) << text;
            EXPECT_EQ(text.substr(text.size() - 14), ", either sign.");
            limit = text.substr(tooLarge.size(), text.size() - tooLarge.size() - 14);
            EXPECT_NEAR(std::stod(limit), 100.0 * kDefault * 1e-11, 5e-3 * 100.0 * kDefault * 1e-11) << text;  // the default is rounded to 3 digits
        } else {
            EXPECT_EQ(text, "Invalid input for floating point number.") << typed;
        }
        EXPECT_EQ(x.platform.lastMessage().caption, "ZEBStat: Information");
    }
    EXPECT_EQ(x.platform.messages.size(), 5u);
    // The limit named is taken, either sign.
    x.w.setWidgetText(PlotWidget::KField, "-" + limit);
    x.w.takeKFromField();
    EXPECT_NEAR(x.w.k(), -std::stod(limit) * 1e11, 1.0) << limit;
    EXPECT_EQ(x.platform.messages.size(), 5u);
    // A hundred times the default is the largest k taken, either way round.
    for (double factor : {100.0, -100.0, 0.5}) {
        x.w.setWidgetText(PlotWidget::KField, Gcvt6(factor * kDefault * 1e-11));
        x.w.takeKFromField();
        EXPECT_NEAR(x.w.k() / (factor * kDefault), 1.0, 1e-5) << factor;
        EXPECT_TRUE(std::isfinite(x.w.axes().x.span) && x.w.axes().x.span > 0) << factor;
    }
    x.w.setWidgetText(PlotWidget::KField, Gcvt6(120 * kDefault * 1e-11));
    x.w.takeKFromField();
    EXPECT_NEAR(x.w.k() / (0.5 * kDefault), 1.0, 1e-5);
    EXPECT_EQ(x.platform.messages.size(), 6u);
}

// The message box of a refused k takes the focus from the field; the field's
// kill-focus while the box is up must not report the same text again.
TEST(PlotWindow, RefusedKIsReportedOnce) {
    struct FocusStealing : ScriptedPlatform {
        PlotWindow* window = nullptr;
        MsgAnswer message(const std::string& text, const std::string& caption, MsgButtons buttons, MsgIcon icon,
                          MsgAnswer defaultAnswer) override {
            const MsgAnswer a = ScriptedPlatform::message(text, caption, buttons, icon, defaultAnswer);
            if (window) window->kFieldLeft();
            return a;
        }
    } platform;
    PlotWindow w{platform};
    test::FillModelSet(w.set(), 3, 6, {});
    w.PostLoadSetup();
    platform.window = &w;
    w.kFieldEntered();
    w.setWidgetText(PlotWidget::KField, "abc");
    w.kFieldKeyDown(13);
    EXPECT_EQ(platform.messages.size(), 1u);
    // Typed again and left: reported again.
    w.setWidgetText(PlotWidget::KField, "abc");
    platform.window = nullptr;
    w.kFieldLeft();
    EXPECT_EQ(platform.messages.size(), 2u);
}

TEST(PlotWindow, ModelItemsAndPlotForms) {
    MenuWindow x;
    x.w.setQOrder(FitOrder::One);
    x.w.setCOrder(FitOrder::One);
    EXPECT_TRUE(x.enabled(PlotMenuItem::CoilMd));
    EXPECT_FALSE(x.enabled(PlotMenuItem::PzQ));
    x.w.toggleFormFactorModel(kModelCoilMono);
    x.w.toggleFormFactorModel(kModelHardSphere);
    EXPECT_EQ(x.w.formFactor().models, (std::vector<int>{1, 4}));
    EXPECT_TRUE(x.checked(PlotMenuItem::CoilMd));
    EXPECT_TRUE(x.checked(PlotMenuItem::HardSphere));
    for (int form = 1; form <= 12; ++form) EXPECT_TRUE(x.enabled(PlotFormItem(form)));
    x.w.toggleFormFactorModel(kModelCoilMono);
    x.w.toggleFormFactorModel(kModelHardSphere);
    EXPECT_TRUE(x.w.formFactor().models.empty());
    for (int form = 1; form <= 12; ++form) EXPECT_FALSE(x.enabled(PlotFormItem(form)));
    x.w.setPlotType(PlotType::DII);
    x.w.toggleFormFactorModel(kModelCoilPoly);  // not for the dynamic types
    EXPECT_TRUE(x.w.formFactor().models.empty());
}

TEST(PlotWindow, UserFormFactorFileAndItsQuestions) {
    test::TempDir dir;
    const std::string good = dir.file("good.FFU"), bad = dir.file("bad.FFU");
    test::WriteFile(good, "/ q Pz\n0.01 0.99\n0.02 0.96\n0.03 0.91\n0.04 0.84\n");
    test::WriteFile(bad, "/ q Pz\n0.01 0.99\n0.02 0.96\n/ 0.03 0.91\n");
    MenuWindow x;
    x.w.setQOrder(FitOrder::One);
    x.platform.openAnswers.push_back(good);
    x.w.toggleFormFactorModel(kModelUser);
    ASSERT_EQ(x.platform.messages.size(), 1u);
    EXPECT_EQ(x.platform.messages[0].text, tx::UserFormFactorNeedsFile);
    EXPECT_EQ(x.platform.messages[0].buttons, MsgButtons::OkCancel);
    EXPECT_EQ(x.platform.openRequests.back().filter, "User form factor (*.FFU)|*.FFU|");
    EXPECT_TRUE(x.w.formFactor().user.loaded);
    EXPECT_TRUE(x.checked(PlotMenuItem::FFUser));
    // Unchecked and checked again: keep the loaded one (Yes) ...
    x.w.toggleFormFactorModel(kModelUser);
    x.w.toggleFormFactorModel(kModelUser);
    EXPECT_EQ(x.platform.lastMessage().text, "Use user defined form factor already loaded ?");
    EXPECT_EQ(x.platform.lastMessage().buttons, MsgButtons::YesNoCancel);
    EXPECT_EQ(x.platform.lastMessage().icon, MsgIcon::Question);
    EXPECT_TRUE(x.checked(PlotMenuItem::FFUser));
    // ... Cancel: not checked, the file stays loaded ...
    x.w.toggleFormFactorModel(kModelUser);
    x.platform.answers = {MsgAnswer::Cancel};
    x.w.toggleFormFactorModel(kModelUser);
    EXPECT_FALSE(x.checked(PlotMenuItem::FFUser));
    EXPECT_TRUE(x.w.formFactor().user.loaded);
    // ... No: a new file, which fails to load.
    x.platform.answers = {MsgAnswer::No, MsgAnswer::Ok};
    x.platform.openAnswers.push_back(bad);
    x.w.toggleFormFactorModel(kModelUser);
    EXPECT_EQ(x.platform.lastMessage().text, "Less than 4 data pairs !\nCould not load !\n" + bad + ": 2 data pairs");
    EXPECT_EQ(x.platform.lastMessage().caption, "ZEBStat: Information");
    EXPECT_EQ(x.platform.lastMessage().icon, MsgIcon::Stop);
    EXPECT_FALSE(x.checked(PlotMenuItem::FFUser));
    EXPECT_FALSE(x.w.formFactor().user.loaded);
    EXPECT_TRUE(x.w.formFactor().models.empty());
    // Cancel in the open dialog.
    x.w.toggleFormFactorModel(kModelUser);
    EXPECT_FALSE(x.checked(PlotMenuItem::FFUser));
}

TEST(PlotWindow, ShowingAPlotFormAndLeavingIt) {
    MenuWindow x;
    x.w.setQOrder(FitOrder::One);
    x.w.setCOrder(FitOrder::One);
    x.w.toggleFormFactorModel(kModelCoilMono);
    x.w.toggleFormFactorModel(kModelThinRod);
    std::string memo;
    x.platform.dialogScripts.push_back([&](ModalDialog& d) {
        auto& dialog = dynamic_cast<FormFactorParametersDialog&>(d);
        memo = dialog.shownMemo;
        EXPECT_EQ(dialog.concentrationField, "0.000E0");
        dialog.accept();
    });
    x.w.showFormFactorPlot(3);  // -ln Pz over q²
    EXPECT_EQ(memo, "willPlotNote");
    const FormFactorState& ff = x.w.formFactor();
    ASSERT_TRUE(ff.viewShown);
    EXPECT_EQ(ff.form, 3);
    EXPECT_EQ(ff.row, 0);
    EXPECT_NEAR(ff.rgNm, x.w.storedRgNm(), 1e-3);  // as shown in the dialog, four digits
    EXPECT_EQ(ff.dataLabel, "Conc. c -> 0");
    EXPECT_EQ(ff.modelLabels[0], "Coil, mono disperse, Rg = " + CFormat("%.2f", ff.rgNm) + " nm");
    EXPECT_EQ(ff.measured.size(), 6u);
    EXPECT_EQ(ff.grid.q.size(), 101u);
    EXPECT_EQ(x.w.formFactorCurve(3).size(), 101u);
    EXPECT_FALSE(x.w.widget(PlotWidget::KLabel).visible);
    EXPECT_FALSE(x.w.widget(PlotWidget::KField).visible);
    EXPECT_FALSE(x.enabled(PlotMenuItem::Calculate));
    EXPECT_FALSE(x.enabled(PlotMenuItem::CorrectReflection));
    // Losing the focus of the k field does nothing in the form-factor view.
    x.w.setWidgetText(PlotWidget::KField, "5");
    x.w.kFieldLeft();
    EXPECT_NE(x.w.k(), 5e11);
    // A chosen concentration is compared instead.
    x.w.chosenConcentrations() = {1, 2};
    x.w.showFormFactorPlot(11);
    EXPECT_EQ(x.w.formFactor().row, 2);
    EXPECT_EQ(x.w.formFactor().dataLabel, "c = 2.0000 g/dm³");
    EXPECT_NEAR(x.w.formFactor().rgNm, x.w.set().appRg[2], 1e-3 * x.w.set().appRg[2]);
    // Choosing an order leaves the view.
    x.w.setQOrder(FitOrder::Two);
    EXPECT_FALSE(x.w.formFactor().viewShown);
    EXPECT_TRUE(x.w.formFactor().models.empty());
    EXPECT_FALSE(x.checked(PlotMenuItem::CoilMd));
    EXPECT_TRUE(x.enabled(PlotMenuItem::CoilMd));
    EXPECT_TRUE(x.w.widget(PlotWidget::KLabel).visible);
    EXPECT_TRUE(x.enabled(PlotMenuItem::Calculate));
}

TEST(PlotWindow, PlotFormWithoutComparedDataAndAborted) {
    ScriptedPlatform platform;
    PlotWindow w(platform);
    test::FillModelSet(w.set(), 2, 4, test::ModelParams{});
    w.toggleFormFactorModel(kModelCoilPoly);
    EXPECT_FALSE(w.calculated());
    // No calculation yet: an abort after editing Rg counts as a calculation made.
    platform.dialogScripts.push_back([](ModalDialog& d) {
        auto& dialog = dynamic_cast<FormFactorParametersDialog&>(d);
        EXPECT_EQ(dialog.shownMemo, "noPlotNote");
        dialog.rgTyped("12");
        dialog.abort();
    });
    w.showFormFactorPlot(1);
    EXPECT_FALSE(w.formFactor().viewShown);
    EXPECT_TRUE(w.calculated());
    platform.dialogScripts.push_back([](ModalDialog& d) {
        auto& dialog = dynamic_cast<FormFactorParametersDialog&>(d);
        dialog.rgTyped("20");
        dialog.mwTyped("1e6");
        dialog.accept();
    });
    w.showFormFactorPlot(1);
    EXPECT_TRUE(w.formFactor().viewShown);
    EXPECT_EQ(w.formFactor().rgNm, 20.0);
    EXPECT_TRUE(w.formFactor().measured.empty());
    EXPECT_EQ(w.formFactor().dataLabel, "");
    EXPECT_EQ(w.formFactor().modelLabels[1], "Coil, poly disperse, Mw/Mn = 2, Rg = 20.00 nm");
}

TEST(PlotWindow, ReflectionCorrectionCommand) {
    MenuWindow x({}, 3, 7);
    x.w.setQOrder(FitOrder::One);
    // Every concentration prompts; the information dialog skips what lies outside.
    int shown = 0;
    for (int i = 0; i < 3; ++i)
        x.platform.dialogScripts.push_back([&](ModalDialog& d) {
            auto& dialog = dynamic_cast<ReflectionCorrectionDialog&>(d);
            EXPECT_FALSE(dialog.solventIndexFieldVisible);
            EXPECT_EQ(dialog.concentrationField, CFormat("%.5f", 1.0 * ++shown));
            dialog.correctAndPromptAgain();
        });
    const double before = x.w.set().cell(2, 4)->kcr;  // 90°: inside the measured range
    x.w.correctReflection();
    EXPECT_EQ(shown, 3);
    EXPECT_NE(x.w.set().cell(2, 4)->kcr, before);
    for (int c = 1; c <= 3; ++c) EXPECT_EQ(x.w.set().cell(c, 1)->reflectionCorrected, 1);
    x.w.correctReflection();
    EXPECT_EQ(x.platform.lastMessage().text, "Correction for reflection has been already done !");
    EXPECT_EQ(x.platform.lastMessage().icon, MsgIcon::Information);
}

TEST(PlotWindow, ReflectionWithMissingSolventIndexAndNoFit) {
    MenuWindow x({}, 3, 5);
    for (int c = 1; c <= 3; ++c)
        for (int a = 1; a <= 5; ++a) x.w.set().cell(c, a)->nSolvent = -1.0;
    for (int a = 2; a <= 5; ++a) x.w.set().cell(3, a)->active = 0;  // no q² fit for concentration 3
    x.w.setQOrder(FitOrder::One);
    x.platform.dialogScripts.push_back([](ModalDialog& d) {
        auto& dialog = dynamic_cast<ReflectionCorrectionDialog&>(d);
        EXPECT_TRUE(dialog.solventIndexFieldVisible);
        EXPECT_EQ(dialog.focus, "solventIndexField");
        dialog.solventIndexField = "1,332";
        dialog.correctAllConcentrations();
    });
    x.platform.answers = {MsgAnswer::Yes};
    x.w.correctReflection();
    EXPECT_EQ(x.platform.dialogsShown, (std::vector<std::string>{"ReflectionCorrectionDialog"}));  // once for all
    ASSERT_FALSE(x.platform.messages.empty());
    EXPECT_EQ(x.platform.messages[0].text,
              "There is no fit polynomial of the q²-dependence\navailable for the concentration of 3.00000 g/dm³.\n"
              "Show this message again (YES), in case this will\nbe detected also at the next concentration, or NOt ?");
    EXPECT_EQ(x.w.set().cell(3, 1)->reflectionCorrected, 0);
    EXPECT_EQ(x.w.set().cell(2, 1)->reflectionCorrected, 1);

    MenuWindow y({}, 2, 4);
    y.w.set().cell(1, 1)->wavelengthCm = -1.0;
    y.w.setQOrder(FitOrder::One);
    y.w.correctReflection();
    EXPECT_EQ(y.platform.lastMessage().text,
              "There are loaded data that have not been extracted\nfrom an .STA or .PLT file. Reflection "
              "correction cannot\nbe applied for.");
    EXPECT_TRUE(y.platform.dialogsShown.empty());
}

} // namespace
} // namespace zeb
