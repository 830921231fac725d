// The record review form: the parameters of a record in two groups, an
// explanation, the red warning and the buttons Continue, Change, Abort, Help.
#pragma once

#include "dialogs/RecordReviewDialog.h"
#include "dialogs/qt/FormView.h"

class QLineEdit;

namespace zeb {

class RecordReviewDialogView : public FormView {
    Q_OBJECT
public:
    RecordReviewDialogView(RecordReviewDialog& logic, QWidget* parent = nullptr);

protected:
    bool logicClosed() const override { return logic_.closed(); }
    bool escapeHandler() override;
    void refresh() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    RecordReviewDialog& logic_;
    QLineEdit* nStandard_ = nullptr;
    QLineEdit* sampleName_ = nullptr;
};

} // namespace zeb
