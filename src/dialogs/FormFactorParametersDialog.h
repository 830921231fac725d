// The form-factor parameter dialog: shows the concentration of the compared data
// and lets the user accept or change Rg and Mw before the theoretical form
// factors are plotted. It writes Rg and Mw of the plot window as they are read,
// so a value stored before a failed validation stays there (unused, since the
// form factor is plotted only after OK).
#pragma once

#include "platform/Platform.h"

#include <string>

namespace zeb {

class FormFactorParametersDialog : public ModalDialog {
public:
    static constexpr int kResultOk = 1;
    static constexpr int kResultAbort = 3;

    // c in g/cm³ (negative: no data record), Rg in nm (negative: none), Mw in g/mol.
    // The dialog is created for one showing; creating it fills the fields.
    FormFactorParametersDialog(Platform& platform, double concentrationGPerCm3, double& rgNm, double& mwGPerMol);

    const char* dialogName() const override { return "FormFactorParametersDialog"; }
    // Accepts the values shown; when they cannot be accepted, aborts.
    void answerDefault() override;

    void rgTyped(const std::string& text);
    void mwTyped(const std::string& text) { mwField = text; }
    void accept();  // OK
    void abort();  // Abort
    void showHelp();  // Help

    bool aborted() const { return aborted_; }
    bool rgEdited() const { return rgEdited_; }
    bool closed() const { return modalResult != 0; }

    // Which explanation is shown: "willPlotNote", "negativeRgNote" or "noPlotNote".
    std::string shownMemo;
    bool concentrationLabelVisible = true;
    bool concentrationFieldVisible = true;
    std::string concentrationField;
    std::string rgField;
    std::string mwField;
    std::string focus;
    int modalResult = 0;

private:
    Platform& platform_;
    double& rgNm_;
    double& mwGPerMol_;
    bool aborted_ = false;
    bool rgEdited_ = false;
};

} // namespace zeb
