// The dialogs the plot window's loads review their files with.
#include "dialogs/LoadDialogs.h"
#include "plotwindow/PlotWindow.h"

namespace zeb {

std::unique_ptr<RecordReview> PlotWindow::makeRecordReview() { return std::make_unique<DialogRecordReview>(platform_); }

std::unique_ptr<ConcentrationTable> PlotWindow::makeConcentrationTable() {
    return std::make_unique<DialogConcentrationTable>(platform_);
}

} // namespace zeb
