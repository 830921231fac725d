// The chart canvas on a QPainter: the logical space is fitted into a target
// rectangle with equal scale in x and y, anchored at its top left (window and
// viewport), so pen widths and font heights are in logical units. Fonts are
// chosen by family with the metric-compatible Liberation faces as fallback;
// a positive height is the height of the character cell, as in a Windows
// logical font.
#pragma once

#include "plot/Canvas.h"

#include <QFont>
#include <QPainter>
#include <QPolygon>
#include <QRect>

#include <vector>

namespace zeb {

class QtCanvas : public Canvas {
public:
    // Maps the logical space of logicalWidth × logicalHeight into target.
    QtCanvas(QPainter& painter, const QRect& target, int logicalWidth, int logicalHeight);
    ~QtCanvas() override;

    void setPen(int width, Rgb color) override;
    void setNullPen() override;
    void setBrush(Rgb color) override;
    void setNullBrush() override;
    void setFont(const LogFont& font) override;
    void setTextColor(Rgb color) override;
    void setTextAlign(unsigned flags) override;
    void setBackgroundTransparent(bool transparent) override;
    void moveTo(int x, int y) override;
    void lineTo(int x, int y) override;
    void polyline(const std::vector<CanvasPoint>& points) override;
    void polygon(const std::vector<CanvasPoint>& points) override;
    void ellipse(int left, int top, int right, int bottom) override;
    void setPixel(int x, int y, Rgb color) override;
    void textOut(int x, int y, const std::string& text) override;
    TextSize textExtent(const std::string& text) override;
    int fontDescent() override;
    void setClipRect(int left, int top, int right, int bottom) override;
    void resetClip() override;
    void save() override;
    void restore() override;

    // Logical units per device pixel.
    double scale() const { return scale_; }
    static QFont ToQFont(const LogFont& font);

private:
    struct State {
        Rgb textColor = kBlack;
        unsigned align = 0;
        LogFont font;
        QFont qfont;
    };
    void flush();  // draws the pending run of lines
    void fillDevice(const QRectF& logical, const QBrush& brush);

    QPainter& p_;
    double scale_ = 1;
    State state_;
    std::vector<State> saved_;
    QPolygon run_;  // consecutive lineTo calls, drawn as one polyline
    QPoint position_;
};

} // namespace zeb
