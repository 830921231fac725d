// A canvas that passes on only what can touch a given rectangle: lines,
// polygons, ellipses and pixels that lie wholly outside it (grown by half the
// pen and a margin) are dropped, everything else goes to the inner canvas
// unchanged and in order. A connected run of lines (moveTo, lineTo, ...) is
// passed on whole when any of its segments touches the rectangle, so that its
// joins are drawn as in the full picture. Drawing a chart through it into a picture of just
// that rectangle gives the same pixels there as drawing the whole chart, at a
// fraction of the cost: the plot window uses it to bring a few changed symbols
// up to date.
#pragma once

#include "plot/Canvas.h"

namespace zeb {

struct LogicalRect {
    int left = 0, top = 0, right = 0, bottom = 0;  // inclusive bounds, logical units
};

class DamageCanvas : public Canvas {
public:
    DamageCanvas(Canvas& inner, LogicalRect keep, int margin) : inner_(inner), keep_(keep), margin_(margin) {}

    ~DamageCanvas() override { flushRun(); }
    void setPen(int width, Rgb color) override {
        flushRun();
        penHalf_ = width / 2 + 1;
        inner_.setPen(width, color);
    }
    void setNullPen() override {
        flushRun();
        penHalf_ = 0;
        inner_.setNullPen();
    }
    void setBrush(Rgb color) override { flushRun(); inner_.setBrush(color); }
    void setNullBrush() override { flushRun(); inner_.setNullBrush(); }
    void setFont(const LogFont& font) override { flushRun(); inner_.setFont(font); }
    void setTextColor(Rgb color) override { flushRun(); inner_.setTextColor(color); }
    void setTextAlign(unsigned flags) override { flushRun(); inner_.setTextAlign(flags); }
    void setBackgroundTransparent(bool transparent) override { flushRun(); inner_.setBackgroundTransparent(transparent); }
    void moveTo(int x, int y) override;
    void lineTo(int x, int y) override;
    void polyline(const std::vector<CanvasPoint>& points) override;
    void polygon(const std::vector<CanvasPoint>& points) override;
    void ellipse(int left, int top, int right, int bottom) override;
    void setPixel(int x, int y, Rgb color) override;
    void textOut(int x, int y, const std::string& text) override { flushRun(); inner_.textOut(x, y, text); }
    TextSize textExtent(const std::string& text) override { return inner_.textExtent(text); }
    int fontDescent() override { return inner_.fontDescent(); }
    void setClipRect(int left, int top, int right, int bottom) override {
        flushRun();
        inner_.setClipRect(left, top, right, bottom);
    }
    void resetClip() override { flushRun(); inner_.resetClip(); }
    void save() override { flushRun(); inner_.save(); }
    void restore() override { flushRun(); inner_.restore(); }
    // Passes on or drops the pending run of lines.
    void flushRun();

    // Primitives passed on and dropped (for tests).
    int passed() const { return passed_; }
    int dropped() const { return dropped_; }

private:
    bool touches(int left, int top, int right, int bottom, int grow) const;
    bool touchesPoints(const std::vector<CanvasPoint>& points) const;

    Canvas& inner_;
    LogicalRect keep_;
    int margin_;
    int penHalf_ = 1;
    std::vector<CanvasPoint> run_;  // the current point and the lines drawn from it
    bool runTouches_ = false;
    int passed_ = 0, dropped_ = 0;
};

} // namespace zeb
