// The plot window after a load: the load sequence's hooks run the post-load
// setup (first load and every added file), and the k field ignores Enter
// while a file is read.
#include "analysis/NumberText.h"
#include "texts/CommonTexts.h"
#include "data/RoundSig.h"
#include "dialogs/TFormOptions.h"
#include "plotwindow/DataExport.h"
#include "platform/ScriptedPlatform.h"
#include "plotwindow/ChartCommands.h"
#include "plotwindow/PointSelection.h"
#include "plotwindow/TFitF1.h"
#include "plotwindow/TFitF1Options.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace zeb {
namespace {

using test::Example;

double DefaultK(const MeasurementSet& s) {
    return RoundSig(s.q2[s.lastAngleIndex] / s.concentration[s.lastConcIndex] * 10, 3);
}

TEST(TFitF1Load, FirstLoadAndAddedFilesRunThePostLoadSetup) {
    ScriptedPlatform platform;
    TFitF1 w(platform);
    platform.openAnswers.push_back(Example("ps-static.sta"));
    w.FormActivate();
    ASSERT_FALSE(w.view().closeRequested);
    EXPECT_TRUE(w.calculated());
    EXPECT_EQ(w.k(), DefaultK(w.set()));
    EXPECT_EQ(w.widget(PlotWidget::EditK).text, Gcvt6(w.k() * 1e-11));
    // The file holds static data only.
    EXPECT_TRUE(w.menuItem(PlotMenuItem::PlotBerry).enabled);
    EXPECT_FALSE(w.menuItem(PlotMenuItem::PlotDI).enabled);
    EXPECT_TRUE(w.widget(PlotWidget::ButtonKSmaller).visible);
    EXPECT_TRUE(w.menuItem(PlotMenuItem::Calculate).enabled);

    // Orders stay, k and its step start again, the new data's plot types are offered.
    w.OnBerechnungQ1();
    w.OnBerechnungC1();
    w.OnClicked_K_Kl();
    ASSERT_EQ(w.kStep(), 9);
    ASSERT_EQ(w.results().conc.size(), 6u);
    platform.openAnswers.push_back(Example("ps-toluene.sta"));
    ASSERT_EQ(w.ID_DATEI_DAZULADENClick(), kLoadOk);
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
    EXPECT_EQ(w.ID_DATEI_DAZULADENClick(), kLoadFailed);
    EXPECT_EQ(w.set().lastConcIndex, 9);
    EXPECT_EQ(w.resultsText(), text);
}

TEST(TFitF1Load, EnterInTheKFieldIsIgnoredWhileAFileIsRead) {
    ScriptedPlatform platform;
    TFitF1 w(platform);
    platform.openAnswers.push_back(Example("ps-static.sta"));
    w.FormActivate();
    ASSERT_FALSE(w.view().closeRequested) << "the first file did not load";
    int pressedWhileLoading = 0;
    platform.onPendingMessages = [&] {
        if (!w.loading()) return;
        ++pressedWhileLoading;
        w.EditIDC_EING_KEnter();
        w.setWidgetText(PlotWidget::EditK, "no number");
        w.EditIDC_EING_KKeyDown(13);
    };
    platform.messages.clear();
    platform.openAnswers.push_back(Example("ps-small.asc"));
    ASSERT_EQ(w.ID_DATEI_DAZULADENClick(), kLoadOk);
    ASSERT_GT(pressedWhileLoading, 0);
    EXPECT_FALSE(platform.saw(tx::InvalidFloatInput));
    EXPECT_EQ(w.k(), DefaultK(w.set()));
    // Once loaded, Enter reads the field.
    platform.onPendingMessages = nullptr;
    w.setWidgetText(PlotWidget::EditK, "no number");
    w.EditIDC_EING_KKeyDown(13);
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
    explicit Snapshot(TFitF1& w)
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
    "PLOTTYP_BERRY", "PLOTTYP_DI",      "ID_BER_Q_2",      "ID_BER_GEGLTTET",   "ID_BER_C_4",
    "ID_BER_C_KEINE", "ID_BER_BERECHNE", "ID_BER_AUSWERTUNG", "mnCorrReflect",   "mnFormFactor",
    "mnCoilMd",      "mnPzQ",           "ID_DATEN_SPEICHERN", "mnExportASCII2File", "mnScaRat2File",
    "mnPLTfile",     "mnPasteFromClipBoard", "mnDeActivateData", "ID_BEARBEITEN_ALLEPUNKTE", "PUNKTWAHLMODUSANAUS",
    "mnPlotOptions", "ID_DATEI_DRUCKEN", "ID_BEARBEITEN_PLOTKOPIEREN", "ID_BEARBEITEN_PLOTSPEICHERN",
    "ID_DATEI_LADEN", "ID_DATEI_DAZULADEN", "ID_DATEI_BEENDEN", "EditIDC_EING_K", "BtnIDC_K_KL", "BtnIDC_K_GR"};

TEST(TFitF1Load, WhileAFileIsReadNoCommandActsAndAbortLeavesEverythingAsItWas) {
    test::TempDir dir;
    const std::string added = dir.file("added.sta");
    std::filesystem::copy_file(Example("ps-toluene.sta"), added);
    ScriptedPlatform platform;
    TFitF1 w(platform);
    platform.openAnswers.push_back(Example("ps-small.asc"));
    w.FormActivate();
    ASSERT_TRUE(w.calculated());
    FrameSaveDialog frame;
    DataExport ex(w, frame);
    PointSelection selection(w);
    GlobalDefaults defaults;
    w.OnBerechnungQ1();
    w.OnBerechnungC1();
    w.chosenConcentrations() = {1};
    const Snapshot before(w);
    for (const char* command : kDataCommands) EXPECT_TRUE(w.commandAvailable(command)) << command;

    int polls = 0;
    platform.onPendingMessages = [&] {
        if (!w.loading() || polls++ > 0) return;
        for (const char* command : kDataCommands) EXPECT_FALSE(w.commandAvailable(command)) << command;
        for (const char* command : {"BtnAbortLoad", "mDruckerSetup", "ID_HILFE_HILFE", "ID_HILFE_ABOUT"})
            EXPECT_TRUE(w.commandAvailable(command)) << command;
        // What a user could still reach between two records: every handler refuses.
        w.OnBerechnungPlottypBerry();
        w.OnBerechnungQ2();
        w.OnBerechnungQKeine();
        w.OnBerechnungC4();
        w.OnSelchangeComboFitmethode();
        w.OnClickedRechne();
        w.OnClicked_K_Kl();
        w.OnClicked_K_Gr();
        w.setWidgetText(PlotWidget::EditK, "7");
        w.OnKillfocusEingK();
        w.mnFormFactorPClick(10);
        w.mnFormFactorPPClick(11);
        w.mnCorrReflectClick();
        w.AfterOptions();
        EXPECT_EQ(OnOptionen(w, defaults), TFormOptions::kResultAbort);
        EXPECT_EQ(w.ID_DATEI_DAZULADENClick(), kLoadCancelled);
        EXPECT_FALSE(w.FormCloseQuery());
        selection.ID_BEARBEITEN_ALLEPUNKTEClick();
        selection.ID_BEARBEITEN_KEINEPUNKTEClick();
        selection.mnDeActivateDataClick();
        selection.PUNKTWAHLMODUSANAUSClick();
        ex.OnDataExport(DataExport::kTagAsciiToClipboard);
        ex.OnDataExport(DataExport::kTagPlx);
        ex.mnPasteFromClipBoardClick();
        ex.exportDialog().Edit1 = "2 ";
        ex.exportDialog().ApplyTypedNumbers();
        ID_BEARBEITEN_PLOTSPEICHERNClick(w, platform);
        ID_BEARBEITEN_PLOTKOPIERENClick(w, platform);
        // The user gives up the added file.
        w.BtnAbortLoadClick();
    };
    platform.messages.clear();
    platform.openAnswers.push_back(added);
    EXPECT_EQ(w.ID_DATEI_DAZULADENClick(), kLoadCancelled);
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
    w.OnBerechnungPlottypBerry();
    EXPECT_EQ(w.plotType(), PlotType::Berry);
}

TEST(TFitF1Load, NoWindowStartsALoadWhileAnotherReadsAFile) {
    ScriptedPlatform platform;
    TFitF1 w(platform);
    platform.openAnswers.push_back(Example("ps-small.asc"));
    w.FormActivate();
    bool otherLoading = true;
    w.anyLoadRunning = [&] { return otherLoading; };
    EXPECT_FALSE(w.commandAvailable("ID_DATEI_DAZULADEN"));
    EXPECT_FALSE(w.commandAvailable("ID_DATEI_LADEN"));
    EXPECT_TRUE(w.commandAvailable("PLOTTYP_BERRY")) << "the window's own data are not being read";
    const auto dialogs = platform.openRequests.size();
    EXPECT_EQ(w.ID_DATEI_DAZULADENClick(), kLoadCancelled);
    EXPECT_EQ(platform.openRequests.size(), dialogs) << "no file dialog";
    otherLoading = false;
    EXPECT_TRUE(w.commandAvailable("ID_DATEI_DAZULADEN"));
}

} // namespace
} // namespace zeb
