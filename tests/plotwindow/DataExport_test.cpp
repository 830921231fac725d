// The plot window's export commands end to end: the selection dialog and the
// deferred export, the save dialog, clipboard texts, the PLX mode, and the
// exchange block exported from one window and pasted into another and into
// the same one.
#include "plotwindow/DataExport.h"
#include "export/ExportFixture.h"
#include "export/ExportText.h"
#include "plot/ChosenConcentrations.h"
#include "plotwindow/PlotWindow.h"
#include "support/SyntheticSets.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace zeb {
namespace {

struct ExportWindow {
    ScriptedPlatform platform;
    PlotWindow w{platform};
    FrameSaveDialog& saveDialog;
    DataExport ex{w, saveDialog};
    std::vector<bool> itemStates;
    int repaints = 0;

    explicit ExportWindow(FrameSaveDialog& frame, int nc = 4, int na = 3, double thetaFrom = 30.0) : saveDialog(frame) {
        test::FillModelSet(w.set(), nc, na, test::ModelParams{}, 1.0e-3, thetaFrom, 150.0);
        w.PostLoadSetup();
        ex.onItemsChanged = [this] { itemStates.push_back(ex.itemsEnabled()); };
        ex.onRepaint = [this] { ++repaints; };
    }
    void choose(std::initializer_list<int> cs) {
        ChosenConcentrations list(w.chosenConcentrations(), w.set());
        for (int c : cs) list.add(c);
    }
    std::string ascii(const std::vector<int>& chosen) {
        return BuildAsciiExport(w.set(), chosen, PlotTypeNumber(w.plotType()), &w.lineC0());
    }
};

TEST(DataExport, WithoutAChoiceTheDialogOpensAndTheExportRunsWhenItCloses) {
    test::TempDir dir;
    FrameSaveDialog frame;
    ExportWindow win(frame);
    ExportSelectionDialog& dialog = win.ex.exportDialog();
    dialog.numbersField = "stale";

    win.ex.exportData(DataExport::kTagAsciiToFile);
    EXPECT_TRUE(dialog.visible());
    EXPECT_EQ(dialog.numbersField, "");
    EXPECT_EQ(win.ex.exportMode(), DataExport::kModeAsciiToFile);
    EXPECT_TRUE(win.platform.saveRequests.empty());
    EXPECT_EQ(win.itemStates, (std::vector<bool>{false, true}));

    dialog.numbersField = "1 3 ";
    dialog.keyTyped(' ');
    EXPECT_EQ(win.w.chosenConcentrations(), (std::vector<int>{1, 3}));
    const std::string path = dir.file("out.ASC");
    win.platform.saveAnswers.push_back(path);
    dialog.accept();
    EXPECT_FALSE(dialog.visible());
    ASSERT_EQ(win.platform.saveRequests.size(), 1u);
    const FileDialogRequest& request = win.platform.saveRequests[0];
    EXPECT_EQ(request.filter, "ASC-Files (*.ASC)|*.ASC|All Files (*.*)|*.*|");
    EXPECT_EQ(request.filterIndex, 1);
    EXPECT_EQ(request.initialDir, "/data/series") << "the folder of the window's data";
    EXPECT_TRUE(request.overwritePrompt);
    EXPECT_EQ(test::ReadFile(path), win.ascii({1, 3}));
    EXPECT_TRUE(win.platform.messages.empty());

    // The frame's save dialog keeps the last name; Cancel writes nothing and says nothing.
    // Its data from elsewhere: the dialog starts there.
    win.w.set().sourceName[1] = "/lab/2024/series1.sta";
    win.ex.exportData(DataExport::kTagAsciiToFile);
    EXPECT_EQ(win.platform.saveRequests.back().proposedName, path);
    EXPECT_EQ(win.platform.saveRequests.back().initialDir, "/lab/2024");
    EXPECT_EQ(win.platform.saveRequests.size(), 2u);
    EXPECT_TRUE(win.platform.messages.empty());
}

TEST(DataExport, AbortClearsTheChoiceAndNothingIsExported) {
    FrameSaveDialog frame;
    ExportWindow win(frame);
    int posted = 0;
    win.ex.onPostDeferredExport = [&] { ++posted; };
    win.ex.exportData(DataExport::kTagRatioToFile);
    ExportSelectionDialog& dialog = win.ex.exportDialog();
    dialog.numbersField = "2 ";
    dialog.keyTyped(' ');
    EXPECT_EQ(win.w.set().cell(2, 1)->symbolState, 100);
    dialog.abort();
    EXPECT_EQ(posted, 1);
    EXPECT_TRUE(win.w.chosenConcentrations().empty());
    EXPECT_EQ(win.w.set().cell(2, 1)->symbolState, 1);
    win.ex.runDeferredExport();  // the posted click arrives
    EXPECT_TRUE(win.platform.saveRequests.empty());
    EXPECT_TRUE(win.platform.messages.empty());
}

TEST(DataExport, ClipboardTextsAndTheirRefusals) {
    FrameSaveDialog frame;
    ExportWindow win(frame);
    win.choose({2, 1});
    win.ex.exportData("ExportASCII2ClipB");
    EXPECT_EQ(win.platform.clipboardText, win.ascii({2, 1}));

    // No R in the model data.
    win.ex.exportData(DataExport::kTagRatioToClipboard);
    EXPECT_EQ(win.platform.lastMessage().text, "No data for Scattering Ratio available !");
    EXPECT_EQ(win.platform.lastMessage().caption, "ZEB-Stat");
    EXPECT_EQ(win.platform.lastMessage().icon, MsgIcon::Information);
    EXPECT_EQ(win.platform.clipboardText, win.ascii({2, 1}));
    win.w.set().cell(1, 2)->rSample = 1e-5;
    win.ex.exportData(DataExport::kTagRatioToClipboard);
    EXPECT_EQ(win.platform.clipboardText, *BuildScatteringRatioExport(win.w.set(), {2, 1}));

    win.platform.clipboardAvailable = false;
    win.ex.exportData(DataExport::kTagAsciiToClipboard);
    EXPECT_EQ(win.platform.lastMessage().text, "Could not open Clipboard !");
    EXPECT_EQ(win.platform.lastMessage().caption, "ZEBStat: Information");

    // Any other tag does nothing, not even touch the items.
    const auto states = win.itemStates.size();
    win.ex.exportData(8);
    EXPECT_EQ(win.itemStates.size(), states);
    EXPECT_EQ(win.ex.exportMode(), DataExport::kModeAsciiToClipboard);
}

TEST(DataExport, FilesTheirNamesAndWriteFailures) {
    test::TempDir dir;
    FrameSaveDialog frame;
    ExportWindow win(frame);
    win.choose({1});
    win.w.set().cell(1, 1)->rSample = 2e-5;

    win.platform.saveAnswers.push_back(dir.file("r.RAT"));
    win.ex.exportData("ratioToFile");
    EXPECT_EQ(win.platform.saveRequests.back().proposedName, "File1.RAT");
    EXPECT_EQ(win.platform.saveRequests.back().filter, "RAT-Files (*.RAT)|*.RAT|All Files (*.*)|*.*|");
    EXPECT_EQ(test::ReadFile(dir.file("r.RAT")), *BuildScatteringRatioExport(win.w.set(), {1}));

    // The PLX file holds the whole window, whatever is chosen; no selection dialog.
    win.w.chosenConcentrations().clear();
    win.platform.saveAnswers.push_back(dir.file("w.PLX"));
    win.ex.exportData(DataExport::kTagPlx);
    EXPECT_FALSE(win.ex.exportDialog().visible());
    EXPECT_EQ(win.platform.saveRequests.back().filter, "PLX-Files (*.PLX)|*.PLX|All Files (*.*)|*.*|");
    EXPECT_NE(test::ReadFile(dir.file("w.PLX")).find("4  , No. of conc."), std::string::npos);

    win.choose({1});
    win.platform.saveAnswers.push_back(dir.file("missing/folder/a.ASC"));
    win.ex.exportData(DataExport::kTagAsciiToFile);
    EXPECT_EQ(win.platform.lastMessage().text, "Write error ! Cannot write the data to disk.\n\n" +
                                                   dir.file("missing/folder/a.ASC") + ": No such file or directory");
    EXPECT_FALSE(std::filesystem::exists(dir.file("missing/folder/a.ASC")));
}

TEST(DataExport, ExchangeRoundTripIntoAnotherWindowAndIntoTheSameOne) {
    FrameSaveDialog frame;
    ExportWindow a(frame, 3, 4);
    a.choose({2, 0, 3});
    a.ex.exportData(DataExport::kTagExchange);
    ASSERT_TRUE(a.platform.messages.empty());
    const std::vector<std::uint8_t> block = a.platform.clipboardBlocks.at("CF_ZEB_STAT_SPECIAL");

    ExportWindow b(frame, 2, 5, 40.0);  // other angles, but 150° in common
    b.platform.clipboardBlocks["CF_ZEB_STAT_SPECIAL"] = block;
    b.platform.answers.push_back(MsgAnswer::Cancel);
    const std::string before = test::Snapshot(b.w.set());
    b.ex.pasteFromClipboard();
    const RecordedMessage& question = b.platform.lastMessage();
    EXPECT_EQ(question.text, "Add clipboard data to the records of the current window ?");
    EXPECT_EQ(question.caption, "ZEB-Stat");
    EXPECT_EQ(question.buttons, MsgButtons::OkCancel);
    EXPECT_EQ(question.icon, MsgIcon::Question);
    EXPECT_EQ(question.defaultAnswer, MsgAnswer::Cancel);
    EXPECT_EQ(test::Snapshot(b.w.set()), before);

    const double kBefore = b.w.k();
    b.platform.answers.push_back(MsgAnswer::Ok);
    b.ex.pasteFromClipboard();
    EXPECT_EQ(b.platform.messages.size(), 2u);
    EXPECT_EQ(b.w.set().lastConcIndex, 4);
    EXPECT_EQ(b.w.set().lastAngleIndex, 8);
    EXPECT_EQ(b.w.set().cell(3, 5)->kcr, a.w.set().cell(2, 4)->kcr);  // the 150° row is shared
    EXPECT_EQ(b.w.chosenConcentrations(), (std::vector<int>{3, 4}));
    EXPECT_GE(b.repaints, 1);
    // The pasted concentration exports the same lines as in its own window (in the receiver's row order).
    auto body = [](const std::string& text) {
        std::vector<std::string> lines;
        for (std::size_t at = text.find("c="), end; at < text.size(); at = end + 2) {
            end = text.find("\r\n", at);
            lines.push_back(text.substr(at, end - at));
        }
        std::sort(lines.begin(), lines.end());
        return lines;
    };
    EXPECT_EQ(body(b.ascii({3})), body(a.ascii({2})));
    // ... and the window has been prepared as after a load: its k follows the new largest concentration.
    EXPECT_NE(b.w.k(), kBefore);
    EXPECT_EQ(b.w.set().cell(4, 8)->symbolState, 100);

    // Pasted into the sender itself: a second copy on the same rows.
    a.platform.answers.push_back(MsgAnswer::Ok);
    a.ex.pasteFromClipboard();
    EXPECT_EQ(a.w.set().lastConcIndex, 5);
    EXPECT_EQ(a.w.set().lastAngleIndex, 4);
    EXPECT_EQ(a.w.chosenConcentrations(), (std::vector<int>{2, 0, 3, 4, 5}));
    EXPECT_EQ(body(a.ascii({5})), body(a.ascii({3})));
}

} // namespace
} // namespace zeb
