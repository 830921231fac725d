#include "app/FrameWindow.h"

#include "texts/CommonTexts.h"
#include "texts/FrameTexts.h"
#include "platform/Platform.h"
#include "settings/SettingsFile.h"

namespace zeb {

FrameWindow::FrameWindow(Platform& platform, std::string settingsPath)
    : platform_(platform), settingsPath_(std::move(settingsPath)) {
    UpdateMenuState(0);
}

GlobalDefaults FrameWindow::ReadGlobalSettings() { return zeb::ReadGlobalSettings(settingsPath_, &settingsProblem_); }

bool FrameWindow::activate(const std::function<bool()>& registerClipboardFormat) {
    if (!firstActivationPending_) return true;
    firstActivationPending_ = false;
    if (!settingsProblem_.empty()) platform_.inform(settingsProblem_, tx::CapInformation, MsgIcon::Exclamation);
    if (!registerClipboardFormat || registerClipboardFormat()) return true;
    platform_.inform(tx::CouldNotRegisterClipboardFormat, tx::CapZebStat, MsgIcon::Stop);
    return false;
}

bool FrameWindow::mayClose() {
    return platform_.message(tx::FinishSessionQuestion, tx::CapZebStat, MsgButtons::YesNo, MsgIcon::Question,
                             MsgAnswer::No) == MsgAnswer::Yes;
}

void FrameWindow::UpdateMenuState(int childWindowCount) {
    childCount_ = childWindowCount;
    const bool any = childWindowCount > 0;
    for (const char* name : {"cascadeWindows", "tileWindows", "arrangeIcons", "minimizeAllWindows"}) enabled_[name] = any;
    // The data buttons rest while a file is read.
    for (const char* name : {"CutBtn", "CopyBtn", "PasteBtn"}) enabled_[name] = any && !loadRunning();
    enabled_["OpenBtn"] = true;
    enabled_["ExitBtn"] = true;
}

bool FrameWindow::enabled(const std::string& name) const {
    const auto it = enabled_.find(name);
    return it != enabled_.end() && it->second;
}

void FrameWindow::FileCommandsEnabled(bool enabled) {
    // The load sequence may disable twice (adding a file) and enables as often.
    if (!enabled) ++loadsRunning_;
    else if (loadsRunning_ > 0) --loadsRunning_;
    UpdateMenuState(childCount_);
}

FrameWindow::KeyAction FrameWindow::KeyDown(int virtualKey, bool ctrl, bool modalOpen) {
    if (modalOpen && ctrl && (virtualKey == kKeyF4 || virtualKey == kKeyF6)) return KeyAction::Swallow;
    if (childCount_ > 0) {
        // Ctrl+F4 and Ctrl+F6 are the c-order shortcuts "&4" and "&no" of the
        // plot window; they never reach the window system's close and next-window keys.
        if (ctrl && virtualKey == kKeyF4) return KeyAction::COrder4;
        if (ctrl && virtualKey == kKeyF6) return KeyAction::COrderNo;
        return KeyAction::Pass;
    }
    return wake_.filter(WakeGuard::Event::KeyDown, false) ? KeyAction::Swallow : KeyAction::Pass;
}

bool FrameWindow::OtherInput(WakeGuard::Event event) { return wake_.filter(event, childCount_ > 0); }

} // namespace zeb
