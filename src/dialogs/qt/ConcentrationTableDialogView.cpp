#include "dialogs/qt/ConcentrationTableDialogView.h"

#include "texts/DialogFormTexts.h"
#include "texts/ImportDialogTexts.h"

#include <QFormLayout>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace zeb {

// The table; it can take over the text of a cell still being edited, as a
// button pressed by its shortcut leaves the editor open.
class ConcentrationTableGrid : public QTableWidget {
public:
    using QTableWidget::QTableWidget;
    void commitOpenEditor() {
        if (state() != QAbstractItemView::EditingState) return;
        if (QWidget* editor = indexWidget(currentIndex())) {
            commitData(editor);
            closeEditor(editor, QAbstractItemDelegate::NoHint);
        }
    }
};

namespace {

constexpr int kPanelChars = 62;
constexpr int kVisibleColumns = 8;  // more concentrations scroll

} // namespace

ConcentrationTableDialogView::ConcentrationTableDialogView(ConcentrationTableDialog& logic, QWidget* parent)
    : FormView("ConcentrationTableDialog", tx::ConcentrationTableCaption, parent), logic_(logic) {
    auto* group = new QGroupBox(tx::ConcentrationTableGroup, this);
    group->setObjectName("GroupAdjustable");
    grid_ = new ConcentrationTableGrid(group);
    grid_->setObjectName("cells");
    QFont gridFont("Arial");
    gridFont.setPointSizeF(font().pointSizeF());
    gridFont.setBold(true);
    grid_->setFont(gridFont);
    grid_->horizontalHeader()->hide();
    grid_->verticalHeader()->hide();
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    // Typing on a cell, F2, a double click or a click on the selected cell edit it.
    grid_->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed |
                           QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked);
    grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(grid_);
    fillGrid();
    connect(grid_, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        const auto column = static_cast<std::size_t>(item->column());
        const auto row = static_cast<std::size_t>(item->row());
        if (column < logic_.cells.size() && row < logic_.cells[column].size())
            logic_.cells[column][row] = item->text().toStdString();
    });

    panelPlt_ = new QFrame(this);
    panelPlt_->setObjectName("pltPanel");
    auto* pltRows = new QFormLayout;
    QLineEdit* wavelength = boundEdit("wavelengthField", logic_.wavelengthField);
    wavelength->setMinimumWidth(CharsWidth(this, 12));
    wavelength->setMaximumWidth(CharsWidth(this, 16));
    QLineEdit* sample = boundEdit("sampleNameField", logic_.sampleNameField);
    sample->setMaxLength(40);
    sample->setMinimumWidth(CharsWidth(this, 42));
    pltRows->addRow(tx::ConcentrationTableLabelWavelength, wavelength);
    pltRows->addRow(tx::ConcentrationTableLabelSampleName, sample);
    auto* pltLayout = new QVBoxLayout(panelPlt_);
    pltLayout->setContentsMargins(0, 0, 0, 0);
    pltLayout->addLayout(pltRows);
    pltLayout->addWidget(WarningLabel("warningLabel", QString::fromUtf8(tx::ConcentrationTablePltWarning), kPanelChars, panelPlt_));
    if (!logic_.originalFileNote.empty())
        pltLayout->addWidget(
            WrappedLabel("originalFileNote", QString::fromStdString(logic_.originalFileNote), kPanelChars, false, panelPlt_));
    // A file that cannot take a change says so before the user chooses.
    if (!logic_.cannotChangeNote.empty())
        pltLayout->addWidget(
            WrappedLabel("cannotChangeNote", QString::fromStdString(logic_.cannotChangeNote), kPanelChars, false, panelPlt_));

    panelPlx_ = new QFrame(this);
    panelPlx_->setObjectName("plxPanel");
    auto* plxLayout = new QVBoxLayout(panelPlx_);
    plxLayout->setContentsMargins(0, 0, 0, 0);
    plxLayout->addWidget(WrappedLabel("plxNoteLabel", QString::fromUtf8(tx::ConcentrationTablePlxNote), kPanelChars, false, panelPlx_));

    continue_ = button("continueButton", QString(), withGridCommitted([this] { logic_.continueUnchanged(); }));
    change_ = button("changeButton", QString(), withGridCommitted([this] { logic_.applyChanges(); }));
    abort_ = button("abortButton", tx::ConcentrationTableBtnAbort, [this] { logic_.abort(); });
    QPushButton* help = button("helpButton", tx::FormBtnHelp, [this] { logic_.showHelp(); });
    continue_->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(continue_);
    buttons->addWidget(change_);
    buttons->addWidget(abort_);
    buttons->addStretch();
    buttons->addWidget(help);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(panelPlt_);
    layout->addWidget(panelPlx_);
    layout->addSpacing(6);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    refresh();
    continue_->setFocus();
}

void ConcentrationTableDialogView::fillGrid() {
    const int columns = logic_.colCount();
    const int rows = logic_.rowCount();
    const QSignalBlocker quiet(grid_);
    grid_->setColumnCount(columns);
    grid_->setRowCount(rows);
    const QColor fixedColour = palette().color(QPalette::Button).darker(106);
    for (int c = 0; c < columns; ++c)
        for (int r = 0; r < rows; ++r) {
            auto* item = new QTableWidgetItem(QString::fromStdString(logic_.cells[static_cast<std::size_t>(c)]
                                                                              [static_cast<std::size_t>(r)]));
            if (logic_.cellEditable(c, r)) {
                item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable);
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            } else {
                item->setFlags(Qt::ItemIsEnabled);
                item->setTextAlignment((c == 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
                if (c == 0 || r < logic_.fixedRows()) item->setBackground(fixedColour);
            }
            grid_->setItem(r, c, item);
        }

    // Every column shows its widest text (at least a typical value); the table
    // shows all rows and up to kVisibleColumns columns, further ones scroll.
    grid_->resizeColumnsToContents();
    const int minValueWidth = grid_->fontMetrics().horizontalAdvance("0000.00000") + 12;
    for (int c = 1; c < columns; ++c) grid_->setColumnWidth(c, std::max(grid_->columnWidth(c), minValueWidth));
    grid_->setColumnWidth(0, grid_->columnWidth(0) + 12);
    int width = 2 * grid_->frameWidth();
    for (int c = 0; c < std::min(columns, kVisibleColumns); ++c) width += grid_->columnWidth(c);
    int height = 2 * grid_->frameWidth();
    for (int r = 0; r < rows; ++r) height += grid_->rowHeight(r);
    if (columns > kVisibleColumns) height += grid_->horizontalScrollBar()->sizeHint().height();
    grid_->setFixedSize(width, height);
}

std::function<void()> ConcentrationTableDialogView::withGridCommitted(std::function<void()> handler) {
    return [this, handler] {
        grid_->commitOpenEditor();
        handler();
    };
}

void ConcentrationTableDialogView::refresh() {
    FormView::refresh();
    continue_->setText(QString::fromStdString(logic_.continueButtonCaption));
    change_->setText(QString::fromStdString(logic_.changeButtonCaption));
    change_->setEnabled(logic_.changeAvailable());
    abort_->setVisible(logic_.abortButtonVisible);
    panelPlt_->setVisible(logic_.pltPanelVisible);
    panelPlx_->setVisible(logic_.plxPanelVisible);
}

bool ConcentrationTableDialogView::escapeHandler() {
    // The PLX form has no Abort: closing it ignores the entries (its result stays Ignore).
    if (!logic_.abortButtonVisible) return false;
    logic_.abort();
    return true;
}

} // namespace zeb
