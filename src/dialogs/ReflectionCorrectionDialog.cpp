#include "dialogs/ReflectionCorrectionDialog.h"

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

ReflectionCorrectionDialog::ReflectionCorrectionDialog(Platform& platform) : platform_(platform) {
    glassIndexField = CFormat("%.3f", nGlass);
}

const std::vector<std::string>& ReflectionCorrectionDialog::GlassNames() {
    static const std::vector<std::string> names = {tx::GlassSuprasil, tx::GlassPyrex, tx::GlassUser};
    return names;
}

double ReflectionCorrectionDialog::GlassIndex(int itemIndex) {
    switch (itemIndex) {
    case 0: return 1.46;
    case 1: return 1.47;
    default: return -1.0;
    }
}

void ReflectionCorrectionDialog::PrepareFor(const std::string& sourceName, double c, bool missing) {
    fileNameField = sourceName;
    concentrationField = CFormat("%.5f", c * 1000.0);
    solventIndexMissing = missing;
    modalResult = kResultClosed;
}

void ReflectionCorrectionDialog::chooseGlass(int itemIndex) {
    glassChoice = itemIndex;
    if (itemIndex == 0 || itemIndex == 1) {
        nGlass = GlassIndex(itemIndex);
        glassIndexField = CFormat("%.3f", nGlass);
    } else {
        glassIndexField.clear();
        focus = "glassIndexField";
    }
}

void ReflectionCorrectionDialog::glassIndexEdited(const std::string& text) {
    glassIndexField = text;
    glassChoice = 2;
}

void ReflectionCorrectionDialog::prepareToShow() {
    solventIndexLabelVisible = solventIndexFieldVisible = solventIndexHintVisible = solventIndexMissing;
    forAllButtonCaption = tx::BtnForAllCaption;
    focus = solventIndexFieldVisible ? "solventIndexField" : "glassIndexField";
}

bool ReflectionCorrectionDialog::readInputs() {
    const auto glass = readIndex(glassIndexField);
    if (!glass) {
        platform_.inform(tx::InvalidFloatInput, tx::CapInformation, MsgIcon::Stop);
        focus = "glassIndexField";
        return false;
    }
    nGlass = *glass;
    if (solventIndexFieldVisible) {
        const auto solvent = readIndex(solventIndexField);
        if (!solvent) {
            platform_.inform(tx::InvalidFloatInput, tx::CapInformation, MsgIcon::Stop);
            focus = "solventIndexField";
            return false;
        }
        nTyped = *solvent;
    }
    return true;
}

void ReflectionCorrectionDialog::correctAllConcentrations() {
    if (readInputs()) modalResult = kResultForAll;
}

void ReflectionCorrectionDialog::correctAndPromptAgain() {
    if (readInputs()) modalResult = kResultPrompt;
}

void ReflectionCorrectionDialog::abort() {
    if (correctionApplied &&
        platform_.message(tx::ReflectAbortQuestion, tx::CapInformation, MsgButtons::YesNo, MsgIcon::Exclamation,
                          MsgAnswer::No) != MsgAnswer::Yes)
        return;
    modalResult = kResultAbort;
}

// The help page that explains the correction.
void ReflectionCorrectionDialog::showHelp() { platform_.showHelp(tx::HelpIntroduction); }

void ReflectionCorrectionDialog::answerDefault() {
    abort();
    if (modalResult == kResultClosed) correctAndPromptAgain();
}

} // namespace zeb
