#include "plot/ChartExport.h"

#include "plot/SvgCanvas.h"

namespace zeb {

std::vector<std::uint8_t> ChartToPlaceableWmf(const ChartInputs& in, const ChartMetrics* stored) {
    WmfCanvas wmf(kLogicalWidth, kLogicalHeight, true);
    DrawChart(wmf, in, {ChartTarget::Metafile, false, stored});
    return PlaceableWmf(wmf.finish());
}

MetafilePicture ChartToClipboardMetafile(const ChartInputs& in, const ChartMetrics* stored) {
    WmfCanvas wmf(kLogicalWidth, kLogicalHeight, false);
    DrawChart(wmf, in, {ChartTarget::Metafile, false, stored});
    MetafilePicture picture;
    picture.metafile = wmf.finish();
    return picture;
}

std::string ChartToSvg(const ChartInputs& in, const ChartMetrics* stored) {
    SvgCanvas svg(kLogicalWidth, kLogicalHeight);
    DrawChart(svg, in, {ChartTarget::Metafile, false, stored});
    return svg.finish();
}

} // namespace zeb
