// The analysis options of `zebstat-batch eval`: plot type, fit orders,
// smoothing, weighting, k, deactivated points and what to print. Parsed beside
// the load options (one option at a time) into the evaluation's options, and
// completed once the files are loaded (the points checked, k converted).
#pragma once

#include "evaluation/EvaluationOptions.h"
#include "evaluation/UncertaintyReport.h"

#include <cstddef>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace zeb {
class Evaluation;
class EvaluationView;
class MeasurementSet;
class MessageSink;
struct RecordedMessage;
}

namespace zeb::cli {

struct AnalysisOptions {
    // --plot zimm|berry|guinier|d1|d2|d3, --q-order, --c-order 0..5, --smooth
    // (--no-smooth: off, as after a saved evaluation), --weight (--no-weight),
    // --deactivate C:A[,C:A...]; kInternal: the k of a saved evaluation (--session).
    EvaluationOptions evaluation;
    std::optional<double> kDisplayed;  // --k VALUE, in the displayed unit (1e-11 of internal); overrides kInternal
    bool results = false;              // --results
    bool json = false;                 // --json
    // The uncertainty (always in --json; in the results text with --ci).
    bool ci = false;                   // --ci
    UncertaintyOptions uncertainty;    // --bootstrap N (0: none), --seed S, --fit-form-factors MODELS
    std::string userFitTable;          // the table of a user model in --fit-form-factors
};

// Takes the option at args[i] (and its value, advancing i); false when args[i]
// is not an analysis option. Throws UsageError for a bad or missing value.
bool ParseAnalysisOption(const std::vector<std::string>& args, std::size_t& i, AnalysisOptions& options);

// The evaluation's options for the loaded set: a point to deactivate that the
// set does not have throws UsageError, and so does the k of a saved evaluation
// that does not suit the data; a --k the chart cannot show is refused with the
// window's message (told to messages) and the automatic k is taken.
EvaluationOptions OptionsForSet(const MeasurementSet& set, const AnalysisOptions& options, MessageSink& messages);

// The uncertainty of the evaluation as the options ask for it (a user model's
// table that cannot be read is told to messages and left out of the fits).
UncertaintyReport UncertaintyOf(const Evaluation& evaluation, const AnalysisOptions& options, MessageSink& messages);

// Prints what --results, --ci and --json ask for. Messages arising on the way
// (a user model's table) are told to sink, which keeps them in messages.
void PrintAnalysis(std::FILE* out, const EvaluationView& view, const AnalysisOptions& options,
                   std::vector<RecordedMessage>& messages, MessageSink& sink);

} // namespace zeb::cli
