#include "LoadTestSupport.h"

#include "texts/FileTexts.h"
#include "data/Readers.h"
#include "settings/Profile.h"
#include "settings/RecentFiles.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace zeb {
namespace {

using test::LoadWindow;

// The text; a further line may name the file and the reason.
void ExpectMessage(const RecordedMessage& m, const std::string& text, const std::string& caption, MsgIcon icon) {
    EXPECT_TRUE(m.text == text || m.text.rfind(text + "\n", 0) == 0) << m.text;
    EXPECT_EQ(m.caption, caption);
    EXPECT_EQ(m.icon, icon);
    EXPECT_EQ(m.buttons, MsgButtons::Ok);
}

TEST(LoadSequence, RefusalsHaveTheirMessagesAndTheDataPathIsRemembered) {
    test::TempDir dir;
    const std::string ini = dir.file("zebstat.ini");
    struct Case {
        std::string name, bytes, text, caption;
        MsgIcon icon;
        bool beep, remembersPath;
    };
    const std::vector<Case> cases = {
        {"DATA", "1 1 1e-3 90 1e10 1e-6", "Extension missing !", "ZEBStat: Information", MsgIcon::Exclamation, false, false},
        {"x.txt", "1 1 1e-3 90 1e10 1e-6", "Unknown file format or file extension. Rename the file if necessary.",
         "ZEBstat Error", MsgIcon::Information, true, true},
        {"x.plt", "DBIN and more", "No SLS data ! File containes DLS correlation data.\nCan not load !",
         "ZEBstat Error", MsgIcon::Exclamation, true, true},
        {"y.sta", "ZEB-", tx::NoSlsData, "ZEBstat Error", MsgIcon::Exclamation, true, true},
        {"short.asc", "1 1", "This file cannot be opened.", "ZEBstat Error", MsgIcon::Exclamation, true, true},
    };
    for (const auto& c : cases) {
        std::filesystem::create_directories(dir.path() / "sub");
        const auto path = test::Write(dir, "sub/" + c.name, c.bytes);
        std::filesystem::remove(ini);
        LoadWindow w;
        w.window.setSettingsPath(ini);
        EXPECT_FALSE(w.first(path)) << c.name;
        ASSERT_EQ(w.platform.messages.size(), 1u) << c.name;
        ExpectMessage(w.platform.messages[0], c.text, c.caption, c.icon);
        if (c.name == "short.asc") {
            EXPECT_EQ(test::DetailOf(w.platform.messages[0].text), path + ": the file holds fewer than 4 bytes");
        }
        EXPECT_EQ(w.platform.beeps, c.beep ? 1 : 0) << c.name;
        EXPECT_EQ(GetPrivateProfileString("Settings", "DataPath", "none", 259, ini),
                  c.remembersPath ? dir.file("sub/") : "none")
            << c.name;
    }
}

TEST(LoadSequence, FileDialogStartsInTheRememberedDirectory) {
    test::TempDir dir;
    const std::string ini = dir.file("zebstat.ini");
    ASSERT_TRUE(WritePrivateProfileString("Settings", "DataPath", "/data/old/", ini));
    LoadWindow w;
    w.window.setSettingsPath(ini);
    w.platform.openAnswers.push_back(std::nullopt);  // cancelled
    w.window.activate();
    EXPECT_TRUE(w.window.view().closeRequested);  // a new window without a file closes, silently
    EXPECT_TRUE(w.platform.messages.empty());
    ASSERT_EQ(w.platform.openRequests.size(), 1u);
    const auto& r = w.platform.openRequests[0];
    EXPECT_EQ(r.filter,
              "ZEB7100 [stat.-dyn.] (*.sta;*.dat)|*.sta;*.dat|TARN Files (*.plt)|*.plt|ZEB/Static PLX-files "
              "(*.plx)|*.plx|TAB-sep. ASCII Files (*.asc)|*.asc|All Files (*.*)|*.*|");
    EXPECT_EQ(r.filterIndex, 1);
    EXPECT_EQ(r.initialDir, "/data/old/");
    EXPECT_TRUE(r.mustExist);
}

TEST(LoadSequence, AFileThatCannotBeReadIsNamedWithTheReason) {
    test::TempDir dir;
    std::filesystem::permissions(dir.path(), std::filesystem::perms(0755));
    const auto path = test::Write(dir, "secret.asc", "1 1 1e-3 90 1e10 1e-6");
    ASSERT_EQ(::chmod(path.c_str(), 0200), 0);  // write-only: no one but root may read it
    const int status = test::InChild(
        [&] {
            LoadWindow w;
            if (w.first(path)) return 1;
            if (w.platform.lastMessage().text != "This file cannot be opened.\n" + path + ": Permission denied") return 2;
            return 0;
        },
        true);
    EXPECT_EQ(status, 0);

    LoadWindow folder;  // a folder of that name
    std::filesystem::create_directory(dir.file("folder.asc"));
    EXPECT_FALSE(folder.first(dir.file("folder.asc")));
    EXPECT_EQ(folder.platform.lastMessage().text, "This file cannot be opened.\n" + dir.file("folder.asc") + ": Is a directory");
}

TEST(LoadSequence, FirstLoadSetsUpTheWindow) {
    test::TempDir dir;
    LoadWindow w;
    std::vector<bool> frame;
    w.window.onFrameFileCommands = [&](bool on) { frame.push_back(on); };
    EXPECT_TRUE(w.window.view().loadingLabelVisible);
    ASSERT_TRUE(w.first(test::Write(dir, "ps.asc", examples::ExampleFile("ps-small.asc"))));
    EXPECT_EQ(w.window.view().caption, "ps");
    EXPECT_FALSE(w.window.view().loadingLabelVisible);
    EXPECT_FALSE(w.window.view().abortLoadingVisible);
    EXPECT_FALSE(w.window.view().hourglassCursor);
    EXPECT_FALSE(w.window.loading());
    EXPECT_EQ(frame, (std::vector<bool>{false, true}));
    EXPECT_EQ(w.window.currentExtension(), "ASC");
}

// A file given from outside (command line, drop, recent files) loads as one
// chosen in the dialog, without the dialog; the files read go to the head of
// the recent files, refused ones do not.
TEST(LoadSequence, AFileGivenFromOutsideLoadsWithoutTheDialogAndIsRemembered) {
    test::TempDir dir;
    const std::string ini = dir.file("zebstat.ini");
    LoadWindow w;
    w.window.setSettingsPath(ini);
    const std::string plx = test::Write(dir, "given.plx", examples::ExampleFile("ps-toluene.plx"));
    w.window.setFileToOpen(plx);
    w.window.activate();  // no answer queued: a dialog would have been cancelled
    ASSERT_FALSE(w.window.view().closeRequested) << (w.platform.messages.empty() ? "" : w.platform.lastMessage().text);
    EXPECT_TRUE(w.platform.openRequests.empty());
    EXPECT_EQ(w.window.view().caption, "given");
    EXPECT_EQ(w.set().lastConcIndex, 3);
    EXPECT_EQ(GetPrivateProfileString("Settings", "DataPath", "", 259, ini), dir.path().string() + "/");
    EXPECT_EQ(ReadRecentFiles(ini), std::vector<std::string>{plx});

    // The next load asks again; an added file joins the head of the list.
    const std::string asc = test::Write(dir, "added.asc", examples::ExampleFile("ps-small.asc"));
    EXPECT_EQ(w.add(asc), kLoadOk);
    EXPECT_EQ(w.platform.openRequests.size(), 1u);
    EXPECT_EQ(ReadRecentFiles(ini), (std::vector<std::string>{asc, plx}));

    // A file that is missing or refused is named in a message and not remembered.
    LoadWindow missing;
    missing.window.setSettingsPath(ini);
    missing.window.setFileToOpen(dir.file("gone.sta"));
    missing.window.activate();
    EXPECT_TRUE(missing.window.view().closeRequested);
    ASSERT_FALSE(missing.platform.messages.empty());
    EXPECT_EQ(missing.platform.lastMessage().text.rfind("This file cannot be opened.\n" + dir.file("gone.sta"), 0), 0u);
    LoadWindow refused;
    refused.window.setSettingsPath(ini);
    refused.window.setFileToOpen(test::Write(dir, "notes.txt", "hello\n"));
    refused.window.activate();
    EXPECT_TRUE(refused.window.view().closeRequested);
    EXPECT_EQ(ReadRecentFiles(ini), (std::vector<std::string>{asc, plx}));
}

TEST(LoadSequence, AddedFileThatFailsLeavesExactlyTheEarlierData) {
    test::TempDir dir;
    LoadWindow w;
    ASSERT_TRUE(w.first(test::Write(dir, "ps.sta", examples::ExampleFile("ps-toluene.sta"))));
    const auto& set = w.set();
    const int conc = set.lastConcIndex, rows = set.lastAngleIndex;
    const std::string sample = set.sampleName;
    const double kcr = set.cell(2, 3)->kcr;
    // A PLX whose table ends early: its columns and its new rows were created before the failure.
    std::string plx = examples::ExampleFile("ps-toluene.plx");
    plx.resize(plx.size() - 300);
    std::vector<bool> menu;
    w.platform.onPendingMessages = [&] { menu.push_back(w.window.menuEnabled("addDataFile")); };
    EXPECT_EQ(w.add(test::Write(dir, "cut.plx", plx)), kLoadFailed);
    EXPECT_FALSE(menu.empty());
    EXPECT_FALSE(menu.front());  // disabled while the file is read
    EXPECT_TRUE(w.window.menuEnabled("addDataFile"));
    EXPECT_FALSE(w.window.view().abortLoadingVisible);
    EXPECT_EQ(set.lastConcIndex, conc);
    EXPECT_EQ(set.lastAngleIndex, rows);
    EXPECT_EQ(set.sampleName, sample);
    EXPECT_EQ(set.cell(2, 3)->kcr, kcr);
    // A good file is added after the earlier data.
    EXPECT_EQ(w.add(test::Write(dir, "ok.plx", examples::ExampleFile("ps-toluene.plx"))), kLoadOk);
    EXPECT_EQ(set.lastConcIndex, conc + 3);
}

TEST(LoadSequence, ClosingAsksAndIsRefusedWhileLoading) {
    test::TempDir dir;
    LoadWindow w;
    ASSERT_TRUE(w.first(test::Write(dir, "ps.asc", examples::ExampleFile("ps-small.asc"))));
    w.platform.answers.push_back(MsgAnswer::No);
    w.window.exitWindow();
    EXPECT_FALSE(w.window.view().closeRequested);
    const auto& q = w.platform.lastMessage();
    EXPECT_EQ(q.text, "Close this window really ?");
    EXPECT_EQ(q.caption, "ZEB-Stat");
    EXPECT_EQ(q.buttons, MsgButtons::YesNo);
    EXPECT_EQ(q.icon, MsgIcon::Question);
    EXPECT_EQ(q.defaultAnswer, MsgAnswer::No);
    w.platform.answers.push_back(MsgAnswer::Yes);
    w.window.exitWindow();
    EXPECT_TRUE(w.window.view().closeRequested);

    LoadWindow busy;
    ASSERT_TRUE(busy.first(test::Write(dir, "ps2.asc", examples::ExampleFile("ps-small.asc"))));
    bool refused = false;
    busy.platform.onPendingMessages = [&] {
        refused = !busy.window.mayClose();
        busy.window.abortLoading();
    };
    EXPECT_EQ(busy.add(dir.file("ps2.asc")), kLoadCancelled);
    EXPECT_TRUE(refused);
    EXPECT_EQ(busy.set().lastConcIndex, 4);  // the aborted file left nothing
}

// Damaged files of every format, added to a loaded window: never a crash, and
// the window keeps exactly its data.
TEST(LoadSequence, DamagedFilesNeverChangeTheWindowsData) {
    test::TempDir dir;
    LoadWindow w;
    ASSERT_TRUE(w.first(test::Write(dir, "base.asc", examples::ExampleFile("ps-small.asc"))));
    auto& set = w.set();
    const std::string sample = set.sampleName, solvent = set.solventName;
    auto snapshot = [&] {
        std::string s = set.sampleName + "|" + set.solventName + "|" + std::to_string(set.lastConcIndex) + "|" +
                        std::to_string(set.lastAngleIndex);
        for (int c = 1; c <= set.lastConcIndex; ++c)
            for (int a = 1; a <= set.lastAngleIndex; ++a) {
                const auto b = ToBytes(*set.cell(c, a));
                s.append(reinterpret_cast<const char*>(b.data()), b.size());
            }
        return s;
    };
    const std::string before = snapshot();
    int files = 0, failedLoads = 0;
    for (const char* name : {"ps-toluene.sta", "ps-tarn.plt", "ps-toluene.plx", "ps-small.asc"}) {
        const std::string good = examples::ExampleFile(name);
        const std::string ext = std::string(name).substr(std::string(name).rfind('.'));
        examples::Noise noise(42);
        for (int k = 0; k < 40; ++k) {
            std::string bad = good;
            if (k < 20) {
                bad.resize(good.size() * k / 20);  // cut
            } else {
                for (int flips = 0; flips < 4; ++flips) {  // a few bytes overwritten
                    const auto at = static_cast<std::size_t>((noise.normal() + 4.0) / 8.0 * double(bad.size()));
                    bad[std::min(at, bad.size() - 1)] = static_cast<char>("\n,9-e\0\xFF."[flips * 2 % 8]);
                }
                if (bad == good) continue;
            }
            const auto path = test::Write(dir, "bad" + std::to_string(k) + ext, bad);
            const int result = w.add(path);
            ++files;
            if (result == kLoadOk) {
                // A damage the reader cannot notice: the data were added; undo for the next round.
                set.lastConcIndex = set.savedConcIndex;
                set.lastAngleIndex = set.savedAngleIndex;
                set.sampleName = sample;
                set.solventName = solvent;
                continue;
            }
            ASSERT_EQ(snapshot(), before) << name << " variant " << k;
            ++failedLoads;
        }
    }
    EXPECT_GT(files, 120);
    EXPECT_GT(failedLoads, 60);  // most damages are noticed
}

} // namespace
} // namespace zeb
