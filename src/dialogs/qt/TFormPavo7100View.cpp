#include "dialogs/qt/TFormPavo7100View.h"

#include "texts/DialogFormTexts.h"
#include "texts/ImportDialogTexts.h"

#include <QFocusEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace zeb {

namespace {

constexpr int kFieldChars = 26;  // a 25-character name fits
constexpr int kMemoChars = 40;

} // namespace

TFormPavo7100View::TFormPavo7100View(TFormPavo7100& logic, QWidget* parent)
    : FormView("TFormPavo7100", tx::Pavo7100Caption, parent), logic_(logic) {
    auto* fixed = new QGroupBox(tx::Pavo7100GroupFixed, this);
    fixed->setObjectName("GroupFixed");
    auto* fixedRows = new QFormLayout(fixed);
    auto addFixed = [&](const char* label, const char* name, std::string& text) {
        QLineEdit* edit = readOnlyEdit(name, text);
        edit->setMinimumWidth(CharsWidth(this, kFieldChars));
        fixedRows->addRow(QString::fromUtf8(label), edit);
    };
    addFixed(tx::Pavo7100LabelRecordNo, "EditIDC_RECNR", logic_.EditIDC_RECNR);
    addFixed(tx::Pavo7100LabelStandardName, "EditStandardName", logic_.EditStandardName);
    addFixed(tx::Pavo7100LabelSolventName, "EditSolventName", logic_.EditSolventName);
    addFixed(tx::Pavo7100LabelTemperature, "EditTemp", logic_.EditTemp);

    auto* adjustable = new QGroupBox(tx::Pavo7100GroupAdjustable, this);
    adjustable->setObjectName("GroupAdjustable");
    auto* adjustableRows = new QFormLayout(adjustable);
    auto addAdjustable = [&](const char* label, const char* name, std::string& text,
                             std::function<void()> changed = {}) {
        QLineEdit* edit = boundEdit(name, text, std::move(changed));
        edit->setMinimumWidth(CharsWidth(this, kFieldChars));
        adjustableRows->addRow(QString::fromUtf8(label), edit);
        return edit;
    };
    nStandard_ = addAdjustable(tx::Pavo7100LabelNStandard, "EditIDC_RI_STAN", logic_.EditIDC_RI_STAN,
                               [this] { logic_.EditIDC_RI_STANChange(); });
    nStandard_->installEventFilter(this);
    addAdjustable(tx::Pavo7100LabelNSolvent, "EditIDC_RI_SOLVENT", logic_.EditIDC_RI_SOLVENT);
    addAdjustable(tx::Pavo7100LabelDndc, "EditIDC_DNDC", logic_.EditIDC_DNDC);
    addAdjustable(tx::Pavo7100LabelConcentration, "EditIDC_KONZ", logic_.EditIDC_KONZ);
    addAdjustable(tx::Pavo7100LabelWavelength, "EditIDC_WAVEL", logic_.EditIDC_WAVEL);
    addAdjustable(tx::Pavo7100LabelRayleigh, "EditIDC_RR_STAN", logic_.EditIDC_RR_STAN);
    addAdjustable(tx::Pavo7100LabelViscosity, "EditIDC_VISK", logic_.EditIDC_VISK);
    sampleName_ = addAdjustable(tx::Pavo7100LabelSampleName, "EditSampleName", logic_.EditSampleName);
    sampleName_->setMaxLength(static_cast<int>(kRecordSampleNameChars));
    auto* litre = new QLabel(QString::fromUtf8(tx::Pavo7100LitreNote), adjustable);
    litre->setObjectName("LabelLitre");
    adjustableRows->addRow(QString(), litre);

    AlignLabelColumns({fixedRows, adjustableRows});

    QLabel* memo = MemoLabel("MemoExplanation", QString::fromUtf8(tx::Pavo7100Explanation), kMemoChars, true, this);
    QLabel* warning = WarningLabel("LabelWarning", QString::fromUtf8(tx::Pavo7100Warning), kMemoChars, this);
    // Where the untouched file is kept, under the warning (given by the reader).
    QLabel* original = logic_.LabelOriginal.empty()
                           ? nullptr
                           : MemoLabel("LabelOriginal", QString::fromStdString(logic_.LabelOriginal), kMemoChars, false, this);

    QPushButton* cont = button("BtnIDC_WEITER", tx::Pavo7100BtnContinue, [this] { logic_.BtnIDC_WEITERClick(); });
    QPushButton* change = button("BtnIDC_AENDERN", tx::Pavo7100BtnChange, [this] { logic_.BtnIDC_AENDERNClick(); });
    QPushButton* abort = button("BtnIDC_ABBRUCH", tx::Pavo7100BtnAbort, [this] { logic_.BtnIDC_ABBRUCHClick(); });
    QPushButton* help = button("BtnHelp", tx::FormBtnHelp, [this] { logic_.BtnHelpClick(); });
    // Enter goes on without changing anything: the file is only written by Change.
    cont->setDefault(true);

    auto* left = new QVBoxLayout;
    left->addWidget(fixed);
    left->addWidget(adjustable);
    left->addStretch();

    auto* right = new QVBoxLayout;
    right->addWidget(memo);
    right->addSpacing(6);
    right->addWidget(warning);
    if (original) right->addWidget(original);
    right->addStretch();
    for (QPushButton* b : {cont, change, abort}) right->addWidget(b);
    right->addSpacing(12);
    right->addWidget(help);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addSpacing(8);
    layout->addLayout(right);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    refresh();
    cont->setFocus();
}

void TFormPavo7100View::refresh() {
    FormView::refresh();
    SetReadOnlyLook(sampleName_, logic_.EditSampleNameReadOnly);
}

bool TFormPavo7100View::escapeHandler() {
    logic_.BtnIDC_ABBRUCHClick();
    return true;
}

bool TFormPavo7100View::eventFilter(QObject* watched, QEvent* event) {
    if (watched == nStandard_) {
        if (event->type() == QEvent::FocusIn) {
            // Entering the field arms it; coming back from another window (the
            // helper dialog, a message box) does not.
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
                logic_.EditIDC_RI_STANEnter();
        } else if (event->type() == QEvent::MouseButtonRelease &&
                   static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            forward([this] { logic_.EditIDC_RI_STANClick(); });
        }
    }
    return FormView::eventFilter(watched, event);
}

} // namespace zeb
