#include "cli/ChartFileModule.h"

#include <dlfcn.h>

#include <filesystem>
#include <system_error>

#ifndef ZEBSTAT_CHART_MODULE_DIR
#define ZEBSTAT_CHART_MODULE_DIR "../lib/zebstat"
#endif
#ifndef ZEBSTAT_CHART_MODULE_NAME
#define ZEBSTAT_CHART_MODULE_NAME "zebstat-chart-files.so"
#endif

namespace zeb::cli {

std::string ChartFileModulePath(const std::string& programPath) {
    const std::filesystem::path folder = std::filesystem::path(programPath).parent_path();
    return (folder / ZEBSTAT_CHART_MODULE_DIR / ZEBSTAT_CHART_MODULE_NAME).lexically_normal().string();
}

namespace {

struct LoadedModule {
    ChartFileModuleWriteFn write = nullptr;
    std::string failure;
};

std::string dlText() {
    const char* text = dlerror();
    return text ? text : "unknown reason";
}

LoadedModule load() {
    std::error_code ec;
    const auto program = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) return {nullptr, "the program's own folder is unknown (" + ec.message() + ")"};
    const std::string path = ChartFileModulePath(program.string());
    // Never unloaded: Qt keeps its globals to the end of the process.
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) return {nullptr, "the chart module could not be loaded: " + dlText()};
    const auto version = reinterpret_cast<ChartFileModuleVersionFn>(dlsym(handle, kChartFileModuleVersionSymbol));
    const auto write = reinterpret_cast<ChartFileModuleWriteFn>(dlsym(handle, kChartFileModuleWriteSymbol));
    if (!version || !write) return {nullptr, "the chart module " + path + " is not one of this program"};
    const ChartFileModuleAbi theirs = version();
    const ChartFileModuleAbi ours = ThisChartFileModuleAbi();
    if (theirs.version != ours.version || theirs.chartInputsSize != ours.chartInputsSize ||
        theirs.plotSettingsSize != ours.plotSettingsSize || theirs.writeResultSize != ours.writeResultSize)
        return {nullptr, "the chart module " + path + " belongs to another build of the program"};
    return {write, ""};
}

} // namespace

std::string WriteChartFileThroughModule(const ChartInputs& in, const std::string& path, int pngWidth, int pngHeight,
                                        WriteResult* result) {
    static const LoadedModule module = load();
    if (!module.write) return module.failure;
    module.write(&in, path.c_str(), pngWidth, pngHeight, result);
    return "";
}

} // namespace zeb::cli
