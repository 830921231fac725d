#include "dialogs/qt/TFormASCIIExportView.h"

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

TFormASCIIExportView::TFormASCIIExportView(TFormASCIIExport& logic, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint), logic_(logic) {
    setObjectName("TFormASCIIExport");
    setWindowTitle(QString::fromUtf8(tx::ExportDialogCaption));
    setModal(false);

    auto* label = new QLabel(QString::fromUtf8(tx::ExportNoRecordsSelected), this);
    label_ = label;
    label->setObjectName("Label1");
    // Hidden while records are chosen; the dialog keeps its size.
    QSizePolicy keep = label->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    label->setSizePolicy(keep);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);

    QLabel* memo = MemoLabel("Memo1", ScreenText(TFormASCIIExport::MemoText()), 0, true, this);

    edit_ = new SpaceEdit([this] { logic_.Edit1KeyPress(' '); }, this);
    edit_->setObjectName("Edit1");
    connect(edit_, &QLineEdit::textChanged, this, [this](const QString& text) { logic_.Edit1 = text.toStdString(); });

    auto* ok = new QPushButton(QString::fromUtf8(tx::ExportDialogOk), this);
    ok->setObjectName("BitBtnOkay");
    ok->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, [this] { logic_.BitBtnOkayClick(); });
    auto* abort = new QPushButton(QString::fromUtf8(tx::ExportDialogAbort), this);
    abort->setObjectName("BitBtnAbort");
    abort->setAutoDefault(false);
    connect(abort, &QPushButton::clicked, this, [this] { logic_.BitBtnAbortClick(); });

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

TFormASCIIExportView::~TFormASCIIExportView() { logic_.onChanged = nullptr; }

void TFormASCIIExportView::refresh() {
    label_->setVisible(logic_.Label1Visible());
    const QString text = QString::fromStdString(logic_.Edit1);
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

void TFormASCIIExportView::closeEvent(QCloseEvent* event) {
    logic_.FormClose();
    // While the window reads a file the dialog stays open (and disabled).
    if (logic_.visible()) event->ignore();
    else event->accept();
}

void TFormASCIIExportView::reject() {
    // Escape closes like the title bar's button: the logic hides the form.
    logic_.FormClose();
    refresh();
}

} // namespace zeb
