#include "plotwindow/qt/ChartPicture.h"

#include "plot/PlotLayout.h"
#include "plot/PlotWindowGeometry.h"
#include "plotwindow/SymbolOverlay.h"
#include "plotwindow/PlotWindow.h"
#include "plotwindow/PlotWindowChart.h"
#include "plot/qt/QtCanvas.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace zeb {

namespace {

double ChartScale(const QRect& target) { return ScreenScale(target.width(), target.height()); }

LogicalExtent ExtentOf(const QRect& target) { return ScreenExtent(target.width(), target.height()); }

} // namespace

void ChartPicture::invalidate() {
    dirty_ = true;
    damage_.clear();
    marks_.clear();
}

void ChartPicture::damage(const LogicalRect& part) {
    if (dirty_ || part.right < part.left || part.bottom < part.top) return;
    damage_.push_back(part);
}

void ChartPicture::applyRedraws(const std::vector<SymbolRedraw>& redraws) {
    for (const SymbolRedraw& r : redraws) {
        if (IsMarkCode(r.code)) marks_[{r.c, r.a}] = r;
        else marks_.erase({r.c, r.a});
    }
}

void ChartPicture::paint(QPainter& painter, const QRect& target, qreal ratio) {
    if (target.width() <= 0 || target.height() <= 0) return;
    const QSize pixels = (QSizeF(target.size()) * ratio).toSize();
    if (dirty_ || cache_.size() != pixels || cache_.devicePixelRatio() != ratio) drawFull(target, ratio);
    redrawDamage(target);
    painter.drawImage(target.topLeft(), cache_);
    if (marks_.empty()) return;
    const LogicalExtent extent = ExtentOf(target);
    QtCanvas canvas(painter, target, extent.width, extent.height);
    std::vector<SymbolRedraw> marks;
    for (const auto& entry : marks_) marks.push_back(entry.second);
    DrawSymbolOverlay(canvas, window_, marks);
}

void ChartPicture::drawFull(const QRect& target, qreal ratio) {
    // The picture of the same size is drawn over: a new one of the largest
    // charts would cost tens of megabytes of fresh memory at every drawing.
    const QSize pixels = (QSizeF(target.size()) * ratio).toSize();
    if (cache_.size() != pixels || cache_.format() != QImage::Format_ARGB32_Premultiplied)
        cache_ = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
    cache_.setDevicePixelRatio(ratio);
    cache_.fill(Qt::white);
    if (ChartReady(window_)) {
        QPainter cachePainter(&cache_);
        const LogicalExtent extent = ExtentOf(target);
        QtCanvas canvas(cachePainter, QRect(QPoint(0, 0), target.size()), extent.width, extent.height);
        DrawWindowChart(canvas, window_, ChartTarget::Screen, false, extent);
    }
    dirty_ = false;
    damage_.clear();
}

// Each damaged part is drawn onto a picture of just the device pixels it
// covers, placed so that its pixels are those of the whole picture, and copied
// into the kept picture.
void ChartPicture::redrawDamage(const QRect& target) {
    if (damage_.empty() || !ChartReady(window_)) {
        damage_.clear();
        return;
    }
    std::vector<LogicalRect> parts = damage_;
    damage_.clear();
    if (parts.size() > 6) {
        LogicalRect all = parts.front();
        for (const LogicalRect& r : parts) {
            all.left = std::min(all.left, r.left);
            all.top = std::min(all.top, r.top);
            all.right = std::max(all.right, r.right);
            all.bottom = std::max(all.bottom, r.bottom);
        }
        parts = {all};
    }
    const qreal ratio = cache_.devicePixelRatio();
    const double s = ChartScale(target);
    const LogicalExtent extent = ExtentOf(target);
    const double devicePerLogical = s * ratio;
    const QRect bounds = cache_.rect();
    // Device pixels of the kept picture for every part, then the copies made
    // with the picture in device pixels.
    std::vector<std::pair<QRect, QImage>> pieces;
    for (const LogicalRect& r : parts) {
        const QRect device =
            QRect(QPoint(static_cast<int>(std::floor(r.left * devicePerLogical)) - 2,
                         static_cast<int>(std::floor(r.top * devicePerLogical)) - 2),
                  QPoint(static_cast<int>(std::ceil(r.right * devicePerLogical)) + 2,
                         static_cast<int>(std::ceil(r.bottom * devicePerLogical)) + 2))
                .intersected(bounds);
        if (device.isEmpty()) continue;
        QImage piece(device.size(), QImage::Format_ARGB32_Premultiplied);
        piece.setDevicePixelRatio(ratio);
        piece.fill(Qt::white);
        {
            QPainter p(&piece);
            QtCanvas canvas(p, QPointF(-device.left() / ratio, -device.top() / ratio), QSizeF(target.size()),
                            extent.width, extent.height);
            const LogicalRect keep{static_cast<int>(std::floor(device.left() / devicePerLogical)),
                                   static_cast<int>(std::floor(device.top() / devicePerLogical)),
                                   static_cast<int>(std::ceil((device.right() + 1) / devicePerLogical)),
                                   static_cast<int>(std::ceil((device.bottom() + 1) / devicePerLogical))};
            DamageCanvas filter(canvas, keep, static_cast<int>(std::ceil(3 / s)));
            DrawWindowChart(filter, window_, ChartTarget::Screen, false, extent);
        }
        piece.setDevicePixelRatio(1.0);
        pieces.emplace_back(device, std::move(piece));
    }
    cache_.setDevicePixelRatio(1.0);
    {
        QPainter cachePainter(&cache_);
        cachePainter.setCompositionMode(QPainter::CompositionMode_Source);
        for (const auto& [device, piece] : pieces) cachePainter.drawImage(device.topLeft(), piece);
    }
    cache_.setDevicePixelRatio(ratio);
}

} // namespace zeb
