#include "cli/ChartFileModule.h"

#include "plot/ChartExport.h"

#include <dlfcn.h>

#include <algorithm>
#include <cctype>
#include <cerrno>

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
    ChartFileModuleDrawFn draw = nullptr;
    std::string failure;
};

std::string dlText() {
    const char* text = dlerror();
    return text ? text : "unknown reason";
}

ChartFileModuleDrawFn& linkedDrawer() {
    static ChartFileModuleDrawFn draw = nullptr;
    return draw;
}

LoadedModule load() {
    if (linkedDrawer()) return {linkedDrawer(), ""};
    std::error_code ec;
    const auto program = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) return {nullptr, "the program's own folder is unknown (" + ec.message() + ")"};
    const std::string path = ChartFileModulePath(program.string());
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

bool endsWith(const std::string& path, const char* ending) {
    const std::string e(ending);
    if (path.size() < e.size()) return false;
    auto same = [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
    };
    return std::equal(e.begin(), e.end(), path.end() - static_cast<std::ptrdiff_t>(e.size()), same);
}

} // namespace

void UseLinkedChartDrawer(ChartFileModuleDrawFn draw) { linkedDrawer() = draw; }

std::string WriteChartFileThroughModule(const ChartInputs& in, const std::string& path, int pngWidth, int pngHeight,
                                        WriteResult* result) {
    static const LoadedModule module = load();
    if (!module.draw) return module.failure;
    const bool png = endsWith(path, ".png");
    if (png || endsWith(path, ".pdf")) {
        // Refused before the picture is made when the file may not be replaced.
        if (WriteResult check = CheckWriteTarget(path); !check) {
            *result = check;
            return "";
        }
        std::string bytes;
        module.draw(&in, static_cast<int>(png ? ChartPicture::Png : ChartPicture::Pdf), pngWidth, pngHeight, &bytes,
                    nullptr);
        const std::string kind = png ? "PNG" : "PDF";
        *result = bytes.empty() ? WriteResult::Failure(ENOMEM, "the " + kind + " picture could not be made")
                                : WriteFileAtomically(path, bytes);
        return "";
    }
    // The metafile takes the text sizes of the screen picture, as when a
    // window's chart is saved.
    ChartMetrics screen;
    module.draw(&in, static_cast<int>(ChartPicture::ScreenMetrics), pngWidth, pngHeight, nullptr, &screen);
    *result = WriteChartVectorFile(path, in, &screen);
    return "";
}

} // namespace zeb::cli
