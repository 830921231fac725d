// Saved evaluations in `zebstat-batch eval`: --session FILE.zeb evaluates one
// (its files and settings become the options, which the command line then
// overrides), --save-session FILE.zeb saves the evaluation made.
#pragma once

#include "cli/EvalOptions.h"

#include <string>
#include <vector>

namespace zeb {
class EvaluationView;
class MessageSink;
class Platform;
struct LoadedFile;
}

namespace zeb::cli {

// With --session: reads the evaluation and, unless FILEs are given, checks its
// data files (a missing or changed file is named on stderr; the files given
// on the command line are taken as they are, with their own default k); then the options are the
// evaluation's with the command line's over them. False when the evaluation
// cannot be used (exit status 1).
bool TakeSession(const std::vector<std::string>& args, EvalOptions& options, Platform& platform);

// Shows the evaluation's form-factor view unless --form-factor is given; a
// view that cannot be shown for these data is named in a message.
void ApplySessionFormFactor(EvaluationView& view, const EvalOptions& options, MessageSink& messages);

// Writes the evaluation made of these files to options.saveSessionFile.
// Returns 0, or 1 with the reason on stderr.
int SaveSession(const EvaluationView& view, const std::vector<LoadedFile>& files, const EvalOptions& options);

} // namespace zeb::cli
