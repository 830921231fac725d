#include "dialogs/qt/ResultsWindowView.h"

#include "texts/ResultsWindowTexts.h"
#include "widgets/qt/Resources.h"

#include <QHeaderView>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableWidget>

#include <algorithm>
#include <functional>

namespace zeb {

namespace {

constexpr int kGridLeft = 8, kGridTop = 80, kGridWidth = 957, kGridHeight = 413;
constexpr int kLinePitch = 21;
constexpr int kWindowHeight = 648, kSectionGap = 12, kSectionRowHeight = 26, kNotePitch = 19;
const QColor kGridLineColor(0x80, 0x80, 0x80);

QFont notesFont() {
    QFont f("Arial");
    f.setPixelSize(15);
    return f;
}

// The grid's lines, 2 pixels wide: each cell draws its right and lower edge.
class GridLines : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QStyledItemDelegate::paint(painter, option, index);
        const QRect r = option.rect;
        painter->fillRect(QRect(r.right() - 1, r.top(), 2, r.height()), kGridLineColor);
        painter->fillRect(QRect(r.left(), r.bottom() - 1, r.width(), 2), kGridLineColor);
    }
};

// A grid of fixed cells under a silver, bold header row (the first row of
// texts) that stays in place while the cells scroll; lines 2 pixels wide.
QTableWidget* MakeGrid(QWidget* parent, int rows, int rowHeight, const std::function<std::string(int, int)>& cell) {
    auto* grid = new QTableWidget(std::max(0, rows - 1), ResultsWindow::kColumns, parent);
    grid->verticalHeader()->hide();
    QHeaderView* header = grid->horizontalHeader();
    header->setDefaultSectionSize(184);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header->setSectionResizeMode(QHeaderView::Fixed);
    header->setHighlightSections(false);
    header->setFixedHeight(rowHeight);
    grid->verticalHeader()->setDefaultSectionSize(rowHeight);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionMode(QAbstractItemView::NoSelection);
    grid->setFocusPolicy(Qt::NoFocus);
    grid->setShowGrid(false);
    grid->setItemDelegate(new GridLines(grid));
    grid->setStyleSheet("QHeaderView::section { background-color: #C0C0C0; font-weight: bold; border: none;"
                        " border-right: 2px solid #808080; border-bottom: 2px solid #808080; padding-left: 2px; }");
    for (int col = 0; col < ResultsWindow::kColumns; ++col)
        grid->setHorizontalHeaderItem(col, new QTableWidgetItem(QString::fromStdString(cell(col, 0))));
    for (int row = 1; row < rows; ++row)
        for (int col = 0; col < ResultsWindow::kColumns; ++col) {
            auto* item = new QTableWidgetItem(QString::fromStdString(cell(col, row)));
            item->setFlags(Qt::ItemIsEnabled);
            grid->setItem(row - 1, col, item);
        }
    return grid;
}

QFont resultsFont() {
    QFont f("Arial");
    f.setPixelSize(20);
    f.setBold(true);
    return f;
}

} // namespace

ResultsWindowView::ResultsWindowView(const ResultsReportParts& results, Platform& platform, QWidget* parent,
                                     const std::string& uncertaintyText)
    : QDialog(parent), logic_(results), platform_(platform) {
    InitGuiResources();
    logic_.setUncertainty(uncertaintyText);
    setObjectName("ResultsWindow");
    setWindowTitle(tx::ResultsCaption);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    int windowHeight = kWindowHeight;
    if (logic_.hasUncertainty()) {
        // Below the results: the heading, the grid of intervals, the notes.
        sectionTop_ = kWindowHeight - 40;
        const int gridTop = sectionTop_ + kLinePitch + 6;
        const int rows = logic_.uncertaintyRowCount();
        uncertaintyGrid_ = MakeGrid(this, rows, kSectionRowHeight, [this](int c, int r) { return logic_.uncertaintyCell(c, r); });
        uncertaintyGrid_->setObjectName("intervals");
        uncertaintyGrid_->setGeometry(kGridLeft, gridTop, kGridWidth, rows * kSectionRowHeight + 4);
        // The intervals take the room: "[2.979e-7, 3.053e-7] mol dm³/g²" fits.
        for (const auto& [column, width] : {std::pair{0, 80}, {1, 160}, {2, 238}, {3, 238}, {4, 238}})
            uncertaintyGrid_->setColumnWidth(column, width);
        std::size_t noteLines = 0;
        for (const std::string& note : logic_.uncertaintyNotes()) noteLines += ResultsWindow::WrapText(note, 110).size();
        windowHeight = gridTop + rows * kSectionRowHeight + 4 + kSectionGap + static_cast<int>(noteLines) * kNotePitch + 48;
    }
    setFixedSize(975, windowHeight);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);

    grid_ = MakeGrid(this, logic_.rowCount(), 30, [this](int c, int r) { return logic_.cell(c, r); });
    grid_->setObjectName("cells");
    grid_->setGeometry(kGridLeft, kGridTop, kGridWidth, kGridHeight);

    auto* ok = new QPushButton("&OK", this);
    ok->setObjectName("okButton");
    auto* copy = new QPushButton(tx::ResultsToClipboard, this);
    copy->setObjectName("copyToClipboardButton");
    copy->adjustSize();
    ok->adjustSize();
    const int buttonsY = height() - 8 - copy->height();
    copy->move(width() - 8 - copy->width(), buttonsY);
    ok->move(copy->x() - 12 - std::max(ok->width(), 90), buttonsY);
    ok->resize(std::max(ok->width(), 90), ok->height());
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(copy, &QPushButton::clicked, this, [this] { logic_.copyToClipboard(platform_); });
}

void ResultsWindowView::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    QPainter painter(this);
    painter.setFont(resultsFont());
    painter.setPen(Qt::black);
    const QFontMetrics fm(painter.font());
    auto paintLines = [&](const std::string& text, int y) {
        for (const std::string& line : ResultsWindow::WrapText(text)) {
            painter.drawText(kGridLeft, y + fm.ascent(), QString::fromStdString(line));
            y += kLinePitch;
        }
        return y;
    };
    int y = paintLines(logic_.firstLine(), 20);
    paintLines(logic_.secondLine(), y);
    paintLines(logic_.closingText(), kGridTop + kGridHeight + 20);
    if (!uncertaintyGrid_) return;
    painter.drawText(kGridLeft, sectionTop_ + fm.ascent(), QString::fromStdString(logic_.uncertaintyHeading()));
    painter.setFont(notesFont());
    const QFontMetrics notes(painter.font());
    int noteY = uncertaintyGrid_->geometry().bottom() + kSectionGap;
    for (const std::string& note : logic_.uncertaintyNotes())
        for (const std::string& line : ResultsWindow::WrapText(note, 110)) {
            painter.drawText(kGridLeft, noteY + notes.ascent(), QString::fromStdString(line));
            noteY += kNotePitch;
        }
}

} // namespace zeb
