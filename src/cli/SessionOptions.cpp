#include "cli/SessionOptions.h"

#include "analysis/FitPolynomial.h"
#include "analysis/PlotType.h"
#include "texts/CommonTexts.h"
#include "texts/EvaluationTexts.h"
#include "platform/AtomicFile.h"
#include "platform/ScriptedPlatform.h"
#include "platform/WriteError.h"
#include "plotwindow/TFitF1.h"
#include "session/EvaluationCommands.h"
#include "session/EvaluationWindow.h"

#include <cstdio>
#include <filesystem>

namespace zeb::cli {

namespace {

std::string absolute(const std::string& path) {
    std::error_code ec;
    const auto a = std::filesystem::absolute(path, ec);
    return ec ? path : a.lexically_normal().string();
}

} // namespace

bool TakeSession(const std::vector<std::string>& args, EvalOptions& options, ScriptedPlatform& platform) {
    if (options.sessionFile.empty()) return true;
    std::optional<OpenedEvaluation> opened;
    if (options.files.empty()) {
        opened = PrepareEvaluation(platform, options.sessionFile);
    } else {
        // The files given replace the evaluation's: only the settings are taken.
        const std::string zebPath = absolute(options.sessionFile);
        EvaluationParse parsed = ReadEvaluationFile(zebPath);
        if (!parsed.evaluation)
            platform.inform((parsed.unreadable ? tx::EvaluationCannotRead : tx::EvaluationDamaged) + parsed.problem,
                            tx::CapError, MsgIcon::Exclamation);
        else
            opened = OpenedEvaluation{std::move(*parsed.evaluation), zebPath};
    }
    if (!opened) return false;

    const SavedEvaluation& e = opened->evaluation;
    EvalOptions merged;
    for (const auto& f : e.files) merged.files.push_back(ResolveEvaluationPath(f.path, opened->zebPath));
    merged.analysis.plotType = static_cast<PlotType>(e.plotType);
    merged.analysis.qOrder = e.qOrder;
    merged.analysis.cOrder = e.cOrder;
    merged.analysis.smooth = e.smoothing;
    merged.analysis.weight = e.weighting;
    merged.analysis.kInternal = e.kInternal;
    merged.analysis.deactivate = e.deactivated;
    merged.sessionFormFactor = e.formFactor;
    merged.sessionZebPath = opened->zebPath;
    // The command line over the evaluation; its --deactivate adds points.
    std::vector<std::pair<int, int>> off = merged.analysis.deactivate;
    merged.analysis.deactivate.clear();
    // The k of the evaluation belongs to its data: other files get their own default.
    if (!options.files.empty()) merged.analysis.kInternal.reset();
    ParseEvalArgsOnto(args, merged);
    off.insert(off.end(), merged.analysis.deactivate.begin(), merged.analysis.deactivate.end());
    merged.analysis.deactivate = off;
    options = std::move(merged);
    return true;
}

void ApplySessionFormFactor(TFitF1& w, const EvalOptions& o) {
    if (!o.sessionFormFactor || !o.plot.formFactorModels.empty()) return;
    const EvaluationFormFactor& ff = *o.sessionFormFactor;
    const std::string userPath = ff.userFile ? ResolveEvaluationPath(ff.userFile->path, o.sessionZebPath) : "";
    if (!w.RestoreFormFactorView(ff.models, ff.representation, ff.rgNm, ff.mwGPerMol, ff.compared, userPath))
        w.platform().inform(tx::EvaluationFormFactorRefused, tx::CapInformation, MsgIcon::Information);
}

int SaveSession(const TFitF1& w, const EvalOptions& o) {
    if (o.saveSessionFile.empty()) return 0;
    const std::string path = absolute(o.saveSessionFile);
    const EvaluationCapture capture = CaptureEvaluation(w, path);
    if (!capture.evaluation) {
        std::fprintf(stderr, "zebstat-batch: the evaluation was not saved: %s\n", capture.problem.c_str());
        return 1;
    }
    const WriteResult written = WriteFileAtomically(path, EvaluationJson(*capture.evaluation));
    if (!written) {
        std::fprintf(stderr, "zebstat-batch: could not write %s\n", FileAndReason(path, written).c_str());
        return 1;
    }
    return 0;
}

} // namespace zeb::cli
