#include "data/TFitF.h"

#include "data/ConcentrationTable.h"
#include "data/RecordReview.h"
#include "platform/Platform.h"

namespace zeb {

TFitF::TFitF(Platform& platform) : platform_(platform), set_(platform), loader_(set_, platform) {
    menuEnabled_["ID_DATEI_LADEN"] = true;
    menuEnabled_["ID_DATEI_DAZULADEN"] = true;
}

TFitF::~TFitF() = default;

bool TFitF::menuEnabled(const std::string& item) const {
    const auto it = menuEnabled_.find(item);
    return it == menuEnabled_.end() || it->second;
}

void TFitF::setMenuEnabled(const std::string& item, bool enabled) { menuEnabled_[item] = enabled; }

bool TFitF::AvailableWhileLoading(const std::string& command) {
    static const char* const kAvailable[] = {"BtnAbortLoad",        "mDruckerSetup",        "hlpIntroduction",
                                             "ID_HILFE_HILFE",      "ID_HILFE_DATEIFORMAT", "ID_HILFE_ABOUT"};
    for (const char* name : kAvailable)
        if (command == name) return true;
    return false;
}

bool TFitF::loadBlocked() const { return loading_ || (anyLoadRunning && anyLoadRunning()); }

bool TFitF::commandAvailable(const std::string& command) const {
    if (command == "ID_DATEI_LADEN" || command == "ID_DATEI_DAZULADEN") return !loadBlocked();
    return !loading_ || AvailableWhileLoading(command);
}

RecordReview& TFitF::recordReview() {
    if (!recordReview_) recordReview_ = makeRecordReview();
    if (!recordReview_) recordReview_ = std::make_unique<ContinueReview>();
    return *recordReview_;
}

std::unique_ptr<RecordReview> TFitF::makeRecordReview() { return std::make_unique<ContinueReview>(); }

std::unique_ptr<ConcentrationTable> TFitF::makeConcentrationTable() { return std::make_unique<KeepConcentrations>(); }

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
