// "Plot-&Options" on a plot window: what the window does with the dialog's
// settings after it closed, whichever button closed it.
#include "dialogs/TFormInputFormF.h"
#include "dialogs/TFormOptions.h"
#include "platform/ScriptedPlatform.h"
#include "plotwindow/TFitF1.h"
#include "plotwindow/TFitF1Options.h"
#include "settings/SettingsFile.h"
#include "support/SyntheticSets.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace zeb {
namespace {

class CountingWindow : public TFitF1 {
public:
    using TFitF1::TFitF1;
    int repaints = 0;

protected:
    void Repaint() override { ++repaints; }
};

struct OptionsWindow {
    test::TempDir dir;
    std::string ini = dir.file("zebstat.ini");
    ScriptedPlatform platform;
    GlobalDefaults defaults;
    CountingWindow w{platform};
    OptionsWindow() {
        test::ModelParams m;
        m.noise = 0.02;
        test::FillModelSet(w.set(), 3, 6, m);
        w.setSettingsPath(ini);
        w.ReadWindowSettings(defaults, ini);
        w.PostLoadSetup();
    }
    int options(std::function<void(TFormOptions&)> script) {
        platform.dialogScripts.push_back([script](ModalDialog& d) { script(dynamic_cast<TFormOptions&>(d)); });
        return OnOptionen(w, defaults);
    }
};

TEST(TFitF1Options, AbortStillRecalculatesAndRepaints) {
    OptionsWindow x;
    x.w.OnBerechnungQ1();
    x.w.OnBerechnungC1();
    const double mw = x.w.fits().lineQ0.y();
    // A point switched off without a calculation yet.
    x.w.set().cell(2, 3)->active = 0;
    const int repaints = x.w.repaints;
    const int result = x.options([](TFormOptions& d) {
        d.symbolSizeButton = 1;
        d.RBtnSmoothing = true;
        d.BitBtnAbortClick();
    });
    EXPECT_EQ(result, TFormOptions::kResultAbort);
    EXPECT_EQ(x.w.plotSettings().symbolSize, 2);
    EXPECT_EQ(x.w.rememberedSmoothing(), Smoothing::Off);
    EXPECT_NE(x.w.fits().lineQ0.y(), mw) << "the calculation ran again";
    EXPECT_GT(x.w.repaints, repaints);
    EXPECT_FALSE(std::filesystem::exists(x.ini));
}

TEST(TFitF1Options, SmoothingAndWeightingTakeEffect) {
    OptionsWindow x;
    // Without a q² order smoothing is remembered but not used.
    x.options([](TFormOptions& d) {
        EXPECT_FALSE(d.RBtnSmoothing);
        d.RBtnSmoothing = true;
        d.RBtnWeight = true;
        d.BitBtnOKClick();
    });
    EXPECT_EQ(x.w.rememberedSmoothing(), Smoothing::On);
    EXPECT_EQ(x.w.weighting(), Weighting::On);
    EXPECT_EQ(x.w.smoothing(), Smoothing::Off);
    EXPECT_FALSE(x.w.menuItem(PlotMenuItem::Smooth).checked);
    x.w.OnBerechnungQ2();
    EXPECT_EQ(x.w.smoothing(), Smoothing::On);
    // The dialog shows what the "&smooth" menu item left; switching it off there
    // unchecks the item.
    x.options([](TFormOptions& d) {
        EXPECT_TRUE(d.RBtnSmoothing);
        EXPECT_TRUE(d.RBtnWeight);
        d.RBtnSmoothing = false;
        d.BitBtnOKClick();
    });
    EXPECT_EQ(x.w.smoothing(), Smoothing::Off);
    EXPECT_FALSE(x.w.menuItem(PlotMenuItem::Smooth).checked);
}

TEST(TFitF1Options, ManualRangeRescalesTheAxes) {
    OptionsWindow x;
    x.options([](TFormOptions& d) {
        d.ChkBxXachse = true;
        d.EditXmin = "0";
        d.EditXmax = "500";
        d.BitBtnOKClick();
    });
    const AxisScale& ax = x.w.axes().x;
    EXPECT_EQ(x.w.plotSettings().manualX.on, 1);
    EXPECT_LE(ax.minimum, 0.0);
    EXPECT_GE(ax.maximum, 5e10 * 1.025 - 1) << "the range with its margin";
    EXPECT_EQ(ax.labels.front(), "0");
}

TEST(TFitF1Options, SaveInFormFactorModeRebuildsThePlotAndWritesItsTitle) {
    OptionsWindow x;
    x.w.OnBerechnungQ1();
    x.w.OnBerechnungC1();
    x.w.mnFormFactorPClick(10);
    x.platform.dialogScripts.push_back([](ModalDialog& d) { dynamic_cast<TFormInputFormF&>(d).BitBtn1Click(); });
    x.w.mnFormFactorPPClick(9);  // Pz over q
    ASSERT_TRUE(x.w.formFactor().viewShown);
    const int result = x.options([](TFormOptions& d) {
        EXPECT_TRUE(d.formFactorMode());
        EXPECT_TRUE(d.legendEnabled[1]);
        EXPECT_FALSE(d.legendEnabled[2]);
        d.legendEdits[1] = "Coil (typed)";
        d.EditXLabel = "q in 1/um";
        d.ChkBxYachse = true;
        d.EditYmin = "0";
        d.EditYmax = "2";
        d.BitBtnSaveINIClick();
    });
    EXPECT_EQ(result, TFormOptions::kResultYes);
    const PlotSettings& s = x.w.plotSettings();
    EXPECT_TRUE(x.w.formFactor().viewShown);
    EXPECT_EQ(s.legend[1], "Coil (typed)") << "a typed legend stays through the rebuild";
    EXPECT_EQ(s.xTitle, "q in 1/um");
    EXPECT_EQ(s.manualYFF.on, 1);
    EXPECT_EQ(s.manualY.on, 0);
    EXPECT_GE(x.w.axes().y.maximum, 2.0);
    EXPECT_EQ(ReadWindowSettings(x.defaults, x.ini).xTitleFF[11], "q in 1/um");
}

} // namespace
} // namespace zeb
