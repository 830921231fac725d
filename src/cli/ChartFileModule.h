// Charts as PNG and PDF pictures, and the text sizes of the screen picture
// that WMF and SVG files are laid out with, come from Qt. zebstat-batch does
// not link Qt: a small module (zebstat-chart-files.so) carries the Qt canvas
// and is loaded only when a chart file is written, so every other run starts
// without Qt's libraries. The module only draws; the program writes the files
// as it writes every other file.
//
// The module lies in a folder given relative to the program's own folder
// (installed: <libdir>/zebstat/ beside <bindir>; in the build tree the same
// layout under the build folder).
#pragma once

#include "platform/AtomicFile.h"
#include "plot/ChartDrawing.h"
#include "plot/ChartInputs.h"

#include <string>

namespace zeb::cli {

// Raised whenever the call below or what it passes changes, so that a module
// of another build is refused instead of misread.
inline constexpr int kChartFileModuleVersion = 1;

// What the module exports (C linkage, found with dlsym).
inline constexpr const char* kChartFileModuleVersionSymbol = "zebstat_chart_file_module_version";
inline constexpr const char* kChartFileModuleDrawSymbol = "zebstat_draw_chart";

enum class ChartPicture { Png = 1, Pdf = 2, ScreenMetrics = 3 };

// The version number together with the sizes of what crosses the boundary.
struct ChartFileModuleAbi {
    int version = kChartFileModuleVersion;
    unsigned long chartInputsSize = 0;
    unsigned long plotSettingsSize = 0;
    unsigned long chartMetricsSize = 0;
    unsigned long stringSize = 0;
};
inline ChartFileModuleAbi ThisChartFileModuleAbi() {
    ChartFileModuleAbi abi;
    abi.chartInputsSize = sizeof(ChartInputs);
    abi.plotSettingsSize = sizeof(PlotSettings);
    abi.chartMetricsSize = sizeof(ChartMetrics);
    abi.stringSize = sizeof(std::string);
    return abi;
}

using ChartFileModuleVersionFn = ChartFileModuleAbi (*)();
// Draws the chart (what: a ChartPicture) as the bytes of a PNG file of
// pngWidth × pngHeight pixels or of a PDF file into *bytes (empty when Qt
// could not make them), or measures the text sizes of the screen picture of
// that size into *metrics.
using ChartFileModuleDrawFn = void (*)(const ChartInputs* in, int what, int pngWidth, int pngHeight,
                                       std::string* bytes, ChartMetrics* metrics);

// The full path of the module for a program at programPath.
std::string ChartFileModulePath(const std::string& programPath);

// The name of the program that writes the chart files of a zebstat-batch that
// cannot load the module (one linked statically, which starts in a fraction of
// the time a dynamic program takes): the same program, linked dynamically,
// lying beside the module. The module is found beside it.
inline constexpr const char* kChartProgramName = "zebstat-batch-charts";
std::string ChartProgramPath(const std::string& programPath);

// A program that must not load the module (a static one, whose hand-over to
// the chart program failed) answers every chart file with this reason.
void RefuseChartModule(std::string reason);

// The module's drawing function from the module file at path, or why not.
struct OpenedChartModule {
    ChartFileModuleDrawFn draw = nullptr;
    std::string failure;
};
using ChartModuleOpener = OpenedChartModule (*)(const std::string& path);

// Lets this program load the module file (dlopen, in ChartModuleFile.cpp). The
// programs that may load it call this first: the dynamic zebstat-batch, the
// chart program and the tests that write chart files; a static program never
// links the loader.
void EnableChartModuleFiles();
void UseChartModuleOpener(ChartModuleOpener open);

// Writes the chart to path by its extension, case ignored: .png (pngWidth ×
// pngHeight pixels), .pdf, .wmf or .svg (laid out with the text sizes of the
// PNG picture), loading the module once per process. Returns an empty text
// when the module did its part, whatever the write's result (in *result);
// else why the module could not be used (nothing was written).
std::string WriteChartFileThroughModule(const ChartInputs& in, const std::string& path, int pngWidth, int pngHeight,
                                        WriteResult* result);

} // namespace zeb::cli
