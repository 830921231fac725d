#include "plot/ChartExport.h"

#include "platform/AtomicFile.h"
#include "plot/SvgCanvas.h"

#include <algorithm>
#include <cctype>
#include <cerrno>

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

WriteResult WriteChartVectorFile(const std::string& path, const ChartInputs& in, const ChartMetrics* stored) {
    std::string ext = path.size() >= 4 ? path.substr(path.size() - 4) : std::string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    if (ext == ".wmf") {
        const auto bytes = ChartToPlaceableWmf(in, stored);
        return WriteFileAtomically(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    }
    if (ext == ".svg") return WriteFileAtomically(path, ChartToSvg(in, stored));
    return WriteResult::Failure(EINVAL, "the name ends in neither .wmf nor .svg");
}

} // namespace zeb
