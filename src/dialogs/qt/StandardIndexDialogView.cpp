#include "dialogs/qt/StandardIndexDialogView.h"

#include "texts/ImportDialogTexts.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zeb {

StandardIndexDialogView::StandardIndexDialogView(StandardIndexDialog& logic, QWidget* parent)
    : FormView("StandardIndexDialog", tx::RecordReviewCaption, parent), logic_(logic) {
    QLabel* memo = WrappedLabel("explanationLabel", QString::fromUtf8(tx::StandardIndexExplanation), 60, true, this);

    QLineEdit* wrong = boundEdit("wrongIndexField", logic_.wrongIndexField);
    QLineEdit* corrected = boundEdit("correctedIndexField", logic_.correctedIndexField);
    for (QLineEdit* e : {wrong, corrected}) e->setMinimumWidth(CharsWidth(this, 16));
    QPushButton* search = button("standardFileButton", tx::StandardIndexBtnSearch, [this] { logic_.readStandardFile(); });
    QPushButton* ok = button("okButton", tx::StandardIndexBtnOk, [this] { logic_.accept(); });
    QPushButton* abort = button("abortButton", tx::StandardIndexBtnAbort, [this] { logic_.abort(); });
    ok->setDefault(true);

    auto* values = new QGridLayout;
    auto* wrongLabel = new QLabel(tx::StandardIndexLabelWrong, this);
    wrongLabel->setBuddy(wrong);
    auto* newLabel = new QLabel(tx::StandardIndexLabelNew, this);
    newLabel->setBuddy(corrected);
    values->addWidget(wrongLabel, 0, 0);
    values->addWidget(wrong, 0, 1);
    values->addWidget(search, 0, 2);
    values->addWidget(newLabel, 1, 0);
    values->addWidget(corrected, 1, 1);
    values->setColumnStretch(3, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(abort);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(memo);
    layout->addSpacing(4);
    layout->addLayout(values);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    corrected->setFocus();
}

bool StandardIndexDialogView::escapeHandler() {
    logic_.abort();
    return true;
}

} // namespace zeb
