// The plot window after a load: the load sequence's hooks run the post-load
// setup (first load and every added file), and the k field ignores Enter
// while a file is read.
#include "analysis/NumberText.h"
#include "texts/CommonTexts.h"
#include "data/RoundSig.h"
#include "dialogs/OptionsDialog.h"
#include "plotwindow/DataExport.h"
#include "platform/ScriptedPlatform.h"
#include "plotwindow/ChartCommands.h"
#include "plotwindow/PointSelection.h"
#include "plotwindow/PlotWindow.h"
#include "plotwindow/PlotWindowOptions.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace zeb {
namespace {

using test::Example;

double DefaultK(const MeasurementSet& s) {
    return RoundSig(s.q2[s.lastAngleIndex] / s.concentration[s.lastConcIndex] * 10, 3);
}

TEST(PlotWindowLoad, FirstLoadAndAddedFilesRunThePostLoadSetup) {
    ScriptedPlatform platform;
    PlotWindow w(platform);
    platform.openAnswers.push_back(Example("ps-static.sta"));
    w.activate();
    ASSERT_FALSE(w.view().closeRequested);
    EXPECT_TRUE(w.calculated());
    EXPECT_EQ(w.k(), DefaultK(w.set()));
    EXPECT_EQ(w.widget(PlotWidget::KField).text, Gcvt6(w.k() * 1e-11));
    // The file holds static data only.
    EXPECT_TRUE(w.menuItem(PlotMenuItem::PlotBerry).enabled);
    EXPECT_FALSE(w.menuItem(PlotMenuItem::PlotDI).enabled);
    EXPECT_TRUE(w.widget(PlotWidget::KSmallerButton).visible);
    EXPECT_TRUE(w.menuItem(PlotMenuItem::Calculate).enabled);

    // Orders stay, k and its step start again, the new data's plot types are offered.
    w.setQOrder(FitOrder::One);
    w.setCOrder(FitOrder::One);
    w.stepKDown();
    ASSERT_EQ(w.kStep(), 9);
    ASSERT_EQ(w.results().conc.size(), 6u);
    platform.openAnswers.push_back(Example("ps-toluene.sta"));
    ASSERT_EQ(w.addDataFile(), kLoadOk);
    EXPECT_EQ(w.set().lastConcIndex, 9);
    EXPECT_EQ(w.kStep(), 10);
    EXPECT_EQ(w.k(), DefaultK(w.set()));
    EXPECT_TRUE(w.menuItem(PlotMenuItem::PlotDIII).enabled);
    EXPECT_TRUE(w.menuItem(PlotMenuItem::Q1).checked);
    ASSERT_EQ(w.results().conc.size(), 10u);
    for (int c = 1; c <= 9; ++c) EXPECT_TRUE(w.results().conc[static_cast<std::size_t>(c)].fitted) << c;
    EXPECT_TRUE(w.results().mwQ2.has_value());

    // A failed add leaves data and results as they were.
    const std::string text = w.resultsText();
    platform.openAnswers.push_back("/nonexistent/more.sta");
    EXPECT_EQ(w.addDataFile(), kLoadFailed);
    EXPECT_EQ(w.set().lastConcIndex, 9);
    EXPECT_EQ(w.resultsText(), text);
}

TEST(PlotWindowLoad, EnterInTheKFieldIsIgnoredWhileAFileIsRead) {
    ScriptedPlatform platform;
    PlotWindow w(platform);
    platform.openAnswers.push_back(Example("ps-static.sta"));
    w.activate();
    ASSERT_FALSE(w.view().closeRequested) << "the first file did not load";
    int pressedWhileLoading = 0;
    platform.onPendingMessages = [&] {
        if (!w.loading()) return;
        ++pressedWhileLoading;
        w.kFieldEntered();
        w.setWidgetText(PlotWidget::KField, "no number");
        w.kFieldKeyDown(13);
    };
    platform.messages.clear();
    platform.openAnswers.push_back(Example("ps-small.asc"));
    ASSERT_EQ(w.addDataFile(), kLoadOk);
    ASSERT_GT(pressedWhileLoading, 0);
    EXPECT_FALSE(platform.saw(tx::InvalidFloatInput));
    EXPECT_EQ(w.k(), DefaultK(w.set()));
    // Once loaded, Enter reads the field.
    platform.onPendingMessages = nullptr;
    w.setWidgetText(PlotWidget::KField, "no number");
    w.kFieldKeyDown(13);
    EXPECT_TRUE(platform.saw(tx::InvalidFloatInput));
}

// Everything of a window that a command could change.
struct Snapshot {
    std::string results;
    std::array<std::string, 4> lines;
    std::vector<std::string> widgets;
    std::vector<std::pair<bool, bool>> menu;
    PlotType plotType;
    FitOrder qOrder, cOrder;
    Smoothing smoothing;
    double k;
    int kStep, lastConc, lastAngle;
    std::vector<int> chosen;
    std::vector<std::int16_t> active;
    explicit Snapshot(PlotWindow& w)
        : results(w.resultsText()), lines(w.resultLines()), plotType(w.plotType()), qOrder(w.qOrder()),
          cOrder(w.cOrder()), smoothing(w.smoothing()), k(w.k()), kStep(w.kStep()), lastConc(w.set().lastConcIndex),
          lastAngle(w.set().lastAngleIndex), chosen(w.chosenConcentrations()) {
        for (const WidgetState& state : w.widgets()) widgets.push_back(state.text);
        for (const MenuItemState& state : w.menu()) menu.emplace_back(state.checked, state.enabled);
        for (int c = 1; c <= w.set().lastConcIndex; ++c)
            for (int a = 1; a <= w.set().lastAngleIndex; ++a) active.push_back(w.set().cell(c, a)->active);
    }
    bool operator==(const Snapshot&) const = default;
};

// The commands that read or change the window's data, results or chart.
const char* const kDataCommands[] = {
    "plotBerry", "plotDI",      "qOrder2",      "smooth",   "cOrder4",
    "cOrderNone", "calculate", "results", "correctReflection",   "formFactorMenu",
    "modelCoilMono",      "plotPzOverQ",           "copyDataToClipboard", "asciiToFile", "ratioToFile",
    "createPlxFile",     "pasteFromClipboard", "toggleChosenPoints", "activateAllPoints", "pointSelectionMode",
    "plotOptions", "print", "copyPlot", "savePlot",
    "loadNewFile", "addDataFile", "exitWindow", "kField", "kSmallerButton", "kLargerButton"};

TEST(PlotWindowLoad, WhileAFileIsReadNoCommandActsAndAbortLeavesEverythingAsItWas) {
    test::TempDir dir;
    const std::string added = dir.file("added.sta");
    std::filesystem::copy_file(Example("ps-toluene.sta"), added);
    ScriptedPlatform platform;
    PlotWindow w(platform);
    platform.openAnswers.push_back(Example("ps-small.asc"));
    w.activate();
    ASSERT_TRUE(w.calculated());
    FrameSaveDialog frame;
    DataExport ex(w, frame);
    PointSelection selection(w);
    GlobalDefaults defaults;
    w.setQOrder(FitOrder::One);
    w.setCOrder(FitOrder::One);
    w.chosenConcentrations() = {1};
    const Snapshot before(w);
    for (const char* command : kDataCommands) EXPECT_TRUE(w.commandAvailable(command)) << command;

    int polls = 0;
    platform.onPendingMessages = [&] {
        if (!w.loading() || polls++ > 0) return;
        for (const char* command : kDataCommands) EXPECT_FALSE(w.commandAvailable(command)) << command;
        for (const char* command : {"abortLoadButton", "printerSetup", "helpContents", "helpAbout"})
            EXPECT_TRUE(w.commandAvailable(command)) << command;
        // What a user could still reach between two records: every handler refuses.
        w.setPlotType(PlotType::Berry);
        w.setQOrder(FitOrder::Two);
        w.setQOrder(FitOrder::None);
        w.setCOrder(FitOrder::Four);
        w.toggleSmoothing();
        w.calculate();
        w.stepKDown();
        w.stepKUp();
        w.setWidgetText(PlotWidget::KField, "7");
        w.kFieldLeft();
        w.toggleFormFactorModel(kModelCoilMono);
        w.showFormFactorPlot(1);
        w.correctReflection();
        w.AfterOptions();
        EXPECT_EQ(openOptionsDialog(w, defaults), OptionsDialog::kResultAbort);
        EXPECT_EQ(w.addDataFile(), kLoadCancelled);
        EXPECT_FALSE(w.mayClose());
        selection.activateAllPoints();
        selection.deactivateAllPoints();
        selection.toggleChosenPoints();
        selection.togglePointSelectionMode();
        ex.exportData(DataExport::kTagAsciiToClipboard);
        ex.exportData(DataExport::kTagPlx);
        ex.pasteFromClipboard();
        ex.exportDialog().numbersField = "2 ";
        ex.exportDialog().ApplyTypedNumbers();
        savePlotAs(w, platform);
        copyPlotToClipboard(w, platform);
        // The user gives up the added file.
        w.abortLoading();
    };
    platform.messages.clear();
    platform.openAnswers.push_back(added);
    EXPECT_EQ(w.addDataFile(), kLoadCancelled);
    ASSERT_EQ(polls, 1) << "the reader let the interface run while it read";

    const Snapshot after(w);
    EXPECT_EQ(after.results, before.results);
    EXPECT_EQ(after.lines, before.lines);
    EXPECT_EQ(after.widgets, before.widgets);
    EXPECT_EQ(after.menu, before.menu);
    EXPECT_EQ(after.chosen, before.chosen);
    EXPECT_EQ(after.active, before.active);
    EXPECT_TRUE(after == before) << "orders, k and the set's indices are as before";
    EXPECT_EQ(w.plotType(), PlotType::Zimm);
    EXPECT_FALSE(selection.keyMode());
    EXPECT_FALSE(ex.exportDialog().visible());
    EXPECT_TRUE(platform.saveRequests.empty());
    EXPECT_TRUE(platform.clipboardText.empty());
    EXPECT_TRUE(platform.clipboardWmf.empty());
    EXPECT_TRUE(platform.messages.empty()) << platform.lastMessage().text;
    for (const char* command : kDataCommands) EXPECT_TRUE(w.commandAvailable(command)) << command;

    // The same commands act again once the load is over.
    w.setPlotType(PlotType::Berry);
    EXPECT_EQ(w.plotType(), PlotType::Berry);
}

TEST(PlotWindowLoad, NoWindowStartsALoadWhileAnotherReadsAFile) {
    ScriptedPlatform platform;
    PlotWindow w(platform);
    platform.openAnswers.push_back(Example("ps-small.asc"));
    w.activate();
    bool otherLoading = true;
    w.anyLoadRunning = [&] { return otherLoading; };
    EXPECT_FALSE(w.commandAvailable("addDataFile"));
    EXPECT_FALSE(w.commandAvailable("loadNewFile"));
    EXPECT_TRUE(w.commandAvailable("plotBerry")) << "the window's own data are not being read";
    const auto dialogs = platform.openRequests.size();
    EXPECT_EQ(w.addDataFile(), kLoadCancelled);
    EXPECT_EQ(platform.openRequests.size(), dialogs) << "no file dialog";
    otherLoading = false;
    EXPECT_TRUE(w.commandAvailable("addDataFile"));
}

} // namespace
} // namespace zeb
