// Loading the chart-file module with dlopen. Only the programs that may load
// it link this file (they call EnableChartModuleFiles): a statically linked
// zebstat-batch hands its chart runs to the chart program instead.
#include "cli/ChartFileModule.h"

#include <dlfcn.h>

namespace zeb::cli {

namespace {

std::string dlText() {
    const char* text = dlerror();
    return text ? text : "unknown reason";
}

OpenedChartModule OpenChartModuleFile(const std::string& path) {
    // Never unloaded: Qt keeps its globals to the end of the process.
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) return {nullptr, "the chart module could not be loaded: " + dlText()};
    const auto version = reinterpret_cast<ChartFileModuleVersionFn>(dlsym(handle, kChartFileModuleVersionSymbol));
    const auto draw = reinterpret_cast<ChartFileModuleDrawFn>(dlsym(handle, kChartFileModuleDrawSymbol));
    if (!version || !draw) return {nullptr, "the chart module " + path + " is not one of this program"};
    const ChartFileModuleAbi theirs = version();
    const ChartFileModuleAbi ours = ThisChartFileModuleAbi();
    if (theirs.version != ours.version || theirs.chartInputsSize != ours.chartInputsSize ||
        theirs.plotSettingsSize != ours.plotSettingsSize || theirs.chartMetricsSize != ours.chartMetricsSize ||
        theirs.stringSize != ours.stringSize)
        return {nullptr, "the chart module " + path + " belongs to another build of the program"};
    return {draw, ""};
}

} // namespace

void EnableChartModuleFiles() { UseChartModuleOpener(&OpenChartModuleFile); }

} // namespace zeb::cli
