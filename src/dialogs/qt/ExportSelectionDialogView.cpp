#include "dialogs/qt/ExportSelectionDialogView.h"

#include "texts/ExportDialogTexts.h"
#include "dialogs/qt/FormView.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <functional>

namespace zeb {

namespace {

// A line edit that reports Space after the space is in its text.
class SpaceEdit : public QLineEdit {
public:
    SpaceEdit(std::function<void()> onSpace, QWidget* parent) : QLineEdit(parent), onSpace_(std::move(onSpace)) {}

protected:
    void keyPressEvent(QKeyEvent* event) override {
        QLineEdit::keyPressEvent(event);
        if (event->key() == Qt::Key_Space && onSpace_) onSpace_();
    }

private:
    std::function<void()> onSpace_;
};

} // namespace

ExportSelectionDialogView::ExportSelectionDialogView(ExportSelectionDialog& logic, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint), logic_(logic) {
    setObjectName("ExportSelectionDialog");
    setWindowTitle(QString::fromUtf8(tx::ExportDialogCaption));
    setModal(false);

    auto* label = new QLabel(QString::fromUtf8(tx::ExportNoRecordsSelected), this);
    label_ = label;
    label->setObjectName("noSelectionLabel");
    // Hidden while records are chosen; the dialog keeps its size.
    QSizePolicy keep = label->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    label->setSizePolicy(keep);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);

    QLabel* memo = WrappedLabel("instructions", ScreenText(ExportSelectionDialog::InstructionText()), 0, true, this);

    edit_ = new SpaceEdit([this] { logic_.keyTyped(' '); }, this);
    edit_->setObjectName("numbersField");
    connect(edit_, &QLineEdit::textChanged, this, [this](const QString& text) { logic_.numbersField = text.toStdString(); });

    auto* ok = new QPushButton(QString::fromUtf8(tx::ExportDialogOk), this);
    ok->setObjectName("okButton");
    ok->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, [this] { logic_.accept(); });
    auto* abort = new QPushButton(QString::fromUtf8(tx::ExportDialogAbort), this);
    abort->setObjectName("abortButton");
    abort->setAutoDefault(false);
    connect(abort, &QPushButton::clicked, this, [this] { logic_.abort(); });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(abort);
    buttons->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(memo);
    layout->addWidget(edit_);
    layout->addSpacing(6);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    logic_.onChanged = [this] { refresh(); };
    refresh();
}

ExportSelectionDialogView::~ExportSelectionDialogView() { logic_.onChanged = nullptr; }

void ExportSelectionDialogView::refresh() {
    label_->setVisible(logic_.noSelectionLabelVisible());
    const QString text = QString::fromStdString(logic_.numbersField);
    if (edit_->text() != text) {
        const QSignalBlocker quiet(edit_);
        edit_->setText(text);
    }
    if (logic_.visible() && !isVisible()) {
        show();
        raise();
        activateWindow();
        edit_->setFocus();
    } else if (!logic_.visible() && isVisible()) {
        hide();
    }
}

void ExportSelectionDialogView::closeEvent(QCloseEvent* event) {
    logic_.finish();
    // While the window reads a file the dialog stays open (and disabled).
    if (logic_.visible()) event->ignore();
    else event->accept();
}

void ExportSelectionDialogView::reject() {
    // Escape closes like the title bar's button: the logic hides the form.
    logic_.finish();
    refresh();
}

} // namespace zeb
