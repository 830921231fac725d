// The options of `zebstat-batch eval`. Options are parsed in one place so
// that the analysis and plot options can be added beside the load options:
// add a field here and a branch in ParseEvalOption.
#pragma once

#include "cli/AnalysisOptions.h"
#include "cli/ExportOptions.h"
#include "cli/PlotOutput.h"
#include "session/SavedEvaluation.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace zeb::cli {

struct EvalOptions {
    std::vector<std::string> files;  // the first is loaded first, the others are added
    bool dump = false;               // --dump: the loaded measurement set as JSON
    AnalysisOptions analysis;        // plot type, orders, smoothing, weighting, k, --results, --json
    PlotOptions plot;                // form-factor view, axis ranges, --plot-file
    ExportOptions exports;           // --choose, --export-asc, --export-rat, --export-plx
    std::string sessionFile;         // --session FILE.zeb: a saved evaluation to evaluate
    std::string saveSessionFile;     // --save-session FILE.zeb: save the evaluation made
    // The form-factor view of the --session evaluation (--form-factor overrides
    // it), with the path of the evaluation its user file is relative to.
    std::optional<EvaluationFormFactor> sessionFormFactor;
    std::string sessionZebPath;

    // Whether anything is asked for: printed, drawn, exported or saved. Without
    // it, eval prints the results text.
    bool asksForOutput() const {
        return analysis.results || analysis.ci || analysis.json || dump || !plot.plotFile.empty() || !exports.ascFile.empty() ||
               !exports.ratFile.empty() || !exports.plxFile.empty() || !saveSessionFile.empty();
    }
};

// Takes the option at args[i] (and its values, advancing i); false when args[i]
// is not an option this function knows. Throws UsageError for a bad value.
bool ParseEvalOption(const std::vector<std::string>& args, std::size_t& i, EvalOptions& options);

// Parses all arguments of eval; throws UsageError (exit status 2) for an
// unknown option, when no file (and no --session) is given or an export lacks
// --choose.
EvalOptions ParseEvalArgs(const std::vector<std::string>& args);
// The same onto options already filled (from a saved evaluation): each option
// given replaces the value there; FILEs given replace its files.
void ParseEvalArgsOnto(const std::vector<std::string>& args, EvalOptions& options);

} // namespace zeb::cli
