// The command line of the desktop program: files to open, or a request for
// its usage or version. Qt has taken its own options (-platform, -style, ...)
// out before.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace zeb {

struct StartRequest {
    enum class Action { Run, Usage, Version, BadUsage };
    Action action = Action::Run;
    std::vector<std::string> files;  // absolute paths, in the order given
    std::string problem;             // for BadUsage
};

// args without the program name. "--help"/"-h" and "--version" stand alone;
// "--" makes every later argument a file (also one that starts with "-").
StartRequest ParseCommandLine(const std::vector<std::string>& args, const std::string& workingFolder);

// The text of --help.
const char* DesktopUsage();

// Why no window system can be reached, or "" when one may be: the platform
// given with -platform (args as given, before Qt takes its options), else
// QT_QPA_PLATFORM, else X11 or Wayland; X11 needs DISPLAY, Wayland
// WAYLAND_DISPLAY. Platforms that need neither (offscreen, minimal, vnc,
// eglfs, linuxfb, ...) are taken as reachable. env gives a variable's value,
// null when it is not set.
std::string MissingDisplay(const std::vector<std::string>& args, const std::function<const char*(const char*)>& env);

} // namespace zeb
