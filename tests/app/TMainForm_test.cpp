#include "app/TMainForm.h"
#include "platform/ScriptedPlatform.h"

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

TEST(TMainForm, CloseQuestionDefaultsToNo) {
    ScriptedPlatform p;
    test::TempDir dir;
    TMainForm frame(p, dir.file("zebstat.ini"));
    EXPECT_FALSE(frame.FormCloseQuery());
    const auto& m = p.lastMessage();
    EXPECT_EQ(m.text, "Finish ZEB-Stat session really ?");
    EXPECT_EQ(m.caption, "ZEB-Stat");
    EXPECT_EQ(m.buttons, MsgButtons::YesNo);
    EXPECT_EQ(m.icon, MsgIcon::Question);
    EXPECT_EQ(m.defaultAnswer, MsgAnswer::No);
    p.answers.push_back(MsgAnswer::Yes);
    EXPECT_TRUE(frame.FormCloseQuery());
}

TEST(TMainForm, ButtonsFollowTheNumberOfPlotWindows) {
    ScriptedPlatform p;
    test::TempDir dir;
    TMainForm frame(p, dir.file("zebstat.ini"));
    for (const char* name : {"CutBtn", "CopyBtn", "PasteBtn", "mnCascade", "mnTile", "mnArrangeIcons", "mnMinimizeAll"})
        EXPECT_FALSE(frame.enabled(name)) << name;
    EXPECT_TRUE(frame.enabled("OpenBtn"));
    frame.UpdateMenuState(2);
    EXPECT_TRUE(frame.enabled("CutBtn"));
    EXPECT_TRUE(frame.enabled("mnMinimizeAll"));
    frame.UpdateMenuState(0);
    EXPECT_FALSE(frame.enabled("PasteBtn"));
}

TEST(TMainForm, CtrlF4AndCtrlF6GoToTheCOrderOnlyWithAPlotWindow) {
    ScriptedPlatform p;
    test::TempDir dir;
    TMainForm frame(p, dir.file("zebstat.ini"));
    EXPECT_EQ(frame.KeyDown(TMainForm::kKeyF4, true), TMainForm::KeyAction::Pass);
    frame.UpdateMenuState(1);
    EXPECT_EQ(frame.KeyDown(TMainForm::kKeyF4, true), TMainForm::KeyAction::COrder4);
    EXPECT_EQ(frame.KeyDown(TMainForm::kKeyF6, true), TMainForm::KeyAction::COrderNo);
    EXPECT_EQ(frame.KeyDown(TMainForm::kKeyF4, false), TMainForm::KeyAction::Pass);
    // Without a plot window the first key after the screen saver is swallowed.
    frame.UpdateMenuState(0);
    frame.OtherInput(Event::ScreenSaver);
    EXPECT_EQ(frame.KeyDown('A', false), TMainForm::KeyAction::Swallow);
    EXPECT_EQ(frame.KeyDown('A', false), TMainForm::KeyAction::Pass);
}

TEST(TMainForm, FailedClipboardRegistrationAsksToClose) {
    ScriptedPlatform p;
    test::TempDir dir;
    TMainForm frame(p, dir.file("zebstat.ini"));
    EXPECT_FALSE(frame.FormActivate([] { return false; }));
    EXPECT_EQ(p.lastMessage().text, "Could not register specific clipboad format !");
    EXPECT_EQ(p.lastMessage().icon, MsgIcon::Stop);
    EXPECT_TRUE(frame.FormActivate([] { return false; }));  // only the first activation registers
}

} // namespace
} // namespace zeb
