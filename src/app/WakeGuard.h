// Swallows the first input that reaches the program after the machine has
// announced a suspend, a screen saver or a monitor power-down, so that the key
// or click that wakes the screen does not also run a command.
#pragma once

namespace zeb {

class WakeGuard {
public:
    enum class Event {
        SuspendRequest,   // the system asks to suspend
        SuspendQuery,     // a query for suspend or standby
        ScreenSaver,      // the screen saver starts
        MonitorPowerOff,  // the monitor is powered down
        AppActivated,     // the application became active again
        Command,          // a menu or tool-bar command
        KeyDown,
        LeftButtonDown,
        Other,
    };

    // Returns true when the event must be swallowed. Key-downs are not guarded
    // while a plot window exists (they go to the window's own handling).
    bool filter(Event event, bool childWindowExists);
    bool armed() const { return armed_; }

private:
    bool armed_ = false;
};

} // namespace zeb
