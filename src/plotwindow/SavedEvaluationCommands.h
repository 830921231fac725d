// "Save evaluation..." of the plot window's File menu and the opening of an
// evaluation in a new window ("Open evaluation..." of the frame prepares it),
// without widgets: the dialogs and messages go through the Platform.
#pragma once

#include "session/OpenEvaluation.h"

#include <optional>
#include <string>

namespace zeb {

class Platform;
class PlotWindow;

// "Save evaluation...": asks for the file and writes the window's evaluation
// (a whole-file replace). Points switched since the last calculation are
// calculated first, so that the file gives the results the window shows.
// Returns the path written, or nullopt (cancelled, or a message said why).
std::optional<std::string> saveEvaluation(PlotWindow& window, Platform& platform);

// Opens a prepared evaluation in a new window: loads the files and applies the
// settings. False when a file did not load (the window is to be closed).
bool OpenEvaluationInWindow(PlotWindow& window, const OpenedEvaluation& opened);

} // namespace zeb
