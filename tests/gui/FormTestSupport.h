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

#include <functional>
#include <memory>

namespace zeb::formtest {

// Runs `steps` on the next modal window that `matches`. A form the steps leave
// open is closed afterwards, so a failed check cannot hang the test; the
// dialog's logic then still has no result.
inline void WhenOpens(std::function<bool(QWidget*)> matches, std::function<void(QWidget*)> steps,
                      int timeoutMs = 5000) {
    auto* timer = new QTimer;
    auto elapsed = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, elapsed, matches, steps, timeoutMs] {
        *elapsed += 20;
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal->isVisible() && matches(modal)) {
            timer->stop();
            timer->deleteLater();
            // Keys go where the focus is, and only an active window has one.
            (void)QTest::qWaitForWindowActive(modal, 2000);
            steps(modal);
            if (auto* dialog = qobject_cast<QDialog*>(modal); dialog && dialog->isVisible())
                dialog->done(QDialog::Rejected);
        } else if (*elapsed > timeoutMs) {
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start(20);
}

// The same for the window named `name` (a form's class name or "MessageBox").
inline void WhenOpens(const QString& name, std::function<void(QWidget*)> steps, int timeoutMs = 5000) {
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
