// zebstat-batch eval [options] FILE...: loads the files into one data window
// through the load sequence of the program (the first file as the window's
// first load, the others with "&Add data file..."). Review dialogs answer
// "Continue without any change", questions take their default answer and
// every message box goes to stderr as "CAPTION: TEXT".
#include "cli/BatchPlatform.h"
#include "cli/Commands.h"
#include "cli/DumpJson.h"
#include "cli/EvalOptions.h"
#include "data/TFitF.h"

#include <cstdio>

namespace zeb::cli {

int RunEval(const std::vector<std::string>& args) {
    const EvalOptions options = ParseEvalArgs(args);
    BatchPlatform platform;
    TFitF window(platform);

    platform.openAnswers.push_back(options.files.front());
    window.FormActivate();
    if (window.view().closeRequested) return 1;
    for (std::size_t i = 1; i < options.files.size(); ++i) {
        platform.openAnswers.push_back(options.files[i]);
        if (window.ID_DATEI_DAZULADENClick() != kLoadOk) return 1;
    }

    if (options.dump) std::printf("%s\n", DumpJson(window.set(), platform.messages).c_str());
    return 0;
}

} // namespace zeb::cli
