#include "dialogs/ReflectionNoticeDialog.h"

#include "analysis/NumberText.h"
#include "texts/AnalysisDialogTexts.h"

namespace zeb {

ReflectionNoticeDialog::ReflectionNoticeDialog() {
    template_ = std::string(tx::ReflectionNoticeLine1) + "\r\n" + tx::ReflectionNoticeLine2 + "\r\n" + tx::ReflectionNoticeLine3 +
                "\r\n" + tx::ReflectionNoticeLine4 + "\r\n" + tx::ReflectionNoticeLine5;
}

void ReflectionNoticeDialog::Prepare(double thetaDeg, double concentrationGPerCm3) {
    // The template printed with θ for both placeholders (one in each of the first two lines).
    explanation = CFormat(tx::ReflectionNoticeLine1, thetaDeg) + "\r\n" + CFormat(tx::ReflectionNoticeLine2, thetaDeg) + "\r\n" +
            tx::ReflectionNoticeLine3 + "\r\n" + tx::ReflectionNoticeLine4 + "\r\n" + tx::ReflectionNoticeLine5;
    concentrationField = CFormat("%.5f", concentrationGPerCm3 * 1000.0);
    modalResult = 0;
}

} // namespace zeb
