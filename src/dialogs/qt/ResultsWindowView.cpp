#include "dialogs/qt/ResultsWindowView.h"

#include "texts/ResultsWindowTexts.h"
#include "widgets/qt/Resources.h"

#include <QHeaderView>
#include <QPainter>
#include <QPushButton>
#include <QTableWidget>

namespace zeb {

namespace {

constexpr int kGridLeft = 8, kGridTop = 80, kGridWidth = 957, kGridHeight = 413;
constexpr int kLinePitch = 21;

QFont resultsFont() {
    QFont f("Arial");
    f.setPixelSize(20);
    f.setBold(true);
    return f;
}

} // namespace

ResultsWindowView::ResultsWindowView(const ResultsReportParts& results, Platform& platform, QWidget* parent)
    : QDialog(parent), logic_(results), platform_(platform) {
    InitGuiResources();
    setObjectName("ResultsWindow");
    setWindowTitle(tx::ResultsCaption);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(975, 648);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);

    grid_ = new QTableWidget(logic_.rowCount(), ResultsWindow::kColumns, this);
    grid_->setObjectName("cells");
    grid_->setGeometry(kGridLeft, kGridTop, kGridWidth, kGridHeight);
    grid_->horizontalHeader()->hide();
    grid_->verticalHeader()->hide();
    grid_->horizontalHeader()->setDefaultSectionSize(184);
    grid_->verticalHeader()->setDefaultSectionSize(30);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionMode(QAbstractItemView::NoSelection);
    grid_->setFocusPolicy(Qt::NoFocus);
    grid_->setStyleSheet("QTableWidget { gridline-color: #808080; }");
    for (int row = 0; row < logic_.rowCount(); ++row)
        for (int col = 0; col < ResultsWindow::kColumns; ++col) {
            auto* item = new QTableWidgetItem(QString::fromStdString(logic_.cell(col, row)));
            item->setFlags(Qt::ItemIsEnabled);
            if (row == 0) {
                // The header row is fixed and silver.
                item->setBackground(QColor(0xC0, 0xC0, 0xC0));
                QFont bold = item->font();
                bold.setBold(true);
                item->setFont(bold);
            }
            grid_->setItem(row, col, item);
        }

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
}

} // namespace zeb
