#include "data/TFitF.h"

#include "dialogs/TFormPavo7100.h"
#include "platform/Platform.h"

namespace zeb {

TFitF::TFitF(Platform& platform) : platform_(platform), set_(platform) {
    menuEnabled_["ID_DATEI_LADEN"] = true;
    menuEnabled_["ID_DATEI_DAZULADEN"] = true;
}

TFitF::~TFitF() = default;

bool TFitF::menuEnabled(const std::string& item) const {
    const auto it = menuEnabled_.find(item);
    return it == menuEnabled_.end() || it->second;
}

void TFitF::setMenuEnabled(const std::string& item, bool enabled) { menuEnabled_[item] = enabled; }

void TFitF::setCurrentPath(const std::string& path) {
    currentPath_ = path;
    set_.defaultSourceName = path;
}

TFormPavo7100& TFitF::reviewDialog() {
    if (!reviewDialog_) reviewDialog_ = std::make_unique<TFormPavo7100>(platform_);
    return *reviewDialog_;
}

void TFitF::requestClose() {
    view_.closeRequested = true;
    viewChanged();
    if (onCloseRequested) onCloseRequested();
}

void TFitF::viewChanged() {
    if (onViewChanged) onViewChanged();
}

void TFitF::frameFileCommands(bool enabled) {
    if (onFrameFileCommands) onFrameFileCommands(enabled);
}

} // namespace zeb
