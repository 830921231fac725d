#include "plotwindow/SavedEvaluationCommands.h"

#include "texts/CommonTexts.h"
#include "texts/SavedEvaluationTexts.h"
#include "platform/AtomicFile.h"
#include "platform/Platform.h"
#include "platform/WriteError.h"
#include "plotwindow/PlotWindow.h"
#include "session/SavedEvaluationFiles.h"
#include "plotwindow/PlotWindowSavedEvaluation.h"

#include <filesystem>

namespace zeb {

namespace {

std::string absolute(const std::string& path) {
    std::error_code ec;
    const auto a = std::filesystem::absolute(path, ec);
    return ec ? path : a.lexically_normal().string();
}

} // namespace

std::optional<std::string> saveEvaluation(PlotWindow& w, Platform& platform) {
    if (w.loading() || w.awaitingFirstData()) return std::nullopt;
    // Reasons that no file name can mend come before the dialog.
    if (const auto refusal = EvaluationRefusal(w)) {
        platform.inform(*refusal, tx::CapZebStat, MsgIcon::Exclamation);
        return std::nullopt;
    }
    if (w.pointsChangedSinceCalculation() && !w.formFactor().viewShown) w.calculate();

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

bool OpenEvaluationInWindow(PlotWindow& w, const OpenedEvaluation& opened) {
    if (!LoadEvaluationFiles(w, opened.evaluation, opened.zebPath)) return false;
    ApplyEvaluation(w, opened.evaluation, opened.zebPath);
    return true;
}

} // namespace zeb
