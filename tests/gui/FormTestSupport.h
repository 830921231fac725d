// Helpers of the dialog form tests: answering the next window of a given name
// while the code that opens it runs modally, typing into fields like a user.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>

#include "gui/GuiTestSupport.h"

#include <functional>

namespace zeb::formtest {

// Runs `steps` on the next modal window that `matches`. A form the steps leave
// open is closed afterwards, so a failed check cannot hang the test; the
// dialog's logic then still has no result. The watch ends with the test
// function that started it.
inline void WhenOpens(std::function<bool(QWidget*)> matches, std::function<void(QWidget*)> steps,
                      int timeoutMs = guitest::kWindowWaitMs) {
    guitest::WhenModalMatches(std::move(matches), [steps](QWidget* modal) {
        steps(modal);
        if (auto* dialog = qobject_cast<QDialog*>(modal); dialog && dialog->isVisible())
            dialog->done(QDialog::Rejected);
    }, timeoutMs);
}

// The same for the window named `name` (a form's class name or "MessageBox").
inline void WhenOpens(const QString& name, std::function<void(QWidget*)> steps,
                      int timeoutMs = guitest::kWindowWaitMs) {
    WhenOpens([name](QWidget* w) { return w->objectName() == name; }, std::move(steps), timeoutMs);
}

// A message box as the user saw it.
struct SeenMessage {
    bool seen = false;
    QString text;
    QString caption;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};

// Notes the next message box and presses `button` in it.
inline void AnswerMessage(SeenMessage& seen, QMessageBox::StandardButton button = QMessageBox::Ok) {
    WhenOpens("MessageBox", [&seen, button](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        if (!box) return;
        seen.seen = true;
        seen.text = box->text();
        seen.caption = box->windowTitle();
        seen.icon = box->icon();
        if (QAbstractButton* b = box->button(button)) b->click();
    });
}

// Replaces the field's text by typing, as a user would (the logic hears every key).
inline void TypeInto(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    if (text.isEmpty())
        QTest::keyClick(edit, Qt::Key_Backspace);
    else
        QTest::keyClicks(edit, text);
}

template <typename T>
T* Child(QWidget* form, const char* name) {
    return form->findChild<T*>(QString::fromLatin1(name));
}

} // namespace zeb::formtest
