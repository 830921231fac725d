#include "plotwindow/qt/ResidualChartView.h"

#include "plot/ChartDrawing.h"
#include "plot/PlotWindowGeometry.h"
#include "plot/ResidualChart.h"
#include "plot/qt/QtCanvas.h"
#include "texts/PlotWindowTexts.h"

#include <QDialogButtonBox>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

namespace zeb {

// The chart's picture, drawn again when the area's size or pixel ratio changes.
class ResidualChartView::ChartArea : public QWidget {
public:
    ChartArea(const ResidualChart& chart, QWidget* parent) : QWidget(parent), chart_(chart) {
        setObjectName("residualChartArea");
        setAttribute(Qt::WA_OpaquePaintEvent);
        setMinimumSize(320, 240);
    }
    QSize sizeHint() const override { return {kInitialClientWidth - 130, kInitialClientHeight - 8}; }

protected:
    void paintEvent(QPaintEvent*) override {
        const qreal ratio = devicePixelRatioF();
        const QSize pixels = (QSizeF(size()) * ratio).toSize();
        if (picture_.size() != pixels || picture_.devicePixelRatio() != ratio) {
            picture_ = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
            picture_.setDevicePixelRatio(ratio);
            picture_.fill(Qt::white);
            QPainter painter(&picture_);
            const LogicalExtent extent = ScreenExtent(width(), height());
            QtCanvas canvas(painter, QRect(QPoint(0, 0), size()), extent.width, extent.height);
            DrawChart(canvas, chart_.inputs(), {ChartTarget::Screen}, extent);
        }
        QPainter painter(this);
        painter.drawImage(QPoint(0, 0), picture_);
        painter.setPen(QPen(Qt::black, 1));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }

private:
    const ResidualChart& chart_;
    QImage picture_;
};

ResidualChartView::ResidualChartView(std::unique_ptr<ResidualChart> chart, QWidget* parent)
    : QDialog(parent), chart_(std::move(chart)) {
    setObjectName("ResidualChartWindow");
    setWindowTitle(tx::CapResidualChart);
    area_ = new ChartArea(*chart_, this);
    // What the chart shows and the rms of its residuals, under it.
    QString caption;
    for (const std::string& line : chart_->inputs().resultLines)
        if (!line.empty()) caption += (caption.isEmpty() ? "" : ";  ") + QString::fromStdString(line);
    auto* label = new QLabel(caption, this);
    label->setObjectName("residualChartCaption");
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->setObjectName("residualChartButtons");
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(area_, 1);
    layout->addWidget(label);
    layout->addWidget(buttons);
}

ResidualChartView::~ResidualChartView() = default;

} // namespace zeb
