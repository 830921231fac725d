#include "dialogs/qt/TFormCorrReflexView.h"

#include "texts/AnalysisDialogTexts.h"
#include "texts/DialogFormTexts.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace zeb {

TFormCorrReflexView::TFormCorrReflexView(TFormCorrReflex& logic, QWidget* parent)
    : FormView("TFormCorrReflex", tx::CorrReflexCaption, parent), logic_(logic) {
    auto* data = new QGroupBox(QString::fromUtf8(tx::CorrReflexGroupData), this);
    auto* dataRows = new QFormLayout(data);
    fileName_ = readOnlyEdit("EditFileName", logic_.EditFileName);
    fileName_->setMinimumWidth(CharsWidth(this, 48));
    QLineEdit* conc = readOnlyEdit("EditConc", logic_.EditConc);
    conc->setFixedWidth(CharsWidth(this, 14));
    dataRows->addRow(QString::fromUtf8(tx::CorrReflexLabelFile), fileName_);
    dataRows->addRow(QString::fromUtf8(tx::CorrReflexLabelConc), conc);

    auto* cuvette = new QGroupBox(QString::fromUtf8(tx::CorrReflexGroupGlass), this);
    auto* cuvetteRows = new QFormLayout(cuvette);
    glass_ = new QComboBox(cuvette);
    glass_->setObjectName("ComboGlas");
    for (const std::string& name : TFormCorrReflex::GlassNames()) glass_->addItem(QString::fromStdString(name));
    // A change of the choice, not picking the item shown again (that would clear a typed index).
    connect(glass_, &QComboBox::activated, this, [this](int item) {
        if (item != logic_.ComboGlas) forward([this, item] { logic_.ComboGlasChange(item); });
    });
    QLineEdit* nGlass = boundEdit("EditnGlas", logic_.EditnGlas, [this] { logic_.EditnGlasChange(logic_.EditnGlas); });
    nGlass->setFixedWidth(CharsWidth(this, 14));
    cuvetteRows->addRow(QString::fromUtf8(tx::CorrReflexLabelGlass), glass_);
    cuvetteRows->addRow(QString::fromUtf8(tx::CorrReflexLabelnGlass), nGlass);

    AlignLabelColumns({dataRows, cuvetteRows});

    labelnSolv_ = new QLabel(QString::fromUtf8(tx::LabelnSolv), this);
    labelnSolv_->setObjectName("LabelnSolv");
    nSolv_ = boundEdit("EditnSolv", logic_.EditnSolv);
    nSolv_->setFixedWidth(CharsWidth(this, 14));
    labelnSolv_->setBuddy(nSolv_);
    hint_ = MemoLabel("MemoHintn", QString::fromUtf8(tx::CorrReflexHintn), 56, true, this);
    // The hint is as wide as the groups above it.
    hint_->setFixedWidth(std::max(data->sizeHint().width(), cuvette->sizeHint().width()));
    SetMemoText(hint_, hint_->text());
    auto* solvent = new QHBoxLayout;
    solvent->addWidget(labelnSolv_);
    solvent->addWidget(nSolv_);
    solvent->addStretch();

    forAll_ = button("BtnForAll", QString(), [this] { logic_.BtnForAllClick(); });
    QPushButton* prompt = button("BtnPrompt", tx::BtnPromptCaption, [this] { logic_.BtnPromptClick(); });
    QPushButton* abort = button("BitBtnAbort", tx::BtnAbortCaption, [this] { logic_.BitBtnAbortClick(); });
    QPushButton* help = button("BtnHelp", tx::FormBtnHelp, [this] { logic_.BtnHelpClick(); });
    prompt->setDefault(true);

    auto* left = new QVBoxLayout;
    left->addWidget(data);
    left->addWidget(cuvette);
    left->addLayout(solvent);
    left->addWidget(hint_);
    left->addStretch();

    auto* right = new QVBoxLayout;
    right->addWidget(forAll_);
    right->addWidget(prompt);
    right->addStretch();
    right->addWidget(abort);
    right->addWidget(help);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addSpacing(8);
    layout->addLayout(right);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    refresh();
}

void TFormCorrReflexView::refresh() {
    FormView::refresh();
    // A long path shows its end, where the file's name is.
    fileName_->setCursorPosition(fileName_->text().size());
    fileName_->setToolTip(fileName_->text());
    glass_->setCurrentIndex(logic_.ComboGlas);
    labelnSolv_->setVisible(logic_.LabelnSolvVisible);
    nSolv_->setVisible(logic_.EditnSolvVisible);
    hint_->setVisible(logic_.MemoHintnVisible);
    forAll_->setText(QString::fromStdString(logic_.BtnForAllCaption));
}

bool TFormCorrReflexView::escapeHandler() {
    logic_.BitBtnAbortClick();
    return true;
}

} // namespace zeb
