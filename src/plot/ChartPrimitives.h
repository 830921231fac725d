// The building blocks of a chart: point symbols with their error bars, drawn
// only when the whole symbol lies inside the clip rectangle, and polylines cut
// at the clip rectangle.
#pragma once

#include "plot/Canvas.h"
#include "plot/RecordingCanvas.h"

namespace zeb {

// Half the edge of a symbol box: 65, 87, 109 for the sizes 1, 2, 3.
int SymbolHalfSize(int size);

struct SymbolStyle {
    int halfSize = 87;
    bool cross = false;      // symbol type 2
    int squarePenWidth = 23; // the fitted-curve pen squares and circles are outlined with
    Rgb squarePenColor = kBlack;
};

// Draws one point with symbol code `code` at (x, y); when withErrorBar, a
// vertical bar from yTop to yBottom (already cut at the plot range) first.
// Returns false when the symbol lay (partly) outside the clip and was skipped.
bool DrawSymbol(Canvas& canvas, const SymbolStyle& style, const ClipRect& clip, int code, int x, int y,
                bool withErrorBar, int yTop, int yBottom);

// Follows a polyline point by point, drawing only the parts inside the clip.
class ClippedPath {
public:
    ClippedPath(Canvas& canvas, const ClipRect& clip) : canvas_(canvas), clip_(clip) {}
    void moveTo(int x, int y);
    void lineTo(int x, int y);

private:
    Canvas& canvas_;
    ClipRect clip_;
    double cx_ = 0, cy_ = 0;
    bool penAtCurrent_ = false;  // the canvas position equals the current point
};

} // namespace zeb
