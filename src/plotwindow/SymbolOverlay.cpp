#include "plotwindow/SymbolOverlay.h"

#include "plot/ChartPrimitives.h"
#include "plot/PlotLayout.h"
#include "plotwindow/PlotWindow.h"

#include <algorithm>

namespace zeb {

namespace {

void DrawKeyCursor(Canvas& canvas, int halfSize, int x, int y) {
    const int r = 2 * halfSize, tick = halfSize;
    canvas.setPen(60, kRed);
    canvas.setNullBrush();
    canvas.ellipse(x - r, y - r, x + r, y + r);
    for (const auto& [dx, dy] : {std::pair{1, 0}, std::pair{-1, 0}, std::pair{0, 1}, std::pair{0, -1}}) {
        canvas.moveTo(x + dx * r, y + dy * r);
        canvas.lineTo(x + dx * (r + tick), y + dy * (r + tick));
    }
    canvas.setBrush(kBlack);
}

} // namespace

void DrawSymbolOverlay(Canvas& canvas, const PlotWindow& window, const std::vector<SymbolRedraw>& symbols) {
    const PlotLayout* layout = window.screenLayout();
    if (!layout || symbols.empty()) return;
    const PlotSettings& s = window.plotSettings();
    const AxesState& axes = window.axes();
    const PlotMapping map(*layout, axes);
    const int margin = 200;
    const ClipRect clip{layout->x0 - margin, layout->y0 - margin, layout->x0 + layout->width + margin,
                        layout->y0 + layout->height + margin};
    SymbolStyle style;
    style.halfSize = SymbolHalfSize(s.symbolSize);
    style.cross = s.symbolType == 2;
    const LineStyle curve = s.lines.row(kLineFitCurves);
    style.squarePenWidth = curve.width;
    style.squarePenColor = curve.color;

    canvas.save();
    canvas.setClipRect(clip.left, clip.top, clip.right, clip.bottom);
    canvas.setPen(style.squarePenWidth, style.squarePenColor);
    for (const SymbolRedraw& r : symbols) {
        const DataPoint* p = window.set().cell(r.c, r.a);
        if (!p || p->hasData != 1) continue;
        if (r.code == kKeyCursorCode) {
            DrawKeyCursor(canvas, style.halfSize, map.X(p->x()), map.Y(p->y()));
            canvas.setPen(style.squarePenWidth, style.squarePenColor);
            continue;
        }
        const double top = std::min(p->yHi(), axes.y.maximum);
        const double bottom = std::max(p->yLo(), axes.y.minimum);
        DrawSymbol(canvas, style, clip, r.code, map.X(p->x()), map.Y(p->y()), r.errorBars && s.showErrorBars == 1,
                   map.Y(top), map.Y(bottom));
    }
    canvas.restore();
}

PointLooks CapturePointLooks(const PlotWindow& window) {
    PointLooks out;
    const MeasurementSet& set = window.set();
    out.reserve(static_cast<std::size_t>(set.lastConcIndex + 1) * static_cast<std::size_t>(set.lastAngleIndex + 1) + 2);
    for (int c = 0; c <= set.lastConcIndex; ++c)
        for (int a = 0; a <= set.lastAngleIndex; ++a)
            if (const DataPoint* p = set.cell(c, a)) out.emplace_back(p->active, p->symbolState);
            else out.emplace_back(-1, -1);
    for (const DataPoint* p : {&window.lineC0(), &window.lineQ0()}) out.emplace_back(p->active, p->symbolState);
    return out;
}

LookChanges CompareLooks(const PlotWindow& window, const PointLooks& before, const PointLooks& after) {
    LookChanges out;
    const MeasurementSet& set = window.set();
    const std::size_t cells =
        static_cast<std::size_t>(set.lastConcIndex + 1) * static_cast<std::size_t>(set.lastAngleIndex + 1);
    if (before.size() != after.size() || after.size() != cells + 2) {
        out.intercepts = true;
        return out;
    }
    std::size_t i = 0;
    for (int c = 0; c <= set.lastConcIndex; ++c)
        for (int a = 0; a <= set.lastAngleIndex; ++a, ++i)
            if (before[i] != after[i] && IsSelectable(set, c, a)) out.points.push_back({c, a});
    for (; i < after.size(); ++i) out.intercepts |= before[i] != after[i];
    return out;
}

LogicalRect SymbolExtent(const PlotWindow& window, int c, int a) {
    const PlotLayout* layout = window.screenLayout();
    const DataPoint* p = window.set().cell(c, a);
    if (!layout || !p) return {0, 0, -1, -1};
    const AxesState& axes = window.axes();
    const PlotMapping map(*layout, axes);
    const PlotSettings& s = window.plotSettings();
    // The symbol box, grown by the widest pen a symbol is drawn with.
    const int m = SymbolHalfSize(s.symbolSize) + std::max(60, s.lines.row(kLineFitCurves).width);
    const int x = map.X(p->x()), y = map.Y(p->y());
    const int barTop = map.Y(std::min(p->yHi(), axes.y.maximum));
    const int barBottom = map.Y(std::max(p->yLo(), axes.y.minimum));
    return {x - m, std::min(y - m, barTop - m), x + m, std::max(y + m, barBottom + m)};
}

} // namespace zeb
