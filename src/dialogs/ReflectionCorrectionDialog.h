// The dialog of the reflection correction: the refractive index of the cuvette
// glass (chosen from a table or typed) and, for a concentration whose points
// carry no solvent index, the solvent's index. "Assume same refractive index for
// all concentrations" (result 5) and "Prompt when reading new concentration"
// (result 4) go on; "Abort" stops the correction.
//
// The window fills the concentration's fields with PrepareFor and calls prepareToShow
// before each showing; the view only edits the texts and presses the buttons.
#pragma once

#include "analysis/ReflectionCorrection.h"
#include "dialogs/ReflectionNoticeDialog.h"
#include "platform/Platform.h"

#include <string>
#include <vector>

namespace zeb {

class ReflectionCorrectionDialog : public ModalDialog {
public:
    static constexpr int kResultPrompt = 4;
    static constexpr int kResultForAll = 5;
    static constexpr int kResultAbort = 3;
    static constexpr int kResultClosed = 0;

    explicit ReflectionCorrectionDialog(Platform& platform);

    const char* dialogName() const override { return "ReflectionCorrectionDialog"; }
    // The safe choice: abort. When a correction has been applied already the
    // abort question keeps its default No; the dialog then goes on prompting
    // (or closes when the typed numbers cannot be read).
    void answerDefault() override;

    // The concentration shown next: its source path, concentration (g/cm³) and
    // whether its points lack the solvent index.
    void PrepareFor(const std::string& sourceName, double concentrationGPerCm3, bool solventIndexMissing);

    void chooseGlass(int itemIndex);
    void glassIndexEdited(const std::string& text);
    void prepareToShow();
    void correctAllConcentrations();
    void correctAndPromptAgain();
    void abort();
    void showHelp();

    ReflectionNoticeDialog& info() { return info_; }

    // The glass table.
    static const std::vector<std::string>& GlassNames();
    static double GlassIndex(int itemIndex);  // 1.46, 1.47; -1 for "user defined"

    // Controls.
    std::string fileNameField;
    std::string concentrationField;
    int glassChoice = 0;
    std::string glassIndexField;
    std::string solventIndexField;
    bool solventIndexLabelVisible = false;
    bool solventIndexFieldVisible = false;
    bool solventIndexHintVisible = false;
    std::string forAllButtonCaption;
    std::string focus;  // the control that has the focus

    // State.
    double nGlass = 1.46;
    double nTyped = -1.0;
    Reflectance reflectance;
    bool correctionApplied = false;
    bool solventIndexMissing = false;
    int modalResult = kResultClosed;

private:
    bool readInputs();

    Platform& platform_;
    ReflectionNoticeDialog info_;
};

} // namespace zeb
