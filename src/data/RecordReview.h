// The review of a record while a record file is read, as the reader sees it:
// the record review dialog in the program, a script in tests. The reader does
// not know which.
#pragma once

#include "data/RecordLayout.h"

#include <string>

namespace zeb {

// What the review is told about the file under review.
struct ReviewedFile {
    std::string originalNote;       // where the untouched file is kept before a change
    std::string cannotChangeReason;  // why a change cannot be written to the file; empty when it can
};

// The user's answer to a reviewed record.
enum class ReviewAnswer {
    Change,    // the edited values are in the record
    Continue,  // "Continue without any change": no further review of this file
    Abort,     // the load ends, cancelled
};

class RecordReview {
public:
    virtual ~RecordReview() = default;
    // Shows the record (1-based number) and returns the user's answer. On
    // Change the edited values are in the record; nStandardRatio and
    // sampleNameChanged are the reader's places the review writes.
    virtual ReviewAnswer review(ZebRecord& record, int recordNumber, double& nStandardRatio, int& sampleNameChanged,
                                const ReviewedFile& file) = 0;
};

// A window without a review: every file is taken as it is.
class ContinueReview : public RecordReview {
public:
    ReviewAnswer review(ZebRecord&, int, double&, int&, const ReviewedFile&) override { return ReviewAnswer::Continue; }
};

} // namespace zeb
