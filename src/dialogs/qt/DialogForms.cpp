#include "dialogs/qt/DialogForms.h"

#include "dialogs/qt/TFormCorrReflexView.h"
#include "dialogs/qt/TFormInputFormFView.h"
#include "dialogs/qt/TFormOptionsView.h"
#include "dialogs/qt/TFormPavo7100View.h"
#include "dialogs/qt/TFormRefCorrInfoView.h"
#include "dialogs/qt/TFormTarn1View.h"
#include "dialogs/qt/TFormnStdView.h"
#include "platform/qt/ProgramFault.h"
#include "platform/qt/QtPlatform.h"
#include "texts/CommonTexts.h"

namespace zeb {

namespace {

// Builds the form over the dialog's logic and shows it until the logic is done.
template <typename View, typename Logic>
QtPlatform::FormRunner RunnerFor() {
    return [](ModalDialog& dialog, QWidget* parent) {
        auto* logic = dynamic_cast<Logic*>(&dialog);
        if (!logic) {
            ReportProgramFault(tx::WrongDialogForm + std::string(dialog.dialogName()));
            dialog.answerDefault();
            return;
        }
        View view(*logic, parent);
        view.run();
    };
}

} // namespace

void RegisterDialogForms() {
    QtPlatform::registerForm("TFormPavo7100", RunnerFor<TFormPavo7100View, TFormPavo7100>());
    QtPlatform::registerForm("TFormnStd", RunnerFor<TFormnStdView, TFormnStd>());
    QtPlatform::registerForm("TFormTarn1", RunnerFor<TFormTarn1View, TFormTarn1>());
    QtPlatform::registerForm("TFormInputFormF", RunnerFor<TFormInputFormFView, TFormInputFormF>());
    QtPlatform::registerForm("TFormCorrReflex", RunnerFor<TFormCorrReflexView, TFormCorrReflex>());
    QtPlatform::registerForm("TFormRefCorrInfo", RunnerFor<TFormRefCorrInfoView, TFormRefCorrInfo>());
    QtPlatform::registerForm("TFormOptions", RunnerFor<TFormOptionsView, TFormOptions>());
}

} // namespace zeb
