#include "dialogs/qt/ReflectionNoticeDialogView.h"

#include "texts/AnalysisDialogTexts.h"
#include "texts/DialogFormTexts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zeb {

ReflectionNoticeDialogView::ReflectionNoticeDialogView(ReflectionNoticeDialog& logic, QWidget* parent)
    : FormView("ReflectionNoticeDialog", tx::ReflectionNoticeCaption, parent), logic_(logic) {
    QLabel* memo = WrappedLabel("explanation", ScreenText(logic_.explanation), 0, true, this);

    auto* concLabel = new QLabel(QString::fromUtf8(tx::ReflectionNoticeLabelConc), this);
    QLineEdit* conc = readOnlyEdit("concentrationField", logic_.concentrationField);
    conc->setFixedWidth(CharsWidth(this, 14));
    concLabel->setBuddy(conc);
    auto* concRow = new QHBoxLayout;
    concRow->addWidget(concLabel);
    concRow->addWidget(conc);
    concRow->addStretch();

    QPushButton* extrapolate = button("extrapolateButton", tx::ReflectionNoticeExtrapolate, [this] { logic_.extrapolate(); });
    QPushButton* extrapolateAll = button("extrapolateAllButton", tx::ReflectionNoticeExtrapolateAll, [this] { logic_.extrapolateAll(); });
    QPushButton* skip = button("skipButton", tx::ReflectionNoticeSkip, [this] { logic_.skip(); });
    QPushButton* skipAll = button("skipAllButton", tx::ReflectionNoticeSkipAll, [this] { logic_.skipAll(); });
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
