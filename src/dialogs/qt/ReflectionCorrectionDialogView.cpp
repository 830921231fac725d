#include "dialogs/qt/ReflectionCorrectionDialogView.h"

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

ReflectionCorrectionDialogView::ReflectionCorrectionDialogView(ReflectionCorrectionDialog& logic, QWidget* parent)
    : FormView("ReflectionCorrectionDialog", tx::ReflectionCorrectionCaption, parent), logic_(logic) {
    auto* data = new QGroupBox(QString::fromUtf8(tx::ReflectionCorrectionGroupData), this);
    auto* dataRows = new QFormLayout(data);
    fileName_ = readOnlyEdit("fileNameField", logic_.fileNameField);
    fileName_->setMinimumWidth(CharsWidth(this, 48));
    QLineEdit* conc = readOnlyEdit("concentrationField", logic_.concentrationField);
    conc->setFixedWidth(CharsWidth(this, 14));
    dataRows->addRow(QString::fromUtf8(tx::ReflectionCorrectionLabelFile), fileName_);
    dataRows->addRow(QString::fromUtf8(tx::ReflectionCorrectionLabelConc), conc);

    auto* cuvette = new QGroupBox(QString::fromUtf8(tx::ReflectionCorrectionGroupGlass), this);
    auto* cuvetteRows = new QFormLayout(cuvette);
    glass_ = new QComboBox(cuvette);
    glass_->setObjectName("glassChoice");
    for (const std::string& name : ReflectionCorrectionDialog::GlassNames()) glass_->addItem(QString::fromStdString(name));
    // A change of the choice, not picking the item shown again (that would clear a typed index).
    connect(glass_, &QComboBox::activated, this, [this](int item) {
        if (item != logic_.glassChoice) forward([this, item] { logic_.chooseGlass(item); });
    });
    QLineEdit* nGlass = boundEdit("glassIndexField", logic_.glassIndexField, [this] { logic_.glassIndexEdited(logic_.glassIndexField); });
    nGlass->setFixedWidth(CharsWidth(this, 14));
    cuvetteRows->addRow(QString::fromUtf8(tx::ReflectionCorrectionLabelGlass), glass_);
    cuvetteRows->addRow(QString::fromUtf8(tx::ReflectionCorrectionLabelnGlass), nGlass);

    AlignLabelColumns({dataRows, cuvetteRows});

    labelnSolv_ = new QLabel(QString::fromUtf8(tx::LabelnSolv), this);
    labelnSolv_->setObjectName("LabelnSolv");
    nSolv_ = boundEdit("solventIndexField", logic_.solventIndexField);
    nSolv_->setFixedWidth(CharsWidth(this, 14));
    labelnSolv_->setBuddy(nSolv_);
    hint_ = WrappedLabel("solventIndexHint", QString::fromUtf8(tx::ReflectionCorrectionHintn), 56, true, this);
    // The hint is as wide as the groups above it.
    hint_->setFixedWidth(std::max(data->sizeHint().width(), cuvette->sizeHint().width()));
    SetMemoText(hint_, hint_->text());
    auto* solvent = new QHBoxLayout;
    solvent->addWidget(labelnSolv_);
    solvent->addWidget(nSolv_);
    solvent->addStretch();

    forAll_ = button("forAllButton", QString(), [this] { logic_.correctAllConcentrations(); });
    QPushButton* prompt = button("promptButton", tx::BtnPromptCaption, [this] { logic_.correctAndPromptAgain(); });
    QPushButton* abort = button("abortButton", tx::BtnAbortCaption, [this] { logic_.abort(); });
    QPushButton* help = button("helpButton", tx::FormBtnHelp, [this] { logic_.showHelp(); });
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

void ReflectionCorrectionDialogView::refresh() {
    FormView::refresh();
    // A long path shows its end, where the file's name is.
    fileName_->setCursorPosition(fileName_->text().size());
    fileName_->setToolTip(fileName_->text());
    glass_->setCurrentIndex(logic_.glassChoice);
    labelnSolv_->setVisible(logic_.solventIndexLabelVisible);
    nSolv_->setVisible(logic_.solventIndexFieldVisible);
    hint_->setVisible(logic_.solventIndexHintVisible);
    forAll_->setText(QString::fromStdString(logic_.forAllButtonCaption));
}

bool ReflectionCorrectionDialogView::escapeHandler() {
    logic_.abort();
    return true;
}

} // namespace zeb
