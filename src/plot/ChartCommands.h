// "&Copy plot to clipboard (WMF)" and "&Save plot as WMF-file...": the window's
// chart as a metafile on the clipboard (with an SVG and a picture beside it for
// programs that take no metafiles) and as a placeable WMF file.
#pragma once

namespace zeb {

class Platform;
class TFitF1;

void ID_BEARBEITEN_PLOTKOPIERENClick(TFitF1& window, Platform& platform);
void ID_BEARBEITEN_PLOTSPEICHERNClick(TFitF1& window, Platform& platform);

} // namespace zeb
