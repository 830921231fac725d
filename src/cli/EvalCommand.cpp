// zebstat-batch eval [options] FILE...: loads the files into one plot window
// through the load sequence of the program (the first file as the window's
// first load, the others with "&Add data file..."), applies the analysis
// options through the window's handlers and prints what was asked for. Review
// dialogs answer "Continue without any change", questions take their default
// answer and every message box goes to stderr as "CAPTION: TEXT".
#include "cli/AnalysisOptions.h"
#include "cli/BatchLoad.h"
#include "cli/BatchPlatform.h"
#include "cli/Commands.h"
#include "cli/DumpJson.h"
#include "cli/EvalOptions.h"
#include "plot/TFitF1.h"

#include <cstdio>

namespace zeb::cli {

int RunEval(const std::vector<std::string>& args) {
    const EvalOptions options = ParseEvalArgs(args);
    BatchPlatform platform;
    TFitF1 window(platform);
    if (!LoadFiles(window, platform, options.files)) return 1;

    ApplyAnalysisOptions(window, options.analysis);
    PrintAnalysis(stdout, window, options.analysis, platform.messages);
    // The set as it stands after the options: deactivated points show active 0.
    if (options.dump) std::printf("%s\n", DumpJson(window.set(), platform.messages).c_str());
    return 0;
}

} // namespace zeb::cli
