#include "plot/SymbolOverlay.h"

#include "plot/ChartPrimitives.h"
#include "plot/PlotLayout.h"
#include "plot/TFitF1.h"

#include <algorithm>

namespace zeb {

void DrawSymbolOverlay(Canvas& canvas, const TFitF1& window, const std::vector<SymbolRedraw>& symbols,
                       bool clipToDataArea) {
    const PlotLayout* layout = window.screenLayout();
    if (!layout || symbols.empty()) return;
    const PlotSettings& s = window.plotSettings();
    const AxesState& axes = window.axes();
    const PlotMapping map(*layout, axes);
    const int margin = clipToDataArea ? 0 : 200;
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
        const double top = std::min(p->yHi(), axes.y.maximum);
        const double bottom = std::max(p->yLo(), axes.y.minimum);
        DrawSymbol(canvas, style, clip, r.code, map.X(p->x()), map.Y(p->y()), r.errorBars && s.showErrorBars == 1,
                   map.Y(top), map.Y(bottom));
    }
    canvas.restore();
}

} // namespace zeb
