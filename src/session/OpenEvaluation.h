// Opening a saved evaluation (.zeb): the file read and checked, its data files
// found and compared with what was saved, before anything is loaded. The frame's
// "Open evaluation..." and the batch tool's --session open evaluations so.
#pragma once

#include "session/SavedEvaluation.h"

#include <optional>
#include <string>

namespace zeb {

class Platform;

// An evaluation read and checked, ready to be opened.
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
std::optional<OpenedEvaluation> chooseEvaluationToOpen(Platform& platform, const std::string& initialDir);

} // namespace zeb
