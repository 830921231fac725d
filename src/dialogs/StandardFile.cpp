#include "dialogs/StandardFile.h"

#include "data/TextLines.h"
#include "dialogs/DialogNumber.h"
#include "platform/CodePage.h"

namespace zeb {

std::string ParseStandardFile(std::string_view bytes) {
    if (const auto at = BinaryByteAt(bytes))
        Refuse(ReadProblem::Kind::Invalid, LineOfOffset(bytes, *at), "this is no text file");
    TextLineReader lines(bytes, kStandardLineChars);
    std::string line;
    for (int n = 1; n <= 3; ++n) {
        if (!lines.next(line)) {
            if (lines.tooLong()) Refuse(ReadProblem::Kind::Invalid, n, "the line is longer than 255 characters");
            Refuse(ReadProblem::Kind::EndsEarly, n,
                   "the file ends before this line, which holds the refractive index of the standard");
        }
    }
    std::string value = Cp850ToUtf8(line);
    double index = 0;
    if (!DialogNumber(value, index) || !(index > 0.0))
        Refuse(ReadProblem::Kind::Invalid, 3, "\"" + value.substr(0, 40) + "\" is no refractive index");
    return value;
}

} // namespace zeb
