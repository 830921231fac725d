#include "dialogs/TFormInputFormF.h"

#include "analysis/DecimalFormat.h"
#include "analysis/NumberText.h"
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
        EditC = DecimalFormat(tx::InputFormFNumberPattern, c * 1000.0);
        EditRg = DecimalFormat(tx::InputFormFNumberPattern, rgNm);
        EditMw = DecimalFormat(tx::InputFormFNumberPattern, mw);
    } else {
        shownMemo = "MemoRgkl0";
        EditC = DecimalFormat(tx::InputFormFNumberPattern, c * 1000.0);
    }
}

void TFormInputFormF::EditRgChange(const std::string& text) {
    EditRg = text;
    rgEdited_ = true;
}

void TFormInputFormF::BitBtn1Click() {
    const auto rg = ParseTypedNumber(EditRg);
    if (!rg) {
        platform_.inform(tx::InvalidNumber, tx::CapInformation, MsgIcon::Stop);
        focus = "EditRg";
        return;
    }
    rgNm_ = *rg;
    const auto mw = ParseTypedNumber(EditMw);
    if (!mw) {
        platform_.inform(tx::InvalidNumber, tx::CapInformation, MsgIcon::Stop);
        focus = "EditMw";
        return;
    }
    mwGPerMol_ = *mw;
    if (rgNm_ <= 0.0 || mwGPerMol_ <= 0.0) {
        platform_.inform(tx::InvalidInput, tx::CapInformation, MsgIcon::None);
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
