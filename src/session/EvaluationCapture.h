// An evaluation as a .zeb file holds it, taken from what made it: the files
// loaded, the options, the form-factor view. The plot window and the batch
// tool save their evaluations through it.
#pragma once

#include "data/MeasurementLoader.h"
#include "plot/FormFactorChart.h"
#include "session/SavedEvaluation.h"

#include <optional>
#include <string>
#include <vector>

namespace zeb {

struct EvaluationSnapshot {
    std::vector<LoadedFile> files;  // as loaded, with their identities then
    EvaluationOptions options;      // switchedOff: the points switched off
    const FormFactorState* formFactor = nullptr;  // the view, when one is shown
};

struct EvaluationCapture {
    std::optional<SavedEvaluation> evaluation;
    std::string problem;  // the message when the evaluation cannot be saved
};

// The evaluation for a .zeb file at zebPath (absolute). Refused when a data
// file has changed since it was loaded or cannot be read, and when zebPath
// names one of the data files.
EvaluationCapture CaptureEvaluation(const EvaluationSnapshot& snapshot, const std::string& zebPath);

} // namespace zeb
