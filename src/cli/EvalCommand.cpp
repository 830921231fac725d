// zebstat-batch eval [options] FILE...: loads the files into one plot window
// through the load sequence of the program (the first file as the window's
// first load, the others with "&Add data file..."), applies the analysis
// options through the window's handlers, writes the exports and prints what
// was asked for. Review dialogs answer "Continue without any change", questions
// take their default answer and every message box goes to stderr as
// "CAPTION: TEXT".
#include "cli/AnalysisOptions.h"
#include "cli/BatchLoad.h"
#include "cli/BatchPlatform.h"
#include "cli/Commands.h"
#include "cli/DumpJson.h"
#include "cli/EvalOptions.h"
#include "cli/ExportOptions.h"
#include "cli/PlotOutput.h"
#include "cli/SessionOptions.h"
#include "plotwindow/TFitF1.h"

#include <cstdio>

namespace zeb::cli {

int RunEval(const std::vector<std::string>& args) {
    EvalOptions options = ParseEvalArgs(args);
    BatchPlatform platform;
    if (!TakeSession(args, options, platform)) return 1;
    TFitF1 window(platform);
    if (!LoadFiles(window, platform, options.files)) return 1;

    ApplyAnalysisOptions(window, options.analysis);
    ApplySessionFormFactor(window, options);
    int status = 0;
    if (!ShowFormFactorView(window, platform, options.plot)) status = 1;
    ApplyPlotRanges(window, options.plot);
    // Chosen after the last calculation, so that the chart marks their points
    // and the exports read the window as the options left it.
    ApplyChosenConcentrations(window, options.exports);
    if (status == 0 && !options.plot.plotFile.empty()) {
        const std::string failure = WritePlotFile(window, options.plot.plotFile);
        if (!failure.empty()) {
            std::fprintf(stderr, "zebstat-batch: %s\n", failure.c_str());
            status = 1;
        }
    }
    if (WriteExports(window, platform, options.exports) != 0) status = 1;
    if (SaveSession(window, options) != 0) status = 1;
    PrintAnalysis(stdout, window, options.analysis, platform.messages);
    // The set as it stands after the options: deactivated points show active 0.
    if (options.dump) std::printf("%s\n", DumpJson(window.set(), platform.messages).c_str());
    return status;
}

} // namespace zeb::cli
