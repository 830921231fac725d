#include "app/FrameWindow.h"
#include "platform/ScriptedPlatform.h"
#include "settings/SettingsFile.h"
#include "support/TestSupport.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace zeb {
namespace {

using Event = WakeGuard::Event;

TEST(WakeGuard, SwallowsOnlyTheFirstInputAfterAnAnnouncement) {
    WakeGuard g;
    EXPECT_FALSE(g.filter(Event::LeftButtonDown, false));
    for (Event announce : {Event::SuspendRequest, Event::SuspendQuery, Event::ScreenSaver, Event::MonitorPowerOff}) {
        EXPECT_FALSE(g.filter(announce, false));
        EXPECT_TRUE(g.armed());
        EXPECT_FALSE(g.filter(Event::Other, false));  // other messages pass and keep it armed
        EXPECT_TRUE(g.filter(Event::LeftButtonDown, false));
        EXPECT_FALSE(g.filter(Event::LeftButtonDown, false));
    }
    g.filter(Event::ScreenSaver, false);
    EXPECT_TRUE(g.filter(Event::Command, false));
    g.filter(Event::ScreenSaver, false);
    EXPECT_FALSE(g.filter(Event::AppActivated, false));
    EXPECT_FALSE(g.filter(Event::Command, false));
}

TEST(WakeGuard, KeyDownsAreNotGuardedWhileAPlotWindowExists) {
    WakeGuard g;
    g.filter(Event::ScreenSaver, true);
    EXPECT_FALSE(g.filter(Event::KeyDown, true));
    EXPECT_TRUE(g.armed());
    EXPECT_TRUE(g.filter(Event::KeyDown, false));
}

TEST(FrameWindow, CloseQuestionDefaultsToNo) {
    ScriptedPlatform p;
    test::TempDir dir;
    FrameWindow frame(p, dir.file("zebstat.ini"));
    EXPECT_FALSE(frame.mayClose());
    const auto& m = p.lastMessage();
    EXPECT_EQ(m.text, "Finish ZEB-Stat session really ?");
    EXPECT_EQ(m.caption, "ZEB-Stat");
    EXPECT_EQ(m.buttons, MsgButtons::YesNo);
    EXPECT_EQ(m.icon, MsgIcon::Question);
    EXPECT_EQ(m.defaultAnswer, MsgAnswer::No);
    p.answers.push_back(MsgAnswer::Yes);
    EXPECT_TRUE(frame.mayClose());
}

TEST(FrameWindow, ButtonsFollowTheNumberOfPlotWindows) {
    ScriptedPlatform p;
    test::TempDir dir;
    FrameWindow frame(p, dir.file("zebstat.ini"));
    for (const char* name : {"CutBtn", "CopyBtn", "PasteBtn", "cascadeWindows", "tileWindows", "arrangeIcons", "minimizeAllWindows"})
        EXPECT_FALSE(frame.enabled(name)) << name;
    EXPECT_TRUE(frame.enabled("OpenBtn"));
    frame.UpdateMenuState(2);
    EXPECT_TRUE(frame.enabled("CutBtn"));
    EXPECT_TRUE(frame.enabled("minimizeAllWindows"));
    frame.UpdateMenuState(0);
    EXPECT_FALSE(frame.enabled("PasteBtn"));
}

TEST(FrameWindow, CtrlF4AndCtrlF6GoToTheCOrderOnlyWithAPlotWindow) {
    ScriptedPlatform p;
    test::TempDir dir;
    FrameWindow frame(p, dir.file("zebstat.ini"));
    EXPECT_EQ(frame.KeyDown(FrameWindow::kKeyF4, true), FrameWindow::KeyAction::Pass);
    frame.UpdateMenuState(1);
    EXPECT_EQ(frame.KeyDown(FrameWindow::kKeyF4, true), FrameWindow::KeyAction::COrder4);
    EXPECT_EQ(frame.KeyDown(FrameWindow::kKeyF6, true), FrameWindow::KeyAction::COrderNo);
    EXPECT_EQ(frame.KeyDown(FrameWindow::kKeyF4, false), FrameWindow::KeyAction::Pass);
    // Without a plot window the first key after the screen saver is swallowed.
    frame.UpdateMenuState(0);
    frame.OtherInput(Event::ScreenSaver);
    EXPECT_EQ(frame.KeyDown('A', false), FrameWindow::KeyAction::Swallow);
    EXPECT_EQ(frame.KeyDown('A', false), FrameWindow::KeyAction::Pass);
}

TEST(FrameWindow, NoShortcutActsBehindAModalDialog) {
    ScriptedPlatform p;
    FrameWindow frame(p, "/tmp/x.ini");
    frame.UpdateMenuState(2);
    EXPECT_EQ(frame.KeyDown(FrameWindow::kKeyF4, true, true), FrameWindow::KeyAction::Swallow);
    EXPECT_EQ(frame.KeyDown(FrameWindow::kKeyF6, true, true), FrameWindow::KeyAction::Swallow);
    // Other keys belong to the dialog.
    EXPECT_EQ(frame.KeyDown(FrameWindow::kKeyF4, false, true), FrameWindow::KeyAction::Pass);
    EXPECT_EQ(frame.KeyDown('A', true, true), FrameWindow::KeyAction::Pass);
    EXPECT_EQ(frame.KeyDown(FrameWindow::kKeyF4, true, false), FrameWindow::KeyAction::COrder4);
}

TEST(FrameWindow, ALoadRunsUntilEveryDisableIsMatched) {
    ScriptedPlatform p;
    FrameWindow frame(p, "/tmp/x.ini");
    frame.UpdateMenuState(1);
    EXPECT_FALSE(frame.loadRunning());
    // Adding a file disables twice (the command, then the load sequence).
    frame.FileCommandsEnabled(false);
    frame.FileCommandsEnabled(false);
    frame.FileCommandsEnabled(true);
    EXPECT_TRUE(frame.loadRunning());
    for (const char* name : {"CutBtn", "CopyBtn", "PasteBtn"}) EXPECT_FALSE(frame.enabled(name)) << name;
    EXPECT_TRUE(frame.enabled("tileWindows"));
    frame.FileCommandsEnabled(true);
    EXPECT_FALSE(frame.loadRunning());
    for (const char* name : {"CutBtn", "CopyBtn", "PasteBtn"}) EXPECT_TRUE(frame.enabled(name)) << name;
    frame.FileCommandsEnabled(true);  // one too many changes nothing
    frame.FileCommandsEnabled(false);
    EXPECT_TRUE(frame.loadRunning());
}

TEST(FrameWindow, ASettingsFileThatIsNotReadIsReportedOnceAtStart) {
    test::TempDir dir;
    const std::string ini = dir.file("zebstat.ini");
    test::WriteFile(ini, std::string(3 * 1024 * 1024, '\n'));
    ScriptedPlatform p;
    FrameWindow frame(p, ini);
    const GlobalDefaults g = frame.ReadGlobalSettings();
    EXPECT_EQ(g, ReadGlobalSettings(dir.file("none.ini"))) << "the built-in defaults";
    EXPECT_TRUE(p.messages.empty()) << "shown when the frame is there";
    EXPECT_TRUE(frame.activate([] { return true; }));
    ASSERT_EQ(p.messages.size(), 1u);
    EXPECT_EQ(p.lastMessage().text, "The settings file is not read; the built-in settings are used.\n\n" + ini +
                                         ": the file is larger than 1024 KB, far more than settings take");
    EXPECT_EQ(p.lastMessage().caption, "ZEBStat: Information");
    EXPECT_TRUE(frame.activate([] { return true; }));
    EXPECT_EQ(p.messages.size(), 1u);

    // A missing file is the normal first start: nothing to say.
    ScriptedPlatform q;
    FrameWindow fresh(q, dir.file("new.ini"));
    fresh.ReadGlobalSettings();
    fresh.activate([] { return true; });
    EXPECT_TRUE(q.messages.empty());
}

TEST(FrameWindow, FailedClipboardRegistrationAsksToClose) {
    ScriptedPlatform p;
    test::TempDir dir;
    FrameWindow frame(p, dir.file("zebstat.ini"));
    EXPECT_FALSE(frame.activate([] { return false; }));
    EXPECT_EQ(p.lastMessage().text, "Could not register specific clipboad format !");
    EXPECT_EQ(p.lastMessage().icon, MsgIcon::Stop);
    EXPECT_TRUE(frame.activate([] { return false; }));  // only the first activation registers
}

} // namespace
} // namespace zeb
