#include "platform/qt/ProgramFault.h"

#include "texts/CommonTexts.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>
#include <utility>

namespace zeb {

namespace {

ProgramFaultHandler& handler() {
    static ProgramFaultHandler installed;
    return installed;
}

} // namespace

void ReportProgramFault(const std::string& text) {
    if (handler()) {
        handler()(text);
        return;
    }
    std::fprintf(stderr, "zebstat: %s: %s\n", tx::CapInternalError, text.c_str());
    std::fflush(stderr);
    QWidget* parent = QApplication::activeModalWidget();
    if (!parent) parent = QApplication::activeWindow();
    QMessageBox::critical(parent, tx::CapInternalError, QString::fromStdString(text));
}

ProgramFaultHandler SetProgramFaultHandler(ProgramFaultHandler replacement) {
    return std::exchange(handler(), std::move(replacement));
}

} // namespace zeb
