// The export selection dialog of a plot window on Qt widgets: modeless and on
// top, shown and hidden as its logic says. numbersField hands every key to the logic;
// Space applies the typed numbers. OK, "&Abort", Escape and the title bar's
// close button go to the logic, which hides the form and starts the export.
//
// The plot window creates one with its DataExport's exportDialog() and keeps
// it for its lifetime:  new ExportSelectionDialogView(exporter.exportDialog(), this).
#pragma once

#include "dialogs/ExportSelectionDialog.h"

#include <QDialog>

class QLabel;
class QLineEdit;

namespace zeb {

class ExportSelectionDialogView : public QDialog {
    Q_OBJECT
public:
    ExportSelectionDialogView(ExportSelectionDialog& logic, QWidget* parent = nullptr);
    ~ExportSelectionDialogView() override;

    // Shows the logic's state: visibility and the text of numbersField.
    void refresh();

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    ExportSelectionDialog& logic_;
    QLineEdit* edit_ = nullptr;
    QLabel* label_ = nullptr;
};

} // namespace zeb
