// The reflection correction command of the plot window.
#include "analysis/NumberText.h"
#include "analysis/ReflectionCorrection.h"
#include "texts/AnalysisDialogTexts.h"
#include "texts/CommonTexts.h"
#include "dialogs/ReflectionCorrectionDialog.h"
#include "platform/Platform.h"
#include "plotwindow/PlotWindow.h"

namespace zeb {

void PlotWindow::correctReflection() {
    if (loading()) return;
    if (AnyPointWithoutWavelength(set_)) {
        platform_.inform(tx::ReflectNoWavelength, tx::CapInformation, MsgIcon::Stop);
        return;
    }
    if (AllPointsCorrected(set_)) {
        platform_.inform(tx::ReflectAlreadyDone, tx::CapInformation, MsgIcon::Information);
        return;
    }

    ReflectionCorrectionDialog dialog(platform_);
    int last = ReflectionCorrectionDialog::kResultPrompt;
    bool sameIndexForAll = false;
    bool reportMissingFit = true;
    for (int p = 1; p <= set_.lastConcIndex; ++p) {
        const bool missing = SolventIndexOf(set_, p) < 0.0;
        if (last == ReflectionCorrectionDialog::kResultPrompt || (missing && !sameIndexForAll)) {
            dialog.PrepareFor(set_.sourceName[p], set_.concentration[p], missing);
            dialog.prepareToShow();
            platform_.runModal(dialog);
            last = dialog.modalResult;
            if (last == ReflectionCorrectionDialog::kResultForAll && missing) sameIndexForAll = true;
        }
        if (last != ReflectionCorrectionDialog::kResultPrompt && last != ReflectionCorrectionDialog::kResultForAll) break;

        ReflectionInput input;
        input.plotType = PlotTypeNumber(options_.plotType);
        input.qOrder = OrderNumber(options_.qOrder);
        input.nGlass = dialog.nGlass;
        input.nTyped = dialog.nTyped;
        const double c = set_.concentration[p];
        input.askOutside = [&](double thetaDeg) {
            ReflectionNoticeDialog& info = dialog.info();
            info.Prepare(thetaDeg, c);
            platform_.runModal(info);
            return info.modalResult;
        };
        const CorrectionOutcome outcome =
            CorrectConcentration(set_, p, input, dialog.correctionApplied, &dialog.reflectance);
        if (outcome == CorrectionOutcome::NoFit && reportMissingFit &&
            platform_.message(CFormat(tx::ReflectNoFitFormat, c * 1000.0), tx::CapInformation, MsgButtons::YesNo,
                              MsgIcon::Information, MsgAnswer::Yes) == MsgAnswer::No)
            reportMissingFit = false;
    }

    leaveFormFactorView();
    updateReflectItem();
    PreparePoints(1);
    calculate();
}

} // namespace zeb
