// The reflection-correction form: the concentration about to be corrected, the
// glass of the cuvette and, when the data lack it, the solvent's refractive index.
#pragma once

#include "dialogs/ReflectionCorrectionDialog.h"
#include "dialogs/qt/FormView.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace zeb {

class ReflectionCorrectionDialogView : public FormView {
    Q_OBJECT
public:
    ReflectionCorrectionDialogView(ReflectionCorrectionDialog& logic, QWidget* parent = nullptr);

protected:
    bool logicClosed() const override { return logic_.modalResult != ReflectionCorrectionDialog::kResultClosed; }
    bool escapeHandler() override;
    std::string* focusRequest() override { return &logic_.focus; }
    void refresh() override;

private:
    ReflectionCorrectionDialog& logic_;
    QLineEdit* fileName_ = nullptr;
    QComboBox* glass_ = nullptr;
    QLabel* labelnSolv_ = nullptr;
    QLineEdit* nSolv_ = nullptr;
    QLabel* hint_ = nullptr;
    QPushButton* forAll_ = nullptr;
};

} // namespace zeb
