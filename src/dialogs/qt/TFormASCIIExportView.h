// The export selection dialog of a plot window on Qt widgets: modeless and on
// top, shown and hidden as its logic says. Edit1 hands every key to the logic;
// Space applies the typed numbers. OK, "&Abort", Escape and the title bar's
// close button go to the logic, which hides the form and starts the export.
//
// The plot window creates one with its DataExport's exportDialog() and keeps
// it for its lifetime:  new TFormASCIIExportView(exporter.exportDialog(), this).
#pragma once

#include "dialogs/TFormASCIIExport.h"

#include <QDialog>

class QLabel;
class QLineEdit;

namespace zeb {

class TFormASCIIExportView : public QDialog {
    Q_OBJECT
public:
    TFormASCIIExportView(TFormASCIIExport& logic, QWidget* parent = nullptr);
    ~TFormASCIIExportView() override;

    // Shows the logic's state: visibility and the text of Edit1.
    void refresh();

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    TFormASCIIExport& logic_;
    QLineEdit* edit_ = nullptr;
    QLabel* label_ = nullptr;
};

} // namespace zeb
