// The about box and the print notice.
#pragma once

#include <QDialog>

class QLabel;

namespace zeb {

// "About ZEB-Stat": product name, version and the program's picture.
class AboutBox : public QDialog {
    Q_OBJECT
public:
    explicit AboutBox(QWidget* parent = nullptr);
};

// Shown while a print job is sent: "Sending print job to:", the printer, "Please wait!".
class PrintingNotice : public QDialog {
    Q_OBJECT
public:
    explicit PrintingNotice(QWidget* parent = nullptr);
    void setDestination(const QString& printer);

private:
    QLabel* dest_;
};

} // namespace zeb
