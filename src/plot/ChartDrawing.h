// Draws one chart of a plot window onto a canvas: points with their symbols
// and error bars, fitted curves (or form-factor curves and their legend), the
// frame, ticks, captions, and the texts under the plot.
#pragma once

#include "plot/Canvas.h"
#include "plot/ChartInputs.h"
#include "plot/PlotLayout.h"

namespace zeb {

enum class ChartTarget { Screen, Metafile, Printer };

// The text sizes a chart is laid out with. A screen paint measures them; a
// metafile, which has no device to measure on, reuses the last ones.
struct ChartMetrics {
    int ch = 0;                // height of "1A" in the axis font
    int axisDescent = 0;
    int layoutLineHeight = 0;  // h: "1A" in the text font as laid out (bold on the screen)
    int textLineHeight = 0;    // F: "1A" in the text font as drawn
    int widestYLabel = 0;
    int lastXLabelWidth = 0;
    int xMultiplierHeight = 0;
    int yMultiplierHeight = 0;
    int yCaptionWidth = 0;
};

struct ChartOptions {
    ChartTarget target = ChartTarget::Screen;
    bool monochrome = false;              // a printer of 1 or 2 colours: black curves
    const ChartMetrics* stored = nullptr; // sizes to use instead of measuring
};

struct ChartDrawResult {
    ChartMetrics metrics;
    PlotLayout layout;
};

// The axis font of the settings (380 × 152 when its height and width are 0)
// and the text font of the lines under the plot and the legend.
LogFont ChartAxisFont(const PlotSettings& settings);
LogFont ChartTextFont(int weight);

ChartMetrics MeasureChart(Canvas& canvas, const ChartInputs& in, ChartTarget target);
PlotLayout LayoutChart(const ChartInputs& in, const ChartMetrics& metrics, const LogicalExtent& extent = {});

// The chart fills `extent` (the screen's; the plain logical space elsewhere).
ChartDrawResult DrawChart(Canvas& canvas, const ChartInputs& in, const ChartOptions& options,
                          const LogicalExtent& extent = {});

} // namespace zeb
