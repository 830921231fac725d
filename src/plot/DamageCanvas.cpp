#include "plot/DamageCanvas.h"

#include <algorithm>

namespace zeb {

bool DamageCanvas::touches(int left, int top, int right, int bottom, int grow) const {
    const int g = grow + margin_;
    return !(right + g < keep_.left || left - g > keep_.right || bottom + g < keep_.top || top - g > keep_.bottom);
}

void DamageCanvas::moveTo(int x, int y) {
    // A move to where the run ends continues it (a canvas may draw such runs as one line).
    if (!run_.empty() && run_.back().x == x && run_.back().y == y) return;
    flushRun();
    run_.push_back({x, y});
}

void DamageCanvas::lineTo(int x, int y) {
    if (run_.empty()) run_.push_back({x, y});  // no current point yet: the line has no length
    const CanvasPoint from = run_.back();
    runTouches_ = runTouches_ ||
                  touches(std::min(from.x, x), std::min(from.y, y), std::max(from.x, x), std::max(from.y, y), penHalf_);
    run_.push_back({x, y});
}

void DamageCanvas::flushRun() {
    if (run_.empty()) return;
    if (run_.size() >= 2 && runTouches_) {
        inner_.moveTo(run_[0].x, run_[0].y);
        for (std::size_t i = 1; i < run_.size(); ++i) inner_.lineTo(run_[i].x, run_[i].y);
        ++passed_;
    } else {
        // The pen ends where the run ended, as if it had been drawn.
        inner_.moveTo(run_.back().x, run_.back().y);
        if (run_.size() >= 2) ++dropped_;
    }
    run_.clear();
    runTouches_ = false;
}

bool DamageCanvas::touchesPoints(const std::vector<CanvasPoint>& points) const {
    int l = points[0].x, r = l, t = points[0].y, b = t;
    for (const CanvasPoint& p : points) {
        l = std::min(l, p.x);
        r = std::max(r, p.x);
        t = std::min(t, p.y);
        b = std::max(b, p.y);
    }
    return touches(l, t, r, b, penHalf_);
}

void DamageCanvas::polyline(const std::vector<CanvasPoint>& points) {
    flushRun();
    if (points.empty()) return;
    if (touchesPoints(points)) {
        inner_.polyline(points);
        ++passed_;
    } else {
        ++dropped_;
    }
}

void DamageCanvas::polygon(const std::vector<CanvasPoint>& points) {
    flushRun();
    if (points.empty()) return;
    if (touchesPoints(points)) {
        inner_.polygon(points);
        ++passed_;
    } else {
        ++dropped_;
    }
}

void DamageCanvas::ellipse(int left, int top, int right, int bottom) {
    flushRun();
    if (touches(std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom), penHalf_)) {
        inner_.ellipse(left, top, right, bottom);
        ++passed_;
    } else {
        ++dropped_;
    }
}

void DamageCanvas::setPixel(int x, int y, Rgb color) {
    flushRun();
    if (touches(x, y, x, y, 1)) {
        inner_.setPixel(x, y, color);
        ++passed_;
    } else {
        ++dropped_;
    }
}

} // namespace zeb
