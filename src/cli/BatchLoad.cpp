#include "cli/BatchLoad.h"

#include "data/TFitF.h"
#include "platform/ScriptedPlatform.h"

namespace zeb::cli {

bool LoadFiles(TFitF& window, ScriptedPlatform& platform, const std::vector<std::string>& files) {
    if (files.empty()) return false;
    platform.openAnswers.push_back(files.front());
    window.FormActivate();
    if (window.view().closeRequested) return false;
    for (std::size_t i = 1; i < files.size(); ++i) {
        platform.openAnswers.push_back(files[i]);
        if (window.ID_DATEI_DAZULADENClick() != kLoadOk) return false;
    }
    return true;
}

} // namespace zeb::cli
