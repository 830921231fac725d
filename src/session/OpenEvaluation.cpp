#include "session/OpenEvaluation.h"

#include "platform/Platform.h"
#include "session/SavedEvaluationFiles.h"
#include "texts/CommonTexts.h"
#include "texts/SavedEvaluationTexts.h"

#include <filesystem>

namespace zeb {

namespace {

std::string absolute(const std::string& path) {
    std::error_code ec;
    const auto a = std::filesystem::absolute(path, ec);
    return ec ? path : a.lexically_normal().string();
}

} // namespace

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

std::optional<OpenedEvaluation> chooseEvaluationToOpen(Platform& platform, const std::string& initialDir) {
    FileDialogRequest request;
    request.title = tx::OpenEvaluationTitle;
    request.filter = tx::EvaluationFilter;
    request.initialDir = initialDir;
    request.mustExist = true;
    const auto chosen = platform.openFileName(request);
    if (!chosen || chosen->empty()) return std::nullopt;
    return PrepareEvaluation(platform, *chosen);
}

} // namespace zeb
