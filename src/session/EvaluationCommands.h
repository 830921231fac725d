// "Save evaluation..." and "Open evaluation..." of the plot window's File menu
// (the latter also in the frame's File menu), without widgets: the dialogs and
// messages go through the Platform.
#pragma once

#include "session/Evaluation.h"

#include <optional>
#include <string>

namespace zeb {

class Platform;
class TFitF1;

// "Save evaluation...": asks for the file and writes the window's evaluation
// (a whole-file replace). Points switched since the last calculation are
// calculated first, so that the file gives the results the window shows.
// Returns the path written, or nullopt (cancelled, or a message said why).
std::optional<std::string> mnSaveEvaluationClick(TFitF1& window, Platform& platform);

// An evaluation read and checked, ready to be opened in a new window.
struct OpenedEvaluation {
    SavedEvaluation evaluation;
    std::string zebPath;  // absolute
};

// Reads the .zeb file and checks its data files: a file that cannot be read or
// is damaged, or data files that are missing, are named in a message and
// nothing is opened; changed data files are named and the user decides (No,
// the safe answer, is preselected).
std::optional<OpenedEvaluation> PrepareEvaluation(Platform& platform, const std::string& zebPath);

// "Open evaluation...": asks for the .zeb file (starting in initialDir), then
// as PrepareEvaluation.
std::optional<OpenedEvaluation> mnOpenEvaluationClick(Platform& platform, const std::string& initialDir);

// Opens a prepared evaluation in a new window: loads the files and applies the
// settings. False when a file did not load (the window is to be closed).
bool OpenEvaluationInWindow(TFitF1& window, const OpenedEvaluation& opened);

} // namespace zeb
