#include "cli/EvalOptions.h"

#include "cli/Commands.h"

namespace zeb::cli {

bool ParseEvalOption(const std::vector<std::string>& args, std::size_t& i, EvalOptions& options) {
    const std::string& a = args[i];
    if (a == "--dump") {
        options.dump = true;
        return true;
    }
    if (a == "--session" || a == "--save-session") {
        if (i + 1 >= args.size() || args[i + 1].empty()) throw UsageError{a + " needs a file name"};
        (a == "--session" ? options.sessionFile : options.saveSessionFile) = args[++i];
        return true;
    }
    return ParseAnalysisOption(args, i, options.analysis) || ParsePlotOption(args, i, options.plot) ||
           ParseExportOption(args, i, options.exports);
}

EvalOptions ParseEvalArgs(const std::vector<std::string>& args) {
    EvalOptions options;
    ParseEvalArgsOnto(args, options);
    return options;
}

void ParseEvalArgsOnto(const std::vector<std::string>& args, EvalOptions& options) {
    std::vector<std::string> files;
    bool onlyFiles = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (!onlyFiles && a == "--") {
            onlyFiles = true;
        } else if (!onlyFiles && a.size() > 1 && a[0] == '-') {
            if (!ParseEvalOption(args, i, options)) throw UsageError{"unknown option " + a};
        } else {
            files.push_back(a);
        }
    }
    if (!files.empty()) options.files = files;
    if (options.files.empty() && options.sessionFile.empty()) throw UsageError{"eval needs at least one FILE"};
    CheckExportOptions(options.exports);
}

} // namespace zeb::cli
