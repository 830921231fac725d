#include "dialogs/TFormRefCorrInfo.h"

#include "analysis/NumberText.h"
#include "texts/AnalysisDialogTexts.h"

namespace zeb {

TFormRefCorrInfo::TFormRefCorrInfo() {
    template_ = std::string(tx::RefCorrInfoLine1) + "\r\n" + tx::RefCorrInfoLine2 + "\r\n" + tx::RefCorrInfoLine3 +
                "\r\n" + tx::RefCorrInfoLine4 + "\r\n" + tx::RefCorrInfoLine5;
}

void TFormRefCorrInfo::Prepare(double thetaDeg, double concentrationGPerCm3) {
    // The template printed with θ for both placeholders (one in each of the first two lines).
    Memo1 = CFormat(tx::RefCorrInfoLine1, thetaDeg) + "\r\n" + CFormat(tx::RefCorrInfoLine2, thetaDeg) + "\r\n" +
            tx::RefCorrInfoLine3 + "\r\n" + tx::RefCorrInfoLine4 + "\r\n" + tx::RefCorrInfoLine5;
    EditConc = CFormat("%.5f", concentrationGPerCm3 * 1000.0);
    modalResult = 0;
}

} // namespace zeb
