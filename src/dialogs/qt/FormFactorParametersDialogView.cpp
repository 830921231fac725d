#include "dialogs/qt/FormFactorParametersDialogView.h"

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

FormFactorParametersDialogView::FormFactorParametersDialogView(FormFactorParametersDialog& logic, QWidget* parent)
    : FormView("FormFactorParametersDialog", tx::CapZebStatInfoColon, parent), logic_(logic) {
    // The three explanations share one place; the logic names the one shown.
    auto* memos = new QVBoxLayout;
    for (const auto& [name, text] : {std::pair{"willPlotNote", tx::MemoWillPlot}, std::pair{"negativeRgNote", tx::MemoRgkl0},
                                     std::pair{"noPlotNote", tx::MemoNo}}) {
        QLabel* memo = WrappedLabel(name, ScreenText(text), 0, false, this);
        memo->setVisible(logic_.shownMemo == name);
        memos->addWidget(memo);
    }

    labelC_ = new QLabel(QString::fromUtf8(tx::FormFactorParametersLabelC), this);
    labelC_->setObjectName("concentrationLabel");
    editC_ = readOnlyEdit("concentrationField", logic_.concentrationField);
    auto* labelRg = new QLabel(tx::FormFactorParametersLabelRg, this);
    labelRg->setObjectName("rgLabel");
    // Typing in Rg is recorded by the logic (the labels of the plot are then redrawn).
    QLineEdit* rg = boundEdit("rgField", logic_.rgField, [this] { logic_.rgTyped(logic_.rgField); });
    auto* labelMw = new QLabel(tx::FormFactorParametersLabelMw, this);
    labelMw->setObjectName("mwLabel");
    QLineEdit* mw = boundEdit("mwField", logic_.mwField);
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

    QPushButton* ok = button("okButton", tx::FormBtnOk, [this] { logic_.accept(); });
    QPushButton* abort = button("abortButton", tx::FormBtnAbort, [this] { logic_.abort(); });
    QPushButton* help = button("helpButton", tx::FormBtnHelp, [this] { logic_.showHelp(); });
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

void FormFactorParametersDialogView::refresh() {
    FormView::refresh();
    labelC_->setVisible(logic_.concentrationLabelVisible);
    editC_->setVisible(logic_.concentrationFieldVisible);
}

bool FormFactorParametersDialogView::escapeHandler() {
    logic_.abort();
    return true;
}

} // namespace zeb
