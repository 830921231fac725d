#include "plotwindow/ChartCommands.h"

#include "texts/CommonTexts.h"
#include "texts/PlotTexts.h"
#include "plot/ChartExport.h"
#include "plotwindow/PlotWindow.h"
#include "plotwindow/PlotWindowChart.h"
#include "platform/AtomicFile.h"
#include "platform/Platform.h"
#include "platform/WriteError.h"
#include "platform/PathName.h"

#include <cctype>

namespace zeb {

void copyPlotToClipboard(PlotWindow& window, Platform& platform) {
    if (!ChartReady(window)) return;
    const ChartInputs in = MakeChartInputs(window);
    const std::vector<std::uint8_t> wmf = ChartToPlaceableWmf(in, window.screenMetrics());
    const std::string svg = ChartToSvg(in, window.screenMetrics());
    if (wmf.empty()) {
        platform.inform(tx::CouldNotCreateClipboardMetafile, tx::CapInformation, MsgIcon::Stop);
        return;
    }
    if (!platform.setClipboardPicture(wmf, svg)) platform.inform(tx::ClipboardNotOpened, tx::CapZebStat, MsgIcon::Stop);
}


void savePlotAs(PlotWindow& window, Platform& platform, const ChartFileWriters& writers) {
    if (!ChartReady(window)) return;
    FileDialogRequest request;
    request.filter = std::string(tx::WmfFilter) + tx::SvgFilter;
    request.defaultSuffixes = {"", "svg"};
    if (writers.png) {
        request.filter += tx::PngFilter;
        request.defaultSuffixes.push_back("png");
    }
    if (writers.pdf) {
        request.filter += tx::PdfFilter;
        request.defaultSuffixes.push_back("pdf");
    }
    request.filterIndex = 1;
    request.initialDir = window.dataFolder();
    request.overwritePrompt = true;
    const auto name = platform.saveFileName(request);
    if (!name) return;
    const std::string ext = LowerExtensionOf(*name);
    WriteResult written;
    if (ext == "svg") {
        written = WriteFileAtomically(*name, ChartToSvg(MakeChartInputs(window), window.screenMetrics()));
    } else if (ext == "png" && writers.png) {
        written = writers.png(*name, MakeChartInputs(window));
    } else if (ext == "pdf" && writers.pdf) {
        written = writers.pdf(*name, MakeChartInputs(window));
    } else {
        const std::vector<std::uint8_t> wmf = WindowChartToPlaceableWmf(window);
        if (wmf.empty()) {
            platform.inform(tx::CouldNotCreateMetafile, tx::CapInformation, MsgIcon::Stop);
            return;
        }
        // The whole file is written at once and renamed into place: a failed write
        // leaves an existing file as it was, and the message says why.
        written = WriteFileAtomically(*name, std::string_view(reinterpret_cast<const char*>(wmf.data()), wmf.size()));
    }
    if (!written) platform.inform(WriteErrorText(*name, written), tx::CapInformation, MsgIcon::Stop);
}

} // namespace zeb
