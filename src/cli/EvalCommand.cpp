// zebstat-batch eval [options] FILE...: loads the files into one measurement
// (the first as a window's first load, the others added), evaluates it with the
// analysis options, shows the chart as the options ask (form-factor view, axis
// ranges, chosen concentrations), writes the chart and the exports and prints
// what was asked for. Review dialogs answer "Continue without any change",
// questions take their default answer and every message goes to stderr as
// "CAPTION: TEXT" when it arises.
#include "cli/AnalysisOptions.h"
#include "cli/BatchPlatform.h"
#include "cli/Commands.h"
#include "cli/EvalOptions.h"
#include "cli/ExportOptions.h"
#include "cli/PlotOutput.h"
#include "cli/SessionOptions.h"
#include "data/MeasurementLoader.h"
#include "export/ResultsRecord.h"
#include "plot/EvaluationView.h"

#include <cstdio>
#include <memory>
#include <stdexcept>

namespace zeb::cli {

int RunEval(const std::vector<std::string>& args) {
    EvalOptions options = ParseEvalArgs(args);
    BatchPlatform platform;
    if (!TakeSession(args, options, platform)) return 1;
    // A run that asks for nothing prints the results text.
    if (!options.asksForOutput()) options.analysis.results = true;
    const std::unique_ptr<LoadedMeasurement> loaded = LoadMeasurement(options.files, platform);
    if (!loaded->loaded()) return 1;
    // What the evaluation says concerns the files it was given.
    std::string files;
    for (const std::string& file : options.files) files += (files.empty() ? "" : ", ") + file;
    MessageFileScope named(platform, files);

    const EvaluationOptions evaluationOptions = OptionsForSet(loaded->set, options.analysis, platform);
    std::unique_ptr<EvaluationView> evaluated;
    try {
        evaluated = std::make_unique<EvaluationView>(loaded->set, evaluationOptions);
    } catch (const std::invalid_argument& refused) {
        std::fprintf(stderr, "zebstat-batch: %s\n", refused.what());
        return 1;
    }
    EvaluationView& view = *evaluated;
    for (const Message& m : view.evaluation().messages) platform.inform(m.text, m.caption, m.icon);

    ApplySessionFormFactor(view, options, platform);
    int status = 0;
    if (!ShowFormFactorView(view, platform, options.plot)) status = 1;
    ApplyPlotRanges(view, options.plot);
    // Chosen after the ranges, so that the chart marks their points and the
    // exports read the evaluation as the options left it.
    ApplyChosenConcentrations(view, options.exports);
    if (status == 0) WriteAskedChart(view, options.plot, status);
    if (WriteExports(view, platform, options.exports) != 0) status = 1;
    if (SaveSession(view, loaded->files, options) != 0) status = 1;
    PrintAnalysis(stdout, view, options.analysis, platform.messages, platform);
    // The set as it stands after the options: deactivated points show active 0.
    if (options.dump) std::printf("%s\n", RecordJson(SetRecord(view.evaluation().set, platform.messages)).c_str());
    return status;
}

} // namespace zeb::cli
