#include "dialogs/qt/TFormInputFormFView.h"

#include "texts/AnalysisDialogTexts.h"
#include "texts/CommonTexts.h"
#include "texts/DialogFormTexts.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zeb {

TFormInputFormFView::TFormInputFormFView(TFormInputFormF& logic, QWidget* parent)
    : FormView("TFormInputFormF", tx::CapZebStatInfoColon, parent), logic_(logic) {
    // The three explanations share one place; the logic names the one shown.
    auto* memos = new QVBoxLayout;
    for (const auto& [name, text] : {std::pair{"MemoWillPlot", tx::MemoWillPlot}, std::pair{"MemoRgkl0", tx::MemoRgkl0},
                                     std::pair{"MemoNo", tx::MemoNo}}) {
        QLabel* memo = MemoLabel(name, ScreenText(text), 0, false, this);
        memo->setVisible(logic_.shownMemo == name);
        memos->addWidget(memo);
    }

    labelC_ = new QLabel(QString::fromUtf8(tx::InputFormFLabelC), this);
    labelC_->setObjectName("LabelC");
    editC_ = readOnlyEdit("EditC", logic_.EditC);
    auto* labelRg = new QLabel(tx::InputFormFLabelRg, this);
    labelRg->setObjectName("Label1");
    // Typing in Rg is recorded by the logic (the labels of the plot are then redrawn).
    QLineEdit* rg = boundEdit("EditRg", logic_.EditRg, [this] { logic_.EditRgChange(logic_.EditRg); });
    auto* labelMw = new QLabel(tx::InputFormFLabelMw, this);
    labelMw->setObjectName("Label2");
    QLineEdit* mw = boundEdit("EditMw", logic_.EditMw);
    labelC_->setBuddy(editC_);
    labelRg->setBuddy(rg);
    labelMw->setBuddy(mw);
    for (QLineEdit* e : {editC_, rg, mw}) e->setFixedWidth(CharsWidth(this, 14));

    auto* fields = new QGridLayout;
    fields->addWidget(labelC_, 0, 0);
    fields->addWidget(editC_, 0, 1);
    fields->addWidget(labelRg, 1, 0);
    fields->addWidget(rg, 1, 1);
    fields->addWidget(labelMw, 2, 0);
    fields->addWidget(mw, 2, 1);
    fields->setColumnStretch(2, 1);

    QPushButton* ok = button("BitBtn1", tx::FormBtnOk, [this] { logic_.BitBtn1Click(); });
    QPushButton* abort = button("BitBtn2", tx::FormBtnAbort, [this] { logic_.BitBtn2Click(); });
    QPushButton* help = button("BitBtn3", tx::FormBtnHelp, [this] { logic_.BitBtn3Click(); });
    ok->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(abort);
    buttons->addWidget(help);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(memos);
    layout->addSpacing(8);
    layout->addLayout(fields);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    refresh();
    rg->setFocus();
}

void TFormInputFormFView::refresh() {
    FormView::refresh();
    labelC_->setVisible(logic_.LabelCVisible);
    editC_->setVisible(logic_.EditCVisible);
}

bool TFormInputFormFView::escapeHandler() {
    logic_.BitBtn2Click();
    return true;
}

} // namespace zeb
