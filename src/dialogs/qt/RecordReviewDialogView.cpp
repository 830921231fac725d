#include "dialogs/qt/RecordReviewDialogView.h"

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

RecordReviewDialogView::RecordReviewDialogView(RecordReviewDialog& logic, QWidget* parent)
    : FormView("RecordReviewDialog", tx::RecordReviewCaption, parent), logic_(logic) {
    auto* fixed = new QGroupBox(tx::RecordReviewGroupFixed, this);
    fixed->setObjectName("GroupFixed");
    auto* fixedRows = new QFormLayout(fixed);
    auto addFixed = [&](const char* label, const char* name, std::string& text) {
        QLineEdit* edit = readOnlyEdit(name, text);
        edit->setMinimumWidth(CharsWidth(this, kFieldChars));
        fixedRows->addRow(QString::fromUtf8(label), edit);
    };
    addFixed(tx::RecordReviewLabelRecordNo, "recordNumberField", logic_.recordNumberField);
    addFixed(tx::RecordReviewLabelStandardName, "standardNameField", logic_.standardNameField);
    addFixed(tx::RecordReviewLabelSolventName, "solventNameField", logic_.solventNameField);
    addFixed(tx::RecordReviewLabelTemperature, "temperatureField", logic_.temperatureField);

    auto* adjustable = new QGroupBox(tx::RecordReviewGroupAdjustable, this);
    adjustable->setObjectName("GroupAdjustable");
    auto* adjustableRows = new QFormLayout(adjustable);
    auto addAdjustable = [&](const char* label, const char* name, std::string& text,
                             std::function<void()> changed = {}) {
        QLineEdit* edit = boundEdit(name, text, std::move(changed));
        edit->setMinimumWidth(CharsWidth(this, kFieldChars));
        adjustableRows->addRow(QString::fromUtf8(label), edit);
        return edit;
    };
    nStandard_ = addAdjustable(tx::RecordReviewLabelNStandard, "standardIndexField", logic_.standardIndexField,
                               [this] { logic_.standardIndexChanged(); });
    nStandard_->installEventFilter(this);
    addAdjustable(tx::RecordReviewLabelNSolvent, "solventIndexField", logic_.solventIndexField);
    addAdjustable(tx::RecordReviewLabelDndc, "dndcField", logic_.dndcField);
    addAdjustable(tx::RecordReviewLabelConcentration, "concentrationField", logic_.concentrationField);
    addAdjustable(tx::RecordReviewLabelWavelength, "wavelengthField", logic_.wavelengthField);
    addAdjustable(tx::RecordReviewLabelRayleigh, "standardRayleighField", logic_.standardRayleighField);
    addAdjustable(tx::RecordReviewLabelViscosity, "viscosityField", logic_.viscosityField);
    sampleName_ = addAdjustable(tx::RecordReviewLabelSampleName, "sampleNameField", logic_.sampleNameField);
    sampleName_->setMaxLength(static_cast<int>(kRecordSampleNameChars));
    auto* litre = new QLabel(QString::fromUtf8(tx::RecordReviewLitreNote), adjustable);
    litre->setObjectName("litreLabel");
    adjustableRows->addRow(QString(), litre);

    AlignLabelColumns({fixedRows, adjustableRows});

    QLabel* memo = WrappedLabel("explanationLabel", QString::fromUtf8(tx::RecordReviewExplanation), kMemoChars, true, this);
    QLabel* warning = WarningLabel("warningLabel", QString::fromUtf8(tx::RecordReviewWarning), kMemoChars, this);
    // Where the untouched file is kept, under the warning (given by the reader).
    QLabel* original = logic_.originalFileNote.empty()
                           ? nullptr
                           : WrappedLabel("originalFileNote", QString::fromStdString(logic_.originalFileNote), kMemoChars, false, this);
    // A file that cannot take a change says so before the user chooses.
    QLabel* cannotChange = logic_.changeAvailable()
                               ? nullptr
                               : WrappedLabel("cannotChangeNote", QString::fromStdString(logic_.cannotChangeNote), kMemoChars, false, this);

    QPushButton* cont = button("continueButton", tx::RecordReviewBtnContinue, [this] { logic_.continueUnchanged(); });
    QPushButton* change = button("changeButton", tx::RecordReviewBtnChange, [this] { logic_.applyChanges(); });
    QPushButton* abort = button("abortButton", tx::RecordReviewBtnAbort, [this] { logic_.abort(); });
    QPushButton* help = button("helpButton", tx::FormBtnHelp, [this] { logic_.showHelp(); });
    // Enter goes on without changing anything: the file is only written by Change.
    cont->setDefault(true);
    change->setEnabled(logic_.changeAvailable());

    auto* left = new QVBoxLayout;
    left->addWidget(fixed);
    left->addWidget(adjustable);
    left->addStretch();

    auto* right = new QVBoxLayout;
    right->addWidget(memo);
    right->addSpacing(6);
    right->addWidget(warning);
    if (original) right->addWidget(original);
    if (cannotChange) right->addWidget(cannotChange);
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

void RecordReviewDialogView::refresh() {
    FormView::refresh();
    SetReadOnlyLook(sampleName_, logic_.sampleNameReadOnly);
}

bool RecordReviewDialogView::escapeHandler() {
    logic_.abort();
    return true;
}

bool RecordReviewDialogView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == nStandard_) {
        if (event->type() == QEvent::FocusIn) {
            // Entering the field arms it; coming back from another window (the
            // helper dialog, a message box) does not.
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
                logic_.standardIndexEntered();
        } else if (event->type() == QEvent::MouseButtonRelease &&
                   static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            forward([this] { logic_.standardIndexClicked(); });
        }
    }
    return FormView::eventFilter(watched, event);
}

} // namespace zeb
