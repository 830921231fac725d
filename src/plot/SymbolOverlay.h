// Symbols drawn again over a painted chart: the red feedback of a drag or of
// the keyboard cursor, and points whose look changed since the last paint.
#pragma once

#include "plot/PointSelection.h"

#include <vector>

namespace zeb {

class Canvas;
class TFitF1;

// Draws the symbols with the layout and axes of the window's last screen
// paint; nothing when the window has not been painted yet.
void DrawSymbolOverlay(Canvas& canvas, const TFitF1& window, const std::vector<SymbolRedraw>& symbols,
                       bool clipToDataArea);

} // namespace zeb
