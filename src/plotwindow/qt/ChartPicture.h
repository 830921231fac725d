// The plot window's picture of its chart. The chart is drawn in full only when
// the window's state changed; paints show the kept picture. When a selection
// only changed the look of some points, just their parts of the picture are
// drawn again (the whole chart through a canvas that drops what cannot touch
// them), and the red marks of a drag or of the keyboard cursor are drawn over
// the picture at each paint. Everything lands on the same device pixels as a
// full drawing would put it, at any device pixel ratio.
#pragma once

#include "plot/DamageCanvas.h"
#include "plotwindow/PointSelection.h"

#include <QImage>
#include <QRect>

#include <map>
#include <utility>
#include <vector>

class QPainter;

namespace zeb {

class PlotWindow;

class ChartPicture {
public:
    explicit ChartPicture(PlotWindow& window) : window_(window) {}

    // The whole chart is drawn again at the next paint; the marks go.
    void invalidate();
    bool valid() const { return !dirty_; }
    // Parts of the chart (logical units) to draw again at the next paint.
    void damage(const LogicalRect& part);
    // Sets or removes the mark of each redraw: a red mark stays until it is
    // replaced or removed, any other code removes the point's mark (the
    // picture itself shows the point's look).
    void applyRedraws(const std::vector<SymbolRedraw>& redraws);
    void clearMarks() { marks_.clear(); }

    // Paints the picture into target (widget coordinates) with the painter's
    // device pixel ratio, bringing it up to date first.
    void paint(QPainter& painter, const QRect& target, qreal ratio);
    const QImage& image() const { return cache_; }

private:
    void drawFull(const QRect& target, qreal ratio);
    void redrawDamage(const QRect& target);

    PlotWindow& window_;
    QImage cache_;
    bool dirty_ = true;
    std::vector<LogicalRect> damage_;
    std::map<std::pair<int, int>, SymbolRedraw> marks_;
};

} // namespace zeb
