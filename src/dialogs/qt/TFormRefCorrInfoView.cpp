#include "dialogs/qt/TFormRefCorrInfoView.h"

#include "texts/AnalysisDialogTexts.h"
#include "texts/DialogFormTexts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zeb {

TFormRefCorrInfoView::TFormRefCorrInfoView(TFormRefCorrInfo& logic, QWidget* parent)
    : FormView("TFormRefCorrInfo", tx::RefCorrInfoCaption, parent), logic_(logic) {
    QLabel* memo = MemoLabel("Memo1", ScreenText(logic_.Memo1), 0, true, this);

    auto* concLabel = new QLabel(QString::fromUtf8(tx::RefCorrInfoLabelConc), this);
    QLineEdit* conc = readOnlyEdit("EditConc", logic_.EditConc);
    conc->setFixedWidth(CharsWidth(this, 14));
    concLabel->setBuddy(conc);
    auto* concRow = new QHBoxLayout;
    concRow->addWidget(concLabel);
    concRow->addWidget(conc);
    concRow->addStretch();

    QPushButton* extrapolate = button("Button1", tx::RefCorrExtrapolate, [this] { logic_.Button1Click(); });
    QPushButton* extrapolateAll = button("Button2", tx::RefCorrExtrapolateAll, [this] { logic_.Button2Click(); });
    QPushButton* skip = button("Button3", tx::RefCorrSkip, [this] { logic_.Button3Click(); });
    QPushButton* skipAll = button("Button4", tx::RefCorrSkipAll, [this] { logic_.Button4Click(); });
    // Enter skips the point: nothing is extrapolated without a deliberate choice.
    skip->setDefault(true);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {extrapolate, extrapolateAll, skip, skipAll}) buttons->addWidget(b);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(memo);
    layout->addLayout(concRow);
    layout->addSpacing(6);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    skip->setFocus();
}

} // namespace zeb
