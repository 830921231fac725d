// The analysis options of `zebstat-batch eval`: plot type, fit orders,
// smoothing, weighting, k, deactivated points and what to print. Parsed beside
// the load options (one option at a time) and applied to the window after the
// files have been loaded.
#pragma once

#include "analysis/PlotType.h"

#include <cstddef>
#include <cstdio>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace zeb {
class TFitF1;
struct RecordedMessage;
}

namespace zeb::cli {

struct AnalysisOptions {
    PlotType plotType = PlotType::Zimm;  // --plot zimm|berry|guinier|d1|d2|d3
    int qOrder = 0;                    // --q-order 0..5
    int cOrder = 0;                    // --c-order 0..5
    bool smooth = false;               // --smooth (--no-smooth: off, as after a saved evaluation)
    bool weight = false;               // --weight (--no-weight: off)
    std::optional<double> kDisplayed;  // --k VALUE, in the displayed unit (1e-11 of internal)
    std::optional<double> kInternal;   // the k of a saved evaluation (--session); --k overrides it
    std::vector<std::pair<int, int>> deactivate;  // --deactivate C:A[,C:A...]
    bool results = false;              // --results
    bool json = false;                 // --json
};

// Takes the option at args[i] (and its value, advancing i); false when args[i]
// is not an analysis option. Throws UsageError for a bad or missing value.
bool ParseAnalysisOption(const std::vector<std::string>& args, std::size_t& i, AnalysisOptions& options);

// Sets weighting and smoothing, deactivates the points, enters k and chooses
// the plot type and orders through the window's typed entry points, in the
// order a user would (each recalculates, as the menus do). Throws UsageError
// when a point to deactivate does not exist.
void ApplyAnalysisOptions(TFitF1& window, const AnalysisOptions& options);

// Prints what --results and --json ask for.
void PrintAnalysis(std::FILE* out, const TFitF1& window, const AnalysisOptions& options,
                   const std::vector<RecordedMessage>& messages);

} // namespace zeb::cli
