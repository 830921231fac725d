#include "cli/EvalOptions.h"

#include "cli/Commands.h"

namespace zeb::cli {

bool ParseEvalOption(const std::vector<std::string>& args, std::size_t& i, EvalOptions& options) {
    const std::string& a = args[i];
    if (a == "--dump") {
        options.dump = true;
        return true;
    }
    return ParseAnalysisOption(args, i, options.analysis) || ParsePlotOption(args, i, options.plot) ||
           ParseExportOption(args, i, options.exports);
}

EvalOptions ParseEvalArgs(const std::vector<std::string>& args) {
    EvalOptions options;
    bool onlyFiles = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (!onlyFiles && a == "--") {
            onlyFiles = true;
        } else if (!onlyFiles && a.size() > 1 && a[0] == '-') {
            if (!ParseEvalOption(args, i, options)) throw UsageError{"unknown option " + a};
        } else {
            options.files.push_back(a);
        }
    }
    if (options.files.empty()) throw UsageError{"eval needs at least one FILE"};
    CheckExportOptions(options.exports);
    return options;
}

} // namespace zeb::cli
