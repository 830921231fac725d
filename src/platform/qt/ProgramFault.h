// A part of the desktop program that was never connected - a core dialog
// without its Qt form, a frame that cannot make plot windows - is a fault of
// the program. It is reported, never passed over: by default on standard error
// and in a message box ("Internal Error"); the view tests install a handler
// that fails the running test.
#pragma once

#include <functional>
#include <string>

namespace zeb {

using ProgramFaultHandler = std::function<void(const std::string& text)>;

void ReportProgramFault(const std::string& text);

// Installs the handler of every later report and returns the one it replaces;
// an empty handler restores the default.
ProgramFaultHandler SetProgramFaultHandler(ProgramFaultHandler handler);

} // namespace zeb
