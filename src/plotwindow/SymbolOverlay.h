// Symbols drawn again over a painted chart: the red feedback of a drag or of
// the keyboard cursor, and the bookkeeping that finds the points whose look a
// selection changed, so that only their part of the picture is drawn again.
#pragma once

#include "plot/DamageCanvas.h"
#include "plotwindow/PointSelection.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace zeb {

class Canvas;
class PlotWindow;

// Draws the symbols with the layout and axes of the window's last screen
// paint; nothing when the window has not been painted yet. They are clipped
// as the chart clips its symbols (the data area widened by 200 units): a point
// at the edge of the data area - every automatic axis has some - is marked
// like any other. The keyboard cursor is a red ring with four ticks around
// the point, clear of its symbol.
void DrawSymbolOverlay(Canvas& canvas, const PlotWindow& window, const std::vector<SymbolRedraw>& symbols);

// True for the codes of the red marks (drag and keyboard cursor).
inline bool IsMarkCode(int code) {
    return code == MarkSymbolCode(false) || code == MarkSymbolCode(true) || code == kKeyCursorCode;
}

// The active flag and symbol code of every cell of the grid (then of the two
// intercept records): what decides how a point looks in the chart.
using PointLooks = std::vector<std::pair<std::int16_t, std::int16_t>>;
PointLooks CapturePointLooks(const PlotWindow& window);

struct LookChanges {
    std::vector<GridPoint> points;  // selectable points whose look changed
    bool intercepts = false;        // an intercept record changed (drawn from elsewhere)
    bool any() const { return intercepts || !points.empty(); }
};
// What changed between two captures of the same grid. A grid of another size
// counts as a change of the intercepts (the whole chart is out of date).
LookChanges CompareLooks(const PlotWindow& window, const PointLooks& before, const PointLooks& after);

// The part of the last screen paint a point's symbol and error bar can touch,
// in logical units; empty (right < left) when the window has not been painted.
LogicalRect SymbolExtent(const PlotWindow& window, int c, int a);

} // namespace zeb
