#include "dialogs/StandardIndexDialog.h"

#include "texts/CommonTexts.h"
#include "texts/FileTexts.h"
#include "texts/ImportDialogTexts.h"
#include "data/FileAccess.h"
#include "data/ReadProblem.h"
#include "dialogs/DialogNumber.h"
#include "dialogs/StandardFile.h"

namespace zeb {

void StandardIndexDialog::readStandardFile() {
    FileDialogRequest request;
    request.filter = tx::StandardFileFilter;
    request.filterIndex = 2;
    request.mustExist = true;
    const auto path = platform_.openFileName(request);
    if (!path) return;
    const auto text = ReadFilePrefix(*path, kStandardPrefixBytes);
    if (!text) {
        platform_.beep();
        platform_.inform(std::string(tx::FileCannotBeOpened) + "\n" + *path + ": " + SystemReason(ReadAccessError(*path)),
                         tx::CapError, MsgIcon::Exclamation);
        return;
    }
    try {
        wrongIndexField = ParseStandardFile(*text);
    } catch (const ReadFailure& failure) {
        platform_.inform(ReadProblemText(failure.problem, *path), tx::CapInformation, MsgIcon::Exclamation);
    }
}

void StandardIndexDialog::accept() {
    double wrong = 0, corrected = 0;
    if (!DialogNumber(wrongIndexField, wrong) || !DialogNumber(correctedIndexField, corrected)) {
        platform_.inform(tx::InvalidFloatInput, tx::CapInformation, MsgIcon::Stop);
        return;
    }
    wrongValue = wrong;
    newValue = corrected;
    result = Result::Ok;
    closed_ = true;
}

void StandardIndexDialog::abort() {
    wrongValue = newValue = -1.0;
    result = Result::Abort;
    closed_ = true;
}

} // namespace zeb
