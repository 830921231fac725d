#include "data/DataWindow.h"

#include "data/ConcentrationTable.h"
#include "data/RecordReview.h"
#include "platform/Platform.h"

namespace zeb {

DataWindow::DataWindow(Platform& platform) : platform_(platform), set_(platform), loader_(set_, platform) {
    menuEnabled_["loadNewFile"] = true;
    menuEnabled_["addDataFile"] = true;
}

DataWindow::~DataWindow() = default;

bool DataWindow::menuEnabled(const std::string& item) const {
    const auto it = menuEnabled_.find(item);
    return it == menuEnabled_.end() || it->second;
}

void DataWindow::setMenuEnabled(const std::string& item, bool enabled) { menuEnabled_[item] = enabled; }

bool DataWindow::AvailableWhileLoading(const std::string& command) {
    static const char* const kAvailable[] = {"abortLoadButton",        "printerSetup",        "helpIntroduction",
                                             "helpContents",      "helpFileFormats", "helpAbout"};
    for (const char* name : kAvailable)
        if (command == name) return true;
    return false;
}

bool DataWindow::loadBlocked() const { return loading_ || (anyLoadRunning && anyLoadRunning()); }

bool DataWindow::commandAvailable(const std::string& command) const {
    if (command == "loadNewFile" || command == "addDataFile") return !loadBlocked();
    return !loading_ || AvailableWhileLoading(command);
}

RecordReview& DataWindow::recordReview() {
    if (!recordReview_) recordReview_ = makeRecordReview();
    if (!recordReview_) recordReview_ = std::make_unique<ContinueReview>();
    return *recordReview_;
}

std::unique_ptr<RecordReview> DataWindow::makeRecordReview() { return std::make_unique<ContinueReview>(); }

std::unique_ptr<ConcentrationTable> DataWindow::makeConcentrationTable() { return std::make_unique<KeepConcentrations>(); }

void DataWindow::requestClose() {
    view_.closeRequested = true;
    viewChanged();
    if (onCloseRequested) onCloseRequested();
}

void DataWindow::viewChanged() {
    if (onViewChanged) onViewChanged();
}

void DataWindow::frameFileCommands(bool enabled) {
    if (onFrameFileCommands) onFrameFileCommands(enabled);
}

} // namespace zeb
