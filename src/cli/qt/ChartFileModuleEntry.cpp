// The module zebstat-batch loads to write chart files: the Qt canvas on an
// offscreen application, as the desktop program draws its charts.
#include "cli/ChartFileModule.h"
#include "plot/qt/ChartRaster.h"

#include <QSize>

extern "C" {

__attribute__((visibility("default"))) zeb::cli::ChartFileModuleAbi zebstat_chart_file_module_version() {
    return zeb::cli::ThisChartFileModuleAbi();
}

__attribute__((visibility("default"))) void zebstat_write_chart_file(const zeb::ChartInputs* in, const char* path,
                                                                     int pngWidth, int pngHeight,
                                                                     zeb::WriteResult* result) {
    zeb::EnsureGuiApplication();
    *result = zeb::WriteChartFile(path, *in, QSize(pngWidth, pngHeight));
}

} // extern "C"
