// The notes a dialog that may write a correction into a file shows under its
// warning: where the untouched file is kept before a change, or, for a file
// that cannot take a change, why not (then nothing is kept).
#pragma once

#include "data/CFormat.h"
#include "data/RecordReview.h"
#include "texts/ImportDialogTexts.h"

#include <string>

namespace zeb {

struct FileNotes {
    std::string originalKept;
    std::string cannotChange;
};

inline FileNotes NotesAbout(const ReviewedFile& file) {
    if (file.cannotChangeReason.empty()) return {file.originalNote, {}};
    return {{}, CFormat(tx::CannotChangeFileNote, file.cannotChangeReason.c_str())};
}

} // namespace zeb
