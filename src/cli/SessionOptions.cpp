#include "cli/SessionOptions.h"

#include "texts/CommonTexts.h"
#include "texts/SavedEvaluationTexts.h"
#include "platform/AtomicFile.h"
#include "platform/Platform.h"
#include "platform/WriteError.h"
#include "plot/EvaluationView.h"
#include "session/EvaluationCapture.h"
#include "session/OpenEvaluation.h"

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

bool TakeSession(const std::vector<std::string>& args, EvalOptions& options, Platform& platform) {
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
    merged.analysis.evaluation = e.options;
    merged.sessionFormFactor = e.formFactor;
    merged.sessionZebPath = opened->zebPath;
    // The command line over the evaluation; its --deactivate adds points.
    std::vector<PointIndex> off = std::move(merged.analysis.evaluation.switchedOff);
    merged.analysis.evaluation.switchedOff.clear();
    // The k of the evaluation belongs to its data: other files get their own default.
    if (!options.files.empty()) merged.analysis.evaluation.kInternal.reset();
    ParseEvalArgsOnto(args, merged);
    std::vector<PointIndex>& given = merged.analysis.evaluation.switchedOff;
    off.insert(off.end(), given.begin(), given.end());
    given = std::move(off);
    options = std::move(merged);
    return true;
}

void ApplySessionFormFactor(EvaluationView& view, const EvalOptions& o, MessageSink& messages) {
    if (!o.sessionFormFactor || !o.plot.formFactorModels.empty()) return;
    const EvaluationFormFactor& ff = *o.sessionFormFactor;
    const std::string userPath = ff.userFile ? ResolveEvaluationPath(ff.userFile->path, o.sessionZebPath) : "";
    if (!view.restoreFormFactorView(ff.models, ff.representation, ff.rgNm, ff.mwGPerMol, ff.compared, userPath,
                                    messages))
        messages.inform(tx::EvaluationFormFactorRefused, tx::CapInformation, MsgIcon::Information);
}

int SaveSession(const EvaluationView& view, const std::vector<LoadedFile>& files, const EvalOptions& o) {
    if (o.saveSessionFile.empty()) return 0;
    const std::string path = absolute(o.saveSessionFile);
    EvaluationSnapshot snapshot;
    snapshot.files = files;
    snapshot.options = view.evaluation().options;
    snapshot.options.switchedOff = SwitchedOffPoints(view.evaluation().set);
    snapshot.formFactor = &view.formFactor();
    const EvaluationCapture capture = CaptureEvaluation(snapshot, path);
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
