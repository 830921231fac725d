// The dialogs the plot window's loads review their files with.
#include "dialogs/LoadDialogs.h"
#include "plotwindow/TFitF1.h"

namespace zeb {

std::unique_ptr<RecordReview> TFitF1::makeRecordReview() { return std::make_unique<DialogRecordReview>(platform_); }

std::unique_ptr<ConcentrationTable> TFitF1::makeConcentrationTable() {
    return std::make_unique<DialogConcentrationTable>(platform_);
}

} // namespace zeb
