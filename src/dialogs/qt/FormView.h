// What the dialog forms share: a modal loop that ends when the dialog's logic
// says a button closed it, text fields bound to the logic's strings, and the
// memo, warning and button widgets the forms are built from.
//
// A form never decides: it copies what the user types into the logic's texts,
// calls the logic's handler for a button, then shows the logic's state again
// and closes once the logic has set its result.
#pragma once

#include <QDialog>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

class QFormLayout;
class QLabel;
class QLineEdit;
class QPushButton;

namespace zeb {

class FormView : public QDialog {
    Q_OBJECT
public:
    FormView(const char* objectName, const char* caption, QWidget* parent);

    // Shows the form modally; returns when the logic is done (or at once when
    // it is done already).
    void run();

protected:
    // True once a handler of the logic has set the dialog's result.
    virtual bool logicClosed() const = 0;
    // Escape and the title bar's close button. A form whose logic has an abort
    // handler calls it and returns true (the logic may refuse to close); false
    // lets the form close with the result the logic holds.
    virtual bool escapeHandler() { return false; }
    // The logic's record of the control that should take the focus, or null.
    virtual std::string* focusRequest() { return nullptr; }
    // Copies the logic's state (texts, visibility, read-only flags) into the widgets.
    virtual void refresh();

    // Runs a handler of the logic, shows the state it left and closes when the
    // logic is done.
    void forward(const std::function<void()>& handler);

    // An edit field showing `text`; what the user types goes into `text`, then
    // `changed` (the logic's change handler) runs.
    QLineEdit* boundEdit(const char* name, std::string& text, std::function<void()> changed = {});
    // A field the user cannot edit (shown on the dialog's colour).
    QLineEdit* readOnlyEdit(const char* name, std::string& text);
    // A push button that forwards its click to `handler`.
    QPushButton* button(const char* name, const QString& caption, std::function<void()> handler);

    void reject() override;

private:
    void focusControl(const std::string& name);

    struct Binding {
        QLineEdit* edit;
        std::string* text;
    };
    std::vector<Binding> bindings_;
};

// Width of `chars` average characters of the widget's font.
int CharsWidth(const QWidget* widget, int chars);

// A read-only, selectable text block of fixed width that grows to show all of
// its text; a width of 0 characters fits the text's longest line. `framed`:
// sunken on the base colour like a memo; else borderless on the dialog's colour.
QLabel* WrappedLabel(const char* name, const QString& text, int widthChars, bool framed, QWidget* parent);
// Sets a memo's text and its height for the new text.
void SetMemoText(QLabel* memo, const QString& text);

// The red warning of the dialogs that overwrite data files.
QLabel* WarningLabel(const char* name, const QString& text, int widthChars, QWidget* parent);

// Gives the label columns of several form layouts one width, so that the
// fields of stacked groups line up.
void AlignLabelColumns(std::initializer_list<QFormLayout*> layouts);

// Read-only fields take the dialog's colour, editable ones the base colour.
void SetReadOnlyLook(QLineEdit* edit, bool readOnly);

// "a\r\nb" as shown on screen.
QString ScreenText(const std::string& text);

} // namespace zeb
