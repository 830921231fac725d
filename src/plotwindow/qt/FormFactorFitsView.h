// "Fit form factors...": a small window with the form-factor fits of the plot
// window's evaluation: the heading, a table of the models (the best fit
// first) and the notes below it, with a Close button.
#pragma once

#include "export/FormFactorFitTable.h"

#include <QDialog>

class QTableWidget;

namespace zeb {

class FormFactorFitsView : public QDialog {
    Q_OBJECT
public:
    explicit FormFactorFitsView(FormFactorFitTable table, QWidget* parent = nullptr);

    const FormFactorFitTable& table() const { return table_; }
    QTableWidget* grid() const { return grid_; }

private:
    FormFactorFitTable table_;
    QTableWidget* grid_ = nullptr;
};

} // namespace zeb
