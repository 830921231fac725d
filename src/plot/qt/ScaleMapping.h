// A transform's mapping of points and rectangles, computed inline when it is a
// scale and a shift (the mapping of every chart onto its picture) with the
// very arithmetic of QTransform, so that tens of thousands of symbols cost no
// library calls and still land on the pixels QTransform gives.
#pragma once

#include <QPointF>
#include <QRectF>
#include <QTransform>

namespace zeb {

class ScaleMapping {
public:
    ScaleMapping() = default;
    explicit ScaleMapping(const QTransform& t) : t_(t), scales_(t.type() == QTransform::TxScale) {}

    QPointF map(const QPointF& p) const {
        if (!scales_) return t_.map(p);
        return QPointF(t_.m11() * p.x() + t_.dx(), t_.m22() * p.y() + t_.dy());
    }
    QRectF mapRect(const QRectF& r) const {
        if (!scales_) return t_.mapRect(r);
        double x = t_.m11() * r.x() + t_.dx(), y = t_.m22() * r.y() + t_.dy();
        double w = t_.m11() * r.width(), h = t_.m22() * r.height();
        if (w < 0) {
            w = -w;
            x -= w;
        }
        if (h < 0) {
            h = -h;
            y -= h;
        }
        return QRectF(x, y, w, h);
    }

private:
    QTransform t_;
    bool scales_ = false;
};

} // namespace zeb
