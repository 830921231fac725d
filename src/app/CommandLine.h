// The command line of the desktop program: files to open, or a request for
// its usage or version. Qt has taken its own options (-platform, -style, ...)
// out before.
#pragma once

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

} // namespace zeb
