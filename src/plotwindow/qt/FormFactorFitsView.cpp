#include "plotwindow/qt/FormFactorFitsView.h"

#include "texts/PlotWindowTexts.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace zeb {

FormFactorFitsView::FormFactorFitsView(FormFactorFitTable table, QWidget* parent)
    : QDialog(parent), table_(std::move(table)) {
    setObjectName("FormFactorFitsWindow");
    setWindowTitle(tx::CapFormFactorFits);
    auto* heading = new QLabel(QString::fromStdString(table_.heading), this);
    heading->setObjectName("formFactorFitsHeading");

    const int rows = static_cast<int>(table_.rows.size());
    grid_ = new QTableWidget(rows, FormFactorFitTable::kColumns, this);
    grid_->setObjectName("formFactorFits");
    QStringList columns;
    for (const std::string& c : table_.columns) columns << QString::fromStdString(c);
    grid_->setHorizontalHeaderLabels(columns);
    grid_->verticalHeader()->hide();
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionMode(QAbstractItemView::NoSelection);
    grid_->setFocusPolicy(Qt::NoFocus);
    for (int row = 0; row < rows; ++row)
        for (int column = 0; column < FormFactorFitTable::kColumns; ++column) {
            auto* item = new QTableWidgetItem(QString::fromStdString(table_.rows[static_cast<std::size_t>(row)]
                                                                                [static_cast<std::size_t>(column)]));
            item->setFlags(Qt::ItemIsEnabled);
            grid_->setItem(row, column, item);
        }
    grid_->resizeColumnsToContents();
    grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    int width = 2 * grid_->frameWidth(), height = 2 * grid_->frameWidth() + grid_->horizontalHeader()->sizeHint().height();
    for (int column = 0; column < FormFactorFitTable::kColumns; ++column) width += grid_->columnWidth(column);
    for (int row = 0; row < rows; ++row) height += grid_->rowHeight(row);
    grid_->setFixedSize(width, height);

    QString notes;
    for (const std::string& note : table_.notes) notes += (notes.isEmpty() ? "" : "\n") + QString::fromStdString(note);
    auto* noteLabel = new QLabel(notes, this);
    noteLabel->setObjectName("formFactorFitsNotes");
    noteLabel->setWordWrap(true);
    noteLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(grid_);
    layout->addWidget(noteLabel);
    layout->addStretch(1);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

} // namespace zeb
