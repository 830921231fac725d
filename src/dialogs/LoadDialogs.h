// The dialogs that review a file while it is read, as the readers see them:
// the record review dialog answers for each reviewed record, the
// concentration table for a PLT file. A plot window gives them to its loads.
#pragma once

#include "data/ConcentrationTable.h"
#include "data/RecordReview.h"
#include "dialogs/RecordReviewDialog.h"

namespace zeb {

class Platform;

// One per window: the dialog keeps what it showed of earlier records (the
// sample name of the first data record).
class DialogRecordReview : public RecordReview {
public:
    explicit DialogRecordReview(Platform& platform) : platform_(platform), dialog_(platform) {}
    ReviewAnswer review(ZebRecord& record, int recordNumber, double& nStandardRatio, int& sampleNameChanged,
                        const ReviewedFile& file) override;
    RecordReviewDialog& dialog() { return dialog_; }

private:
    Platform& platform_;
    RecordReviewDialog dialog_;
};

// A new dialog for each showing.
class DialogConcentrationTable : public ConcentrationTable {
public:
    explicit DialogConcentrationTable(Platform& platform) : platform_(platform) {}
    TableAnswer correctPlt(ConcentrationEntries& entries, const ReviewedFile& file) override;
    TableAnswer completePlx(ConcentrationEntries& entries) override;

private:
    Platform& platform_;
};

} // namespace zeb
