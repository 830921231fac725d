#include "dialogs/qt/FormView.h"

#include "widgets/qt/Resources.h"

#include <QApplication>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

namespace zeb {

FormView::FormView(const char* objectName, const char* caption, QWidget* parent) : QDialog(parent) {
    InitGuiResources();
    setObjectName(objectName);
    setWindowTitle(QString::fromUtf8(caption));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setModal(true);
}

void FormView::run() {
    refresh();
    if (logicClosed()) return;
    if (std::string* focus = focusRequest(); focus && !focus->empty()) {
        focusControl(*focus);
        focus->clear();
    }
    exec();
}

void FormView::refresh() {
    for (const Binding& b : bindings_) {
        const QString text = QString::fromStdString(*b.text);
        if (b.edit->text() != text) b.edit->setText(text);
    }
}

void FormView::forward(const std::function<void()>& handler) {
    std::string* focus = focusRequest();
    if (focus) focus->clear();
    handler();
    refresh();
    if (logicClosed()) {
        if (isVisible()) QDialog::accept();
        return;
    }
    if (focus && !focus->empty()) {
        focusControl(*focus);
        focus->clear();
    }
}

void FormView::focusControl(const std::string& name) {
    auto* widget = findChild<QWidget*>(QString::fromStdString(name));
    if (!widget || !widget->isVisibleTo(this)) return;
    widget->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) edit->selectAll();
}

void FormView::reject() {
    bool handled = false;
    forward([&] { handled = escapeHandler(); });
    if (!handled && isVisible()) QDialog::reject();
}

QLineEdit* FormView::boundEdit(const char* name, std::string& text, std::function<void()> changed) {
    auto* edit = new QLineEdit(QString::fromStdString(text), this);
    edit->setObjectName(name);
    bindings_.push_back({edit, &text});
    connect(edit, &QLineEdit::textEdited, this, [this, &text, changed](const QString& typed) {
        text = typed.toStdString();
        if (changed) forward(changed);
    });
    return edit;
}

QLineEdit* FormView::readOnlyEdit(const char* name, std::string& text) {
    QLineEdit* edit = boundEdit(name, text);
    SetReadOnlyLook(edit, true);
    return edit;
}

QPushButton* FormView::button(const char* name, const QString& caption, std::function<void()> handler) {
    auto* b = new QPushButton(caption, this);
    b->setObjectName(name);
    // Only the button a form makes its default answers Enter.
    b->setAutoDefault(false);
    connect(b, &QPushButton::clicked, this, [this, handler] { forward(handler); });
    return b;
}

int CharsWidth(const QWidget* widget, int chars) { return widget->fontMetrics().averageCharWidth() * chars; }

QLabel* WrappedLabel(const char* name, const QString& text, int widthChars, bool framed, QWidget* parent) {
    auto* memo = new QLabel(parent);
    memo->setObjectName(name);
    memo->setTextFormat(Qt::PlainText);
    memo->setWordWrap(true);
    memo->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    memo->setTextInteractionFlags(Qt::TextSelectableByMouse);
    if (framed) {
        memo->setFrameShape(QFrame::StyledPanel);
        memo->setFrameShadow(QFrame::Sunken);
        memo->setBackgroundRole(QPalette::Base);
        memo->setAutoFillBackground(true);
        memo->setMargin(6);
    }
    int width = CharsWidth(memo, widthChars);
    if (widthChars <= 0) {
        // As wide as the longest of the text's own lines.
        width = 0;
        for (const QString& line : text.split('\n'))
            width = std::max(width, memo->fontMetrics().horizontalAdvance(line));
        const QMargins m = memo->contentsMargins();
        width += m.left() + m.right() + 2 * memo->margin() + memo->fontMetrics().averageCharWidth();
    }
    memo->setFixedWidth(width);
    SetMemoText(memo, text);
    return memo;
}

void SetMemoText(QLabel* memo, const QString& text) {
    memo->setText(text);
    // A label never reports less than its minimum height: free it first.
    memo->setMinimumHeight(0);
    memo->setMaximumHeight(QWIDGETSIZE_MAX);
    memo->setFixedHeight(memo->heightForWidth(memo->minimumWidth()));
}

QLabel* WarningLabel(const char* name, const QString& text, int widthChars, QWidget* parent) {
    QLabel* label = WrappedLabel(name, text, widthChars, false, parent);
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, Qt::red);
    label->setPalette(pal);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    SetMemoText(label, text);
    return label;
}

void AlignLabelColumns(std::initializer_list<QFormLayout*> layouts) {
    std::vector<QWidget*> labels;
    int width = 0;
    for (QFormLayout* rows : layouts)
        for (int r = 0; r < rows->rowCount(); ++r)
            if (QLayoutItem* item = rows->itemAt(r, QFormLayout::LabelRole); item && item->widget()) {
                labels.push_back(item->widget());
                width = std::max(width, item->widget()->sizeHint().width());
            }
    for (QWidget* label : labels) label->setMinimumWidth(width);
}

void SetReadOnlyLook(QLineEdit* edit, bool readOnly) {
    edit->setReadOnly(readOnly);
    QPalette pal = edit->palette();
    pal.setColor(QPalette::Base, readOnly ? edit->palette().color(QPalette::Window)
                                          : QApplication::palette(edit).color(QPalette::Base));
    edit->setPalette(pal);
    // Tab walks through the fields that can be changed.
    edit->setFocusPolicy(readOnly ? Qt::ClickFocus : Qt::StrongFocus);
}

QString ScreenText(const std::string& text) {
    QString s = QString::fromStdString(text);
    s.replace("\r\n", "\n");
    return s;
}

} // namespace zeb
