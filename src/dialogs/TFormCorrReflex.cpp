#include "dialogs/TFormCorrReflex.h"

#include "analysis/NumberText.h"
#include "texts/AnalysisDialogTexts.h"
#include "texts/CommonTexts.h"

namespace zeb {

namespace {

// A refractive index as typed: a positive finite number (a decimal comma is accepted).
std::optional<double> readIndex(const std::string& text) {
    const auto v = ParseTypedNumber(text);
    if (!v || !(*v > 0.0)) return std::nullopt;
    return v;
}

} // namespace

TFormCorrReflex::TFormCorrReflex(Platform& platform) : platform_(platform) {
    EditnGlas = CFormat("%.3f", nGlass);
}

const std::vector<std::string>& TFormCorrReflex::GlassNames() {
    static const std::vector<std::string> names = {tx::GlassSuprasil, tx::GlassPyrex, tx::GlassUser};
    return names;
}

double TFormCorrReflex::GlassIndex(int itemIndex) {
    switch (itemIndex) {
    case 0: return 1.46;
    case 1: return 1.47;
    default: return -1.0;
    }
}

void TFormCorrReflex::PrepareFor(const std::string& sourceName, double c, bool missing) {
    EditFileName = sourceName;
    EditConc = CFormat("%.5f", c * 1000.0);
    solventIndexMissing = missing;
    modalResult = kResultClosed;
}

void TFormCorrReflex::ComboGlasChange(int itemIndex) {
    ComboGlas = itemIndex;
    if (itemIndex == 0 || itemIndex == 1) {
        nGlass = GlassIndex(itemIndex);
        EditnGlas = CFormat("%.3f", nGlass);
    } else {
        EditnGlas.clear();
        focus = "EditnGlas";
    }
}

void TFormCorrReflex::EditnGlasChange(const std::string& text) {
    EditnGlas = text;
    ComboGlas = 2;
}

void TFormCorrReflex::FormShow() {
    LabelnSolvVisible = EditnSolvVisible = MemoHintnVisible = solventIndexMissing;
    BtnForAllCaption = tx::BtnForAllCaption;
    focus = EditnSolvVisible ? "EditnSolv" : "EditnGlas";
}

bool TFormCorrReflex::readInputs() {
    const auto glass = readIndex(EditnGlas);
    if (!glass) {
        platform_.inform(tx::InvalidFloatInput, tx::CapInformation, MsgIcon::Stop);
        focus = "EditnGlas";
        return false;
    }
    nGlass = *glass;
    if (EditnSolvVisible) {
        const auto solvent = readIndex(EditnSolv);
        if (!solvent) {
            platform_.inform(tx::InvalidFloatInput, tx::CapInformation, MsgIcon::Stop);
            focus = "EditnSolv";
            return false;
        }
        nTyped = *solvent;
    }
    return true;
}

void TFormCorrReflex::BtnForAllClick() {
    if (readInputs()) modalResult = kResultForAll;
}

void TFormCorrReflex::BtnPromptClick() {
    if (readInputs()) modalResult = kResultPrompt;
}

void TFormCorrReflex::BitBtnAbortClick() {
    if (correctionApplied &&
        platform_.message(tx::ReflectAbortQuestion, tx::CapInformation, MsgButtons::YesNo, MsgIcon::Exclamation,
                          MsgAnswer::No) != MsgAnswer::Yes)
        return;
    modalResult = kResultAbort;
}

// The help page that explains the correction.
void TFormCorrReflex::BtnHelpClick() { platform_.showHelp(tx::HelpIntroduction); }

void TFormCorrReflex::answerDefault() {
    BitBtnAbortClick();
    if (modalResult == kResultClosed) BtnPromptClick();
}

} // namespace zeb
