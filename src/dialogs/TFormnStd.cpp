#include "dialogs/TFormnStd.h"

#include "app/texts/CommonTexts.h"
#include "app/texts/FileTexts.h"
#include "app/texts/ImportDialogTexts.h"
#include "data/FileAccess.h"
#include "data/TextLines.h"
#include "dialogs/DialogNumber.h"
#include "platform/CodePage.h"

namespace zeb {

namespace {

// Lines of a standard file are read with at most 255 characters each.
constexpr std::size_t kStandardLineChars = 255;
constexpr std::size_t kStandardPrefixBytes = 3 * (kStandardLineChars + 2);

} // namespace

void TFormnStd::BtnStdFileClick() {
    FileDialogRequest request;
    request.filter = tx::StandardFileFilter;
    request.filterIndex = 2;
    request.mustExist = true;
    const auto path = platform_.openFileName(request);
    if (!path) return;
    const auto text = ReadFilePrefix(*path, kStandardPrefixBytes);
    if (!text) {
        platform_.beep();
        platform_.inform(tx::FileCannotBeOpened, tx::CapError, MsgIcon::Exclamation);
        return;
    }
    TextLineReader lines(*text, kStandardLineChars);
    std::string line;
    for (int n = 1; n <= 3; ++n) {
        if (!lines.next(line)) {
            platform_.inform(tx::UnexpectedEndOfFile, tx::CapInformation, MsgIcon::Exclamation);
            return;
        }
    }
    EditWrong = Cp850ToUtf8(line.substr(0, line.find('\0')));
}

void TFormnStd::BitBtnOkayClick() {
    double wrong = 0, corrected = 0;
    if (!DialogNumber(EditWrong, wrong) || !DialogNumber(EditNew, corrected)) {
        platform_.inform(tx::InvalidFloatInput, tx::CapInformation, MsgIcon::Stop);
        return;
    }
    wrongValue = wrong;
    newValue = corrected;
    result = Result::Ok;
    closed_ = true;
}

void TFormnStd::BitBtnAbortClick() {
    wrongValue = newValue = -1.0;
    result = Result::Abort;
    closed_ = true;
}

} // namespace zeb
