// "&Copy plot to clipboard (WMF)" and "&Save plot as WMF-file...": the window's
// chart as a metafile on the clipboard (with an SVG and a picture beside it for
// programs that take no metafiles) and as a file: a placeable WMF (the first
// choice), SVG, and PNG and PDF where the view gives their writers.
#pragma once

#include "platform/AtomicFile.h"

#include <functional>
#include <string>

namespace zeb {

class Platform;
class PlotWindow;
struct ChartInputs;

// The image formats the drawing of the Qt side makes (the same drawing as the
// batch tool's --plot-file); a format without a writer is not offered.
struct ChartFileWriters {
    std::function<WriteResult(const std::string& path, const ChartInputs& in)> png, pdf;
};

void copyPlotToClipboard(PlotWindow& window, Platform& platform);
// The format follows the name chosen: ".svg", ".png", ".pdf" (any case) give
// those; every other name is written as a placeable metafile, as always.
void savePlotAs(PlotWindow& window, Platform& platform, const ChartFileWriters& writers = {});

} // namespace zeb
