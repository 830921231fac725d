// The concentration table form of TARN files: the table of concentrations (and
// in the PLX form viscosities and temperatures) and, below it, either the
// wavelength and sample name with the red warning or the note on PLX files.
#pragma once

#include "dialogs/ConcentrationTableDialog.h"
#include "dialogs/qt/FormView.h"

class QFrame;
class QPushButton;

namespace zeb {

class ConcentrationTableGrid;

class ConcentrationTableDialogView : public FormView {
    Q_OBJECT
public:
    ConcentrationTableDialogView(ConcentrationTableDialog& logic, QWidget* parent = nullptr);

protected:
    bool logicClosed() const override { return logic_.closed(); }
    bool escapeHandler() override;
    void refresh() override;

private:
    void fillGrid();
    // Runs a button's handler with the cell being edited taken over first.
    std::function<void()> withGridCommitted(std::function<void()> handler);

    ConcentrationTableDialog& logic_;
    ConcentrationTableGrid* grid_ = nullptr;
    QFrame* panelPlt_ = nullptr;
    QFrame* panelPlx_ = nullptr;
    QPushButton* continue_ = nullptr;
    QPushButton* change_ = nullptr;
    QPushButton* abort_ = nullptr;
};

} // namespace zeb
