// zebstat-batch: the core of ZEBstat driven from the command line.
#include "cli/ChartFileModule.h"
#include "cli/Commands.h"
#include "cli/Usage.h"
#include "data/FileAccess.h"

#include <unistd.h>

#include <cerrno>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#ifdef ZEBSTAT_CHARTS_BY_EXEC
namespace {

// This zebstat-batch is linked statically: it starts in about a millisecond,
// but cannot load Qt. A run that writes a chart file is handed over, before it
// does anything, to the chart program (the same program linked dynamically),
// which loads the chart module. When that fails, the run goes on and every
// chart file it asks for is refused with the reason.
void HandOverChartRuns(char** argv) {
    bool chart = false;
    for (char** a = argv + 1; *a; ++a)
        if (std::strcmp(*a, "--plot-file") == 0) chart = true;
    if (!chart) {
        zeb::cli::RefuseChartModule("the chart module could not be loaded: this program is linked statically");
        return;
    }
    std::error_code ec;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) {
        zeb::cli::RefuseChartModule("the chart module could not be loaded: the program's own folder is unknown (" +
                                    ec.message() + ")");
        return;
    }
    const std::string program = zeb::cli::ChartProgramPath(self.string());
    ::execv(program.c_str(), argv);
    zeb::cli::RefuseChartModule("the chart module could not be loaded: " + program + ": " +
                                zeb::SystemReason(errno));
}

} // namespace
#endif

int main(int argc, char** argv) {
#ifdef ZEBSTAT_CHARTS_BY_EXEC
    HandOverChartRuns(argv);
#else
    zeb::cli::EnableChartModuleFiles();
#endif
    // Numbers are written and read with a point whatever the user's locale says.
    std::setlocale(LC_ALL, "C");
    if (argc < 2) {
        std::fputs(zeb::cli::ProgramUsage(), stderr);
        return 2;
    }
    const std::string command = argv[1];
    const std::vector<std::string> args(argv + 2, argv + argc);
    if (command == "--help" || command == "-h") {
        std::fputs(zeb::cli::ProgramUsage(), stdout);
        return 0;
    }
    if (command == "--version") {
        std::printf("%s\n", zeb::cli::kVersionText);
        return 0;
    }
    const char* usage = zeb::cli::CommandUsage(command);
    if (!usage) {
        std::fprintf(stderr, "zebstat-batch: unknown command \"%s\"\n", command.c_str());
        std::fputs(zeb::cli::ProgramUsage(), stderr);
        return 2;
    }
    if (zeb::cli::AsksForHelp(args)) {
        std::fputs(usage, stdout);
        return 0;
    }
    // A command without any argument: its usage says what it needs.
    if (args.empty()) {
        std::fputs(usage, stderr);
        return 2;
    }
    try {
        if (command == "fit") return zeb::cli::RunFit(args);
        if (command == "eval") return zeb::cli::RunEval(args);
        if (command == "series") return zeb::cli::RunSeries(args);
        return zeb::cli::RunFormFactor(args);
    } catch (const zeb::cli::UsageError& e) {
        std::fprintf(stderr, "zebstat-batch: %s\n", e.text.c_str());
        return 2;
    }
}
