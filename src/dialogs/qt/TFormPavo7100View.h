// The record review form: the parameters of a record in two groups, an
// explanation, the red warning and the buttons Continue, Change, Abort, Help.
#pragma once

#include "dialogs/TFormPavo7100.h"
#include "dialogs/qt/FormView.h"

class QLineEdit;

namespace zeb {

class TFormPavo7100View : public FormView {
    Q_OBJECT
public:
    TFormPavo7100View(TFormPavo7100& logic, QWidget* parent = nullptr);

protected:
    bool logicClosed() const override { return logic_.closed(); }
    bool escapeHandler() override;
    void refresh() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TFormPavo7100& logic_;
    QLineEdit* nStandard_ = nullptr;
    QLineEdit* sampleName_ = nullptr;
};

} // namespace zeb
