#include "dialogs/qt/TFormnStdView.h"

#include "texts/ImportDialogTexts.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zeb {

TFormnStdView::TFormnStdView(TFormnStd& logic, QWidget* parent)
    : FormView("TFormnStd", tx::Pavo7100Caption, parent), logic_(logic) {
    QLabel* memo = MemoLabel("MemoExplanation", QString::fromUtf8(tx::NStdExplanation), 60, true, this);

    QLineEdit* wrong = boundEdit("EditWrong", logic_.EditWrong);
    QLineEdit* corrected = boundEdit("EditNew", logic_.EditNew);
    for (QLineEdit* e : {wrong, corrected}) e->setMinimumWidth(CharsWidth(this, 16));
    QPushButton* search = button("BtnStdFile", tx::NStdBtnSearch, [this] { logic_.BtnStdFileClick(); });
    QPushButton* ok = button("BitBtnOkay", tx::NStdBtnOk, [this] { logic_.BitBtnOkayClick(); });
    QPushButton* abort = button("BitBtnAbort", tx::NStdBtnAbort, [this] { logic_.BitBtnAbortClick(); });
    ok->setDefault(true);

    auto* values = new QGridLayout;
    auto* wrongLabel = new QLabel(tx::NStdLabelWrong, this);
    wrongLabel->setBuddy(wrong);
    auto* newLabel = new QLabel(tx::NStdLabelNew, this);
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

bool TFormnStdView::escapeHandler() {
    logic_.BitBtnAbortClick();
    return true;
}

} // namespace zeb
