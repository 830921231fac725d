#include "app/WakeGuard.h"

namespace zeb {

bool WakeGuard::filter(Event event, bool childWindowExists) {
    switch (event) {
    case Event::SuspendRequest:
    case Event::SuspendQuery:
    case Event::ScreenSaver:
    case Event::MonitorPowerOff:
        armed_ = true;
        return false;
    case Event::AppActivated:
        armed_ = false;
        return false;
    case Event::KeyDown:
        if (childWindowExists) return false;
        [[fallthrough]];
    case Event::Command:
    case Event::LeftButtonDown:
        if (!armed_) return false;
        armed_ = false;
        return true;
    case Event::Other:
        return false;
    }
    return false;
}

} // namespace zeb
