// The form-factor parameter form: one of three explanations, the concentration
// of the compared data and the fields for Rg and Mw.
#pragma once

#include "dialogs/FormFactorParametersDialog.h"
#include "dialogs/qt/FormView.h"

class QLabel;
class QLineEdit;

namespace zeb {

class FormFactorParametersDialogView : public FormView {
    Q_OBJECT
public:
    FormFactorParametersDialogView(FormFactorParametersDialog& logic, QWidget* parent = nullptr);

protected:
    bool logicClosed() const override { return logic_.closed(); }
    bool escapeHandler() override;
    std::string* focusRequest() override { return &logic_.focus; }
    void refresh() override;

private:
    FormFactorParametersDialog& logic_;
    QLabel* labelC_ = nullptr;
    QLineEdit* editC_ = nullptr;
};

} // namespace zeb
