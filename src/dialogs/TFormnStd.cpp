#include "dialogs/TFormnStd.h"

#include "texts/CommonTexts.h"
#include "texts/FileTexts.h"
#include "texts/ImportDialogTexts.h"
#include "data/FileAccess.h"
#include "data/ReadProblem.h"
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
        platform_.inform(std::string(tx::FileCannotBeOpened) + "\n" + *path + ": " + SystemReason(ReadAccessError(*path)),
                         tx::CapError, MsgIcon::Exclamation);
        return;
    }
    // The third line holds the refractive index of the standard, and only it.
    auto refuse = [&](ReadProblem::Kind kind, int line, const std::string& what) {
        platform_.inform(ReadProblemText(ReadProblem{kind, line, what}, *path), tx::CapInformation,
                         MsgIcon::Exclamation);
    };
    if (const auto at = BinaryByteAt(*text)) {
        refuse(ReadProblem::Kind::Invalid, LineOfOffset(*text, *at), "this is no text file");
        return;
    }
    TextLineReader lines(*text, kStandardLineChars);
    std::string line;
    for (int n = 1; n <= 3; ++n) {
        if (!lines.next(line)) {
            if (lines.tooLong()) refuse(ReadProblem::Kind::Invalid, n, "the line is longer than 255 characters");
            else refuse(ReadProblem::Kind::EndsEarly, n, "the file ends before this line, which holds the refractive index of the standard");
            return;
        }
    }
    const std::string value = Cp850ToUtf8(line);
    double index = 0;
    if (!DialogNumber(value, index) || !(index > 0.0)) {
        refuse(ReadProblem::Kind::Invalid, 3, "\"" + value.substr(0, 40) + "\" is no refractive index");
        return;
    }
    EditWrong = value;
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
