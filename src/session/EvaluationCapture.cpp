#include "session/EvaluationCapture.h"

#include "analysis/FormFactor.h"
#include "session/SavedEvaluationFiles.h"
#include "texts/SavedEvaluationTexts.h"

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>

namespace zeb {

EvaluationCapture CaptureEvaluation(const EvaluationSnapshot& s, const std::string& zebPath) {
    EvaluationCapture result;
    const FormFactorState* ff = s.formFactor && s.formFactor->viewShown ? s.formFactor : nullptr;
    // The evaluation never takes the place of one of its data files.
    std::vector<std::string> dataPaths;
    for (const LoadedFile& loaded : s.files) dataPaths.push_back(loaded.path);
    if (ff && !ff->userPath.empty()) dataPaths.push_back(ff->userPath);
    for (const std::string& data : dataPaths) {
        std::error_code ec;
        if (data == zebPath || std::filesystem::equivalent(data, zebPath, ec)) {
            result.problem = tx::EvaluationWouldReplaceData + data;
            return result;
        }
    }
    SavedEvaluation e;
    for (const LoadedFile& loaded : s.files) {
        struct stat st {};
        if (loaded.identity && (::stat(loaded.path.c_str(), &st) != 0 || !(IdentityOf(st) == *loaded.identity))) {
            result.problem = tx::EvaluationFileChangedSinceLoad + loaded.path;
            return result;
        }
        std::string reason;
        const auto entry = DescribeDataFile(loaded.path, zebPath, &reason);
        if (!entry) {
            result.problem = tx::EvaluationFileUnreadable + reason;
            return result;
        }
        e.files.push_back(*entry);
    }
    e.options = s.options;
    if (ff && !ff->models.empty()) {
        EvaluationFormFactor f;
        f.models = ff->models;
        f.representation = ff->form;
        f.rgNm = ff->rgNm;
        f.mwGPerMol = ff->mwGPerMol;
        f.compared = ff->row;
        if (std::find(ff->models.begin(), ff->models.end(), kModelUser) != ff->models.end()) {
            std::string reason;
            f.userFile = DescribeDataFile(ff->userPath, zebPath, &reason);
            if (!f.userFile) {
                result.problem = tx::EvaluationFileUnreadable + reason;
                return result;
            }
        }
        // Parameters the file cannot hold (no Rg or Mw) leave the view out.
        if (f.rgNm > 0.0 && f.mwGPerMol > 0.0) e.formFactor = f;
    }
    result.evaluation = std::move(e);
    return result;
}

} // namespace zeb
