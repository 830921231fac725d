// Charts as PNG and PDF files, and the text sizes of the screen picture that
// WMF and SVG files are laid out with, come from Qt. zebstat-batch does not
// link Qt: a small module (zebstat-chart-files.so) carries the Qt canvas and is
// loaded only when a chart file is written, so every other run starts without
// Qt's libraries.
//
// The module lies in a folder given relative to the program's own folder
// (installed: <libdir>/zebstat/ beside <bindir>; in the build tree the same
// layout under the build folder).
#pragma once

#include "platform/AtomicFile.h"
#include "plot/ChartInputs.h"

#include <string>

namespace zeb::cli {

// Raised whenever the call below or what it passes changes, so that a module
// of another build is refused instead of misread.
inline constexpr int kChartFileModuleVersion = 1;

// What the module exports (C linkage, found with dlsym).
inline constexpr const char* kChartFileModuleVersionSymbol = "zebstat_chart_file_module_version";
inline constexpr const char* kChartFileModuleWriteSymbol = "zebstat_write_chart_file";

// The version number together with the sizes of what crosses the boundary.
struct ChartFileModuleAbi {
    int version = kChartFileModuleVersion;
    unsigned long chartInputsSize = 0;
    unsigned long plotSettingsSize = 0;
    unsigned long writeResultSize = 0;
};
inline ChartFileModuleAbi ThisChartFileModuleAbi() {
    ChartFileModuleAbi abi;
    abi.chartInputsSize = sizeof(ChartInputs);
    abi.plotSettingsSize = sizeof(PlotSettings);
    abi.writeResultSize = sizeof(WriteResult);
    return abi;
}

using ChartFileModuleVersionFn = ChartFileModuleAbi (*)();
// Writes the chart by the file's extension (.png of pngWidth × pngHeight,
// .pdf, .wmf, .svg) into *result.
using ChartFileModuleWriteFn = void (*)(const ChartInputs* in, const char* path, int pngWidth, int pngHeight,
                                        WriteResult* result);

// The full path of the module for a program at programPath.
std::string ChartFileModulePath(const std::string& programPath);

// Loads the module (once per process) and writes the chart. Returns an empty
// text after the call, whatever its result (in *result); else why the module
// could not be used.
std::string WriteChartFileThroughModule(const ChartInputs& in, const std::string& path, int pngWidth, int pngHeight,
                                        WriteResult* result);

} // namespace zeb::cli
