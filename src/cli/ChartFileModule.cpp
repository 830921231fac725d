#include "cli/ChartFileModule.h"

#include "plot/ChartExport.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <filesystem>
#include <optional>
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

std::string ChartProgramPath(const std::string& programPath) {
    return (std::filesystem::path(ChartFileModulePath(programPath)).parent_path() / kChartProgramName).string();
}

namespace {

ChartModuleOpener& opener() {
    static ChartModuleOpener open = nullptr;
    return open;
}

std::optional<std::string>& refusal() {
    static std::optional<std::string> reason;
    return reason;
}

OpenedChartModule load() {
    if (refusal()) return {nullptr, *refusal()};
    if (!opener()) return {nullptr, "the chart module could not be loaded: this program does not load modules"};
    std::error_code ec;
    const auto program = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) return {nullptr, "the program's own folder is unknown (" + ec.message() + ")"};
    // The chart program lies beside its module; zebstat-batch finds it in the
    // module folder beside its own folder.
    const std::filesystem::path beside = program.parent_path() / ZEBSTAT_CHART_MODULE_NAME;
    return opener()(std::filesystem::exists(beside, ec) ? beside.string() : ChartFileModulePath(program.string()));
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

void RefuseChartModule(std::string reason) { refusal() = std::move(reason); }

void UseChartModuleOpener(ChartModuleOpener open) { opener() = open; }

std::string WriteChartFileThroughModule(const ChartInputs& in, const std::string& path, int pngWidth, int pngHeight,
                                        WriteResult* result) {
    static const OpenedChartModule module = load();
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
