// The module zebstat-batch loads to draw chart pictures: the Qt canvas on an
// offscreen application, as the desktop program draws its charts. It only
// draws; the program writes the files.
#include "cli/ChartFileModule.h"
#include "plot/qt/ChartRaster.h"

#include <QSize>

extern "C" {

__attribute__((visibility("default"))) zeb::cli::ChartFileModuleAbi zebstat_chart_file_module_version() {
    return zeb::cli::ThisChartFileModuleAbi();
}

__attribute__((visibility("default"))) void zebstat_draw_chart(const zeb::ChartInputs* in, int what, int pngWidth,
                                                               int pngHeight, std::string* bytes,
                                                               zeb::ChartMetrics* metrics) {
    zeb::EnsureGuiApplication();
    const QSize size(pngWidth, pngHeight);
    switch (static_cast<zeb::cli::ChartPicture>(what)) {
    case zeb::cli::ChartPicture::Png: {
        const QByteArray png = zeb::ChartPngBytes(*in, size);
        bytes->assign(png.constData(), static_cast<std::size_t>(png.size()));
        break;
    }
    case zeb::cli::ChartPicture::Pdf: {
        const QByteArray pdf = zeb::ChartPdfBytes(*in);
        bytes->assign(pdf.constData(), static_cast<std::size_t>(pdf.size()));
        break;
    }
    case zeb::cli::ChartPicture::ScreenMetrics: {
        zeb::ChartDrawResult screen;
        zeb::RenderChartImage(*in, size, &screen);
        *metrics = screen.metrics;
        break;
    }
    }
}

} // extern "C"
