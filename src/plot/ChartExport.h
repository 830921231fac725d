// The chart as a file or picture: a placeable WMF (the "Save plot as WMF-file"
// form), the clipboard's memory metafile picture, and SVG.
#pragma once

#include "platform/AtomicFile.h"
#include "plot/ChartDrawing.h"
#include "plot/WmfCanvas.h"

#include <cstdint>
#include <string>
#include <vector>

namespace zeb {

// stored: the text sizes of the last screen paint (nullptr: built-in metrics).
std::vector<std::uint8_t> ChartToPlaceableWmf(const ChartInputs& in, const ChartMetrics* stored);
MetafilePicture ChartToClipboardMetafile(const ChartInputs& in, const ChartMetrics* stored);
std::string ChartToSvg(const ChartInputs& in, const ChartMetrics* stored);

// Writes the chart to path by its extension, .wmf (placeable) or .svg, case
// ignored; fails for another extension or when the file cannot be written
// (an existing file is then as it was).
WriteResult WriteChartVectorFile(const std::string& path, const ChartInputs& in, const ChartMetrics* stored);

} // namespace zeb
