// The reflection-correction form: the concentration about to be corrected, the
// glass of the cuvette and, when the data lack it, the solvent's refractive index.
#pragma once

#include "dialogs/TFormCorrReflex.h"
#include "dialogs/qt/FormView.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace zeb {

class TFormCorrReflexView : public FormView {
    Q_OBJECT
public:
    TFormCorrReflexView(TFormCorrReflex& logic, QWidget* parent = nullptr);

protected:
    bool logicClosed() const override { return logic_.modalResult != TFormCorrReflex::kResultClosed; }
    bool escapeHandler() override;
    std::string* focusRequest() override { return &logic_.focus; }
    void refresh() override;

private:
    TFormCorrReflex& logic_;
    QLineEdit* fileName_ = nullptr;
    QComboBox* glass_ = nullptr;
    QLabel* labelnSolv_ = nullptr;
    QLineEdit* nSolv_ = nullptr;
    QLabel* hint_ = nullptr;
    QPushButton* forAll_ = nullptr;
};

} // namespace zeb
