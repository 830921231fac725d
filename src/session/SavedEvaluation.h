// A saved evaluation (a .zeb file): which data files, in which order, with
// which analysis settings, give a window's results. The file is JSON:
//
//   {"program": "ZEBstat", "format": 1,
//    "files": [{"path": "ps-toluene.sta", "size": 10494, "sha256": "<64 hex digits>"}, ...],
//    "plotType": "zimm", "qOrder": 1, "cOrder": 1, "k": 411700000000000,
//    "smoothing": false, "weighting": false, "deactivated": [[1, 3], [2, 7]],
//    "formFactor": null}
//
// A path is relative to the folder of the .zeb file where the data lie in a
// folder they share with it below the root, else absolute. k is in internal
// units (cm⁻²·cm³/g; null: the default k of the data). "deactivated" lists
// concentration:angle index pairs. "formFactor", when the form-factor view is
// shown: {"models": ["coil-md", "coil-pd", "rod", "sphere", "user"],
// "representation": 1..12, "rgNm", "mwGPerMol", "compared": -1 (none), 0 (the
// data extrapolated to c = 0) or a concentration index, and "userFile" (as a
// data file) when "user" is among the models}.
#pragma once

#include "evaluation/EvaluationOptions.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace zeb {

inline constexpr int kEvaluationFormat = 1;
// An evaluation file is small; anything larger is no evaluation.
inline constexpr std::uint64_t kMaxEvaluationFileBytes = 4u << 20;

struct EvaluationDataFile {
    std::string path;  // as written: relative to the .zeb's folder, or absolute
    std::uint64_t sizeBytes = 0;
    std::string sha256;  // 64 lower-case hex digits
};

struct EvaluationFormFactor {
    std::vector<int> models;  // 1..5 (FormFactor.h) in the order they were checked
    int representation = 11;  // plot form 1..12
    double rgNm = 0.0;
    double mwGPerMol = 0.0;
    int compared = -1;  // -1 no data, 0 the data extrapolated to c = 0, i concentration i
    std::optional<EvaluationDataFile> userFile;  // the user's form-factor table (model 5)
};

struct SavedEvaluation {
    std::vector<EvaluationDataFile> files;  // the first opens the window, the others are added
    // Plot type, orders, smoothing as chosen (it applies while a q order is
    // chosen), weighting, k (none: the default k of the data) and the points
    // switched off ("deactivated"). The names of plot types and models are
    // those of the option table.
    EvaluationOptions options;
    std::optional<EvaluationFormFactor> formFactor;
};

// The text of a .zeb file, ended by a line end.
std::string EvaluationJson(const SavedEvaluation& evaluation);

struct EvaluationParse {
    std::optional<SavedEvaluation> evaluation;
    std::string problem;  // what is wrong, when evaluation is empty
    bool unreadable = false;  // the file could not be read at all
};

// Reads the text of a .zeb file. Every field is checked; a file of another
// "format" is refused.
EvaluationParse ParseEvaluation(const std::string& text);

// Reads and parses a .zeb file (read access only); the problem names the file.
EvaluationParse ReadEvaluationFile(const std::string& zebPath);

// How a data file is written into an evaluation saved at zebPath (both paths
// absolute), and where a written path points.
std::string PathForEvaluation(const std::string& dataPath, const std::string& zebPath);
std::string ResolveEvaluationPath(const std::string& written, const std::string& zebPath);

} // namespace zeb
