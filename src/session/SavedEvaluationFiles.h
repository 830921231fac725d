// The data files of an evaluation: describing them when it is saved (path as
// written, size, SHA-256) and checking them when it is opened (missing,
// changed or as saved).
#pragma once

#include "session/SavedEvaluation.h"

#include <string>
#include <vector>

namespace zeb {

struct DataFileState {
    enum class State { AsSaved, Changed, Missing };
    std::string resolvedPath;  // where the written path points
    State state = State::Missing;
    std::string reason;        // for a missing file: why it cannot be read
};

struct EvaluationFileCheck {
    std::vector<DataFileState> files;  // the data files in order, then the user form-factor file
    bool anyMissing() const;
    bool anyChanged() const;
    // One line per file in that state: the path, for a missing file ": reason".
    std::string listOf(DataFileState::State state) const;
};

// zebPath absolute. Reads each file (read access only) unless its size already
// differs from the size saved.
EvaluationFileCheck CheckEvaluationFiles(const SavedEvaluation& evaluation, const std::string& zebPath);

// The entry of a file for an evaluation saved at zebPath (both absolute).
// nullopt when the file cannot be read (*reason says why).
std::optional<EvaluationDataFile> DescribeDataFile(const std::string& path, const std::string& zebPath,
                                                   std::string* reason);

} // namespace zeb
