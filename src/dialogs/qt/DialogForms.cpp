#include "dialogs/qt/DialogForms.h"

#include "dialogs/qt/ReflectionCorrectionDialogView.h"
#include "dialogs/qt/FormFactorParametersDialogView.h"
#include "dialogs/qt/OptionsDialogView.h"
#include "dialogs/qt/RecordReviewDialogView.h"
#include "dialogs/qt/ReflectionNoticeDialogView.h"
#include "dialogs/qt/ConcentrationTableDialogView.h"
#include "dialogs/qt/StandardIndexDialogView.h"
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
    QtPlatform::registerForm("RecordReviewDialog", RunnerFor<RecordReviewDialogView, RecordReviewDialog>());
    QtPlatform::registerForm("StandardIndexDialog", RunnerFor<StandardIndexDialogView, StandardIndexDialog>());
    QtPlatform::registerForm("ConcentrationTableDialog", RunnerFor<ConcentrationTableDialogView, ConcentrationTableDialog>());
    QtPlatform::registerForm("FormFactorParametersDialog", RunnerFor<FormFactorParametersDialogView, FormFactorParametersDialog>());
    QtPlatform::registerForm("ReflectionCorrectionDialog", RunnerFor<ReflectionCorrectionDialogView, ReflectionCorrectionDialog>());
    QtPlatform::registerForm("ReflectionNoticeDialog", RunnerFor<ReflectionNoticeDialogView, ReflectionNoticeDialog>());
    QtPlatform::registerForm("OptionsDialog", RunnerFor<OptionsDialogView, OptionsDialog>());
}

} // namespace zeb
