#include "dialogs/FormFactorParametersDialog.h"

#include "plot/FormFactorChart.h"
#include "texts/AnalysisDialogTexts.h"
#include "texts/CommonTexts.h"

namespace zeb {

FormFactorParametersDialog::FormFactorParametersDialog(Platform& platform, double c, double& rgNm, double& mw)
    : platform_(platform), rgNm_(rgNm), mwGPerMol_(mw) {
    if (c < 0.0) {
        shownMemo = "noPlotNote";
        concentrationLabelVisible = concentrationFieldVisible = false;
    } else if (rgNm >= 0.0) {
        shownMemo = "willPlotNote";
        concentrationField = FormFactorFieldText(c * 1000.0);
        rgField = FormFactorFieldText(rgNm);
        mwField = FormFactorFieldText(mw);
    } else {
        shownMemo = "negativeRgNote";
        concentrationField = FormFactorFieldText(c * 1000.0);
    }
}

void FormFactorParametersDialog::rgTyped(const std::string& text) {
    rgField = text;
    rgEdited_ = true;
}

void FormFactorParametersDialog::accept() {
    // The window's Rg and Mw take what the fields hold as far as they are read.
    const FormFactorFieldCheck check = CheckFormFactorFields(rgField, mwField, platform_);
    if (check.rgNm) rgNm_ = *check.rgNm;
    if (check.mwGPerMol) mwGPerMol_ = *check.mwGPerMol;
    if (!check.accepted) {
        if (check.rgUnreadable) focus = "rgField";
        else if (!check.mwGPerMol) focus = "mwField";
        return;
    }
    modalResult = kResultOk;
}

void FormFactorParametersDialog::abort() {
    aborted_ = true;
    modalResult = kResultAbort;
}

// The help page that explains the form factors.
void FormFactorParametersDialog::showHelp() { platform_.showHelp(tx::HelpIntroduction); }

void FormFactorParametersDialog::answerDefault() {
    accept();
    if (!closed()) abort();
}

} // namespace zeb
