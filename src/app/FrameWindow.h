// The frame window's logic: the close question, the menu and tool-bar states
// that follow the number of plot windows, the key routing of Ctrl+F4 / Ctrl+F6
// and the wake guard. The Qt frame shows this state and forwards its events.
#pragma once

#include "app/WakeGuard.h"
#include "settings/PlotSettings.h"

#include <functional>
#include <map>
#include <string>

namespace zeb {

class Platform;

class FrameWindow {
public:
    FrameWindow(Platform& platform, std::string settingsPath);

    const std::string& settingsPath() const { return settingsPath_; }
    Platform& platform() { return platform_; }

    // The global defaults from the settings file, read once at start. A file
    // that exists but is not read (far too large, unreadable) is reported at
    // the first activation; the built-in defaults are used.
    GlobalDefaults ReadGlobalSettings();

    // First activation: registers the clipboard exchange format through the
    // hook; when that fails it says so and asks to close. Later calls do nothing.
    // Returns false when the frame should close.
    bool activate(const std::function<bool()>& registerClipboardFormat);
    bool firstActivationPending() const { return firstActivationPending_; }

    // The close question; true lets the frame close.
    bool mayClose();

    // Enables the tool-bar buttons and window commands exactly when a plot window
    // exists (the data buttons cut, copy and paste not while a file is read).
    void UpdateMenuState(int childWindowCount);
    bool enabled(const std::string& name) const;
    int childWindowCount() const { return childCount_; }

    // What a key-down does before it is dispatched. While a modal dialog (or a
    // popup) is open, Ctrl+F4 and Ctrl+F6 are swallowed: no command acts behind it.
    enum class KeyAction { Pass, COrder4, COrderNo, Swallow };
    KeyAction KeyDown(int virtualKey, bool ctrl, bool modalOpen = false);

    // A plot window starts or ends reading a file (the load sequence disables
    // and enables the frame's file commands). While any window reads a file no
    // other load starts, in any window.
    void FileCommandsEnabled(bool enabled);
    bool loadRunning() const { return loadsRunning_ > 0; }
    // Any other input: returns true when it must be swallowed.
    bool OtherInput(WakeGuard::Event event);

    static constexpr int kKeyF4 = 0x73;
    static constexpr int kKeyF6 = 0x75;

private:
    Platform& platform_;
    std::string settingsPath_;
    bool firstActivationPending_ = true;
    std::string settingsProblem_;
    int childCount_ = 0;
    int loadsRunning_ = 0;
    WakeGuard wake_;
    std::map<std::string, bool> enabled_;
};

} // namespace zeb
