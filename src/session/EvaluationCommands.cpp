#include "session/EvaluationCommands.h"

#include "texts/CommonTexts.h"
#include "texts/EvaluationTexts.h"
#include "platform/AtomicFile.h"
#include "platform/Platform.h"
#include "platform/WriteError.h"
#include "plotwindow/TFitF1.h"
#include "session/EvaluationFiles.h"
#include "session/EvaluationWindow.h"

#include <filesystem>

namespace zeb {

namespace {

std::string absolute(const std::string& path) {
    std::error_code ec;
    const auto a = std::filesystem::absolute(path, ec);
    return ec ? path : a.lexically_normal().string();
}

} // namespace

std::optional<std::string> mnSaveEvaluationClick(TFitF1& w, Platform& platform) {
    if (w.loading() || w.awaitingFirstData()) return std::nullopt;
    // Reasons that no file name can mend come before the dialog.
    if (const auto refusal = EvaluationRefusal(w)) {
        platform.inform(*refusal, tx::CapZebStat, MsgIcon::Exclamation);
        return std::nullopt;
    }
    if (w.pointsChangedSinceCalculation() && !w.formFactor().viewShown) w.OnClickedRechne();

    FileDialogRequest request;
    request.title = tx::SaveEvaluationTitle;
    request.filter = tx::EvaluationFilter;
    request.initialDir = w.dataFolder();
    request.proposedName = w.view().caption.empty() ? "evaluation.zeb" : w.view().caption + ".zeb";
    request.overwritePrompt = true;
    const auto chosen = platform.saveFileName(request);
    if (!chosen || chosen->empty()) return std::nullopt;
    std::string path = absolute(*chosen);
    if (!std::filesystem::path(path).has_extension()) path += ".zeb";

    const EvaluationCapture capture = CaptureEvaluation(w, path);
    if (!capture.evaluation) {
        platform.inform(capture.problem + "\n\n" + tx::EvaluationNotWritten, tx::CapZebStat, MsgIcon::Exclamation);
        return std::nullopt;
    }
    const WriteResult written = WriteFileAtomically(path, EvaluationJson(*capture.evaluation));
    if (!written) {
        platform.inform(WriteErrorText(path, written), tx::CapZebStat, MsgIcon::Stop);
        return std::nullopt;
    }
    return path;
}

std::optional<OpenedEvaluation> PrepareEvaluation(Platform& platform, const std::string& zebPathGiven) {
    const std::string zebPath = absolute(zebPathGiven);
    EvaluationParse parsed = ReadEvaluationFile(zebPath);
    if (!parsed.evaluation) {
        platform.inform((parsed.unreadable ? tx::EvaluationCannotRead : tx::EvaluationDamaged) + parsed.problem,
                        tx::CapError, MsgIcon::Exclamation);
        return std::nullopt;
    }
    const EvaluationFileCheck check = CheckEvaluationFiles(*parsed.evaluation, zebPath);
    if (check.anyMissing()) {
        platform.inform(tx::EvaluationFilesMissing + check.listOf(DataFileState::State::Missing), tx::CapError,
                        MsgIcon::Exclamation);
        return std::nullopt;
    }
    if (check.anyChanged() &&
        platform.message(tx::EvaluationFilesChanged + check.listOf(DataFileState::State::Changed) +
                             tx::EvaluationOpenChangedQuestion,
                         tx::CapZebStat, MsgButtons::YesNo, MsgIcon::Question, MsgAnswer::No) != MsgAnswer::Yes)
        return std::nullopt;
    return OpenedEvaluation{std::move(*parsed.evaluation), zebPath};
}

std::optional<OpenedEvaluation> mnOpenEvaluationClick(Platform& platform, const std::string& initialDir) {
    FileDialogRequest request;
    request.title = tx::OpenEvaluationTitle;
    request.filter = tx::EvaluationFilter;
    request.initialDir = initialDir;
    request.mustExist = true;
    const auto chosen = platform.openFileName(request);
    if (!chosen || chosen->empty()) return std::nullopt;
    return PrepareEvaluation(platform, *chosen);
}

bool OpenEvaluationInWindow(TFitF1& w, const OpenedEvaluation& opened) {
    if (!LoadEvaluationFiles(w, opened.evaluation, opened.zebPath)) return false;
    ApplyEvaluation(w, opened.evaluation, opened.zebPath);
    return true;
}

} // namespace zeb
