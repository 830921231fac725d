// "Plot-&Options" on a plot window: what the window does with the dialog's
// settings after it closed, whichever button closed it.
#include "dialogs/FormFactorParametersDialog.h"
#include "dialogs/OptionsDialog.h"
#include "platform/ScriptedPlatform.h"
#include "plotwindow/PlotWindow.h"
#include "plotwindow/PlotWindowOptions.h"
#include "settings/SettingsFile.h"
#include "support/SyntheticSets.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace zeb {
namespace {

class CountingWindow : public PlotWindow {
public:
    using PlotWindow::PlotWindow;
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
    int options(std::function<void(OptionsDialog&)> script) {
        platform.dialogScripts.push_back([script](ModalDialog& d) { script(dynamic_cast<OptionsDialog&>(d)); });
        return openOptionsDialog(w, defaults);
    }
};

TEST(PlotWindowOptions, AbortStillRecalculatesAndRepaints) {
    OptionsWindow x;
    x.w.setQOrder(FitOrder::One);
    x.w.setCOrder(FitOrder::One);
    const double mw = x.w.fits().lineQ0.y();
    // A point switched off without a calculation yet.
    x.w.set().cell(2, 3)->active = 0;
    const int repaints = x.w.repaints;
    const int result = x.options([](OptionsDialog& d) {
        d.symbolSizeButton = 1;
        d.smoothingOn = true;
        d.abort();
    });
    EXPECT_EQ(result, OptionsDialog::kResultAbort);
    EXPECT_EQ(x.w.plotSettings().symbolSize, 2);
    EXPECT_EQ(x.w.rememberedSmoothing(), Smoothing::Off);
    EXPECT_NE(x.w.fits().lineQ0.y(), mw) << "the calculation ran again";
    EXPECT_GT(x.w.repaints, repaints);
    EXPECT_FALSE(std::filesystem::exists(x.ini));
}

TEST(PlotWindowOptions, SmoothingAndWeightingTakeEffect) {
    OptionsWindow x;
    // Without a q² order smoothing is remembered but not used.
    x.options([](OptionsDialog& d) {
        EXPECT_FALSE(d.smoothingOn);
        d.smoothingOn = true;
        d.weightingOn = true;
        d.accept();
    });
    EXPECT_EQ(x.w.rememberedSmoothing(), Smoothing::On);
    EXPECT_EQ(x.w.weighting(), Weighting::On);
    EXPECT_EQ(x.w.smoothing(), Smoothing::Off);
    EXPECT_FALSE(x.w.menuItem(PlotMenuItem::Smooth).checked);
    x.w.setQOrder(FitOrder::Two);
    EXPECT_EQ(x.w.smoothing(), Smoothing::On);
    // The dialog shows what the "&smooth" menu item left; switching it off there
    // unchecks the item.
    x.options([](OptionsDialog& d) {
        EXPECT_TRUE(d.smoothingOn);
        EXPECT_TRUE(d.weightingOn);
        d.smoothingOn = false;
        d.accept();
    });
    EXPECT_EQ(x.w.smoothing(), Smoothing::Off);
    EXPECT_FALSE(x.w.menuItem(PlotMenuItem::Smooth).checked);
}

TEST(PlotWindowOptions, ManualRangeRescalesTheAxes) {
    OptionsWindow x;
    x.options([](OptionsDialog& d) {
        d.manualXRangeBox = true;
        d.xMinField = "0";
        d.xMaxField = "500";
        d.accept();
    });
    const AxisScale& ax = x.w.axes().x;
    EXPECT_EQ(x.w.plotSettings().manualX.on, 1);
    EXPECT_LE(ax.minimum, 0.0);
    EXPECT_GE(ax.maximum, 5e10 * 1.025 - 1) << "the range with its margin";
    EXPECT_EQ(ax.labels.front(), "0");
}

TEST(PlotWindowOptions, SaveInFormFactorModeRebuildsThePlotAndWritesItsTitle) {
    OptionsWindow x;
    x.w.setQOrder(FitOrder::One);
    x.w.setCOrder(FitOrder::One);
    x.w.toggleFormFactorModel(kModelCoilMono);
    x.platform.dialogScripts.push_back([](ModalDialog& d) { dynamic_cast<FormFactorParametersDialog&>(d).accept(); });
    x.w.showFormFactorPlot(11);  // Pz over q
    ASSERT_TRUE(x.w.formFactor().viewShown);
    const int result = x.options([](OptionsDialog& d) {
        EXPECT_TRUE(d.formFactorMode());
        EXPECT_TRUE(d.legendEnabled[1]);
        EXPECT_FALSE(d.legendEnabled[2]);
        d.legendEdits[1] = "Coil (typed)";
        d.xLabelField = "q in 1/um";
        d.manualYRangeBox = true;
        d.yMinField = "0";
        d.yMaxField = "2";
        d.saveToSettingsFile();
    });
    EXPECT_EQ(result, OptionsDialog::kResultYes);
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
