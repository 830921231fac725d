#include "dialogs/TFormInputFormF.h"

#include "plot/FormFactorChart.h"
#include "texts/AnalysisDialogTexts.h"
#include "texts/CommonTexts.h"

namespace zeb {

TFormInputFormF::TFormInputFormF(Platform& platform, double c, double& rgNm, double& mw)
    : platform_(platform), rgNm_(rgNm), mwGPerMol_(mw) {
    if (c < 0.0) {
        shownMemo = "MemoNo";
        LabelCVisible = EditCVisible = false;
    } else if (rgNm >= 0.0) {
        shownMemo = "MemoWillPlot";
        EditC = FormFactorFieldText(c * 1000.0);
        EditRg = FormFactorFieldText(rgNm);
        EditMw = FormFactorFieldText(mw);
    } else {
        shownMemo = "MemoRgkl0";
        EditC = FormFactorFieldText(c * 1000.0);
    }
}

void TFormInputFormF::EditRgChange(const std::string& text) {
    EditRg = text;
    rgEdited_ = true;
}

void TFormInputFormF::BitBtn1Click() {
    // The window's Rg and Mw take what the fields hold as far as they are read.
    const FormFactorFieldCheck check = CheckFormFactorFields(EditRg, EditMw, platform_);
    if (check.rgNm) rgNm_ = *check.rgNm;
    if (check.mwGPerMol) mwGPerMol_ = *check.mwGPerMol;
    if (!check.accepted) {
        if (check.rgUnreadable) focus = "EditRg";
        else if (!check.mwGPerMol) focus = "EditMw";
        return;
    }
    modalResult = kResultOk;
}

void TFormInputFormF::BitBtn2Click() {
    aborted_ = true;
    modalResult = kResultAbort;
}

// The help page that explains the form factors.
void TFormInputFormF::BitBtn3Click() { platform_.showHelp(tx::HelpIntroduction); }

void TFormInputFormF::answerDefault() {
    BitBtn1Click();
    if (!closed()) BitBtn2Click();
}

} // namespace zeb
