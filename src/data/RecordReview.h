// The review of a record while a record file is read, as the reader sees it:
// the record review dialog in the program, a script in tests. The reader does
// not know which.
#pragma once

#include "data/RecordLayout.h"

#include <string>

namespace zeb {

class RecordReview {
public:
    // Result codes.
    static constexpr int kChange = -1;
    static constexpr int kContinue = -16384;
    static constexpr int kAbort = -32760;

    virtual ~RecordReview() = default;
    // Shows the record (1-based number) and returns the user's answer. On
    // Change the edited values are in the record; nStandardRatio and
    // sampleNameChanged are the reader's places the review writes.
    // originalNote tells where the untouched file is kept before a change.
    virtual int review(ZebRecord& record, int recordNumber, double& nStandardRatio, int& sampleNameChanged,
                       const std::string& originalNote) = 0;
};

} // namespace zeb
