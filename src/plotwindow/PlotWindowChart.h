// The chart of a plot window: what the drawing reads, gathered from the
// window's measurement set, analysis state, settings and axes, and the targets
// the window draws on (its screen canvas, a placeable WMF file, the clipboard
// metafile, a printer page).
#pragma once

#include "plot/ChartDrawing.h"
#include "plot/WmfCanvas.h"

#include <cstdint>
#include <string>
#include <vector>

namespace zeb {

class PlotWindow;

// The inputs of the window's chart: the measurement plot of its plot type or,
// while the form-factor view is shown, the form-factor plot. The pointers in
// the result refer into the window and stay valid while it is unchanged.
ChartInputs MakeChartInputs(const PlotWindow& window);

// True when the window has a chart to draw (data calculated, no load running).
bool ChartReady(const PlotWindow& window);

// Draws the window's chart. A screen paint measures the text sizes and keeps
// them, with the layout, in the window; the other targets reuse the sizes of
// the last screen paint (or measure when there was none). The screen fills
// the extent it is given; the other targets draw in the plain logical space.
ChartDrawResult DrawWindowChart(Canvas& canvas, PlotWindow& window, ChartTarget target, bool monochrome = false,
                                const LogicalExtent& extent = {});

// The chart as a placeable WMF file image, laid out with the text sizes of the
// last screen paint.
std::vector<std::uint8_t> WindowChartToPlaceableWmf(const PlotWindow& window);

} // namespace zeb
