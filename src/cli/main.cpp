// zebstat-batch: the core of ZEBstat driven from the command line.
#include "cli/Commands.h"
#include "cli/Usage.h"

#include <clocale>
#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
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
    try {
        if (command == "fit") return zeb::cli::RunFit(args);
        if (command == "eval") return zeb::cli::RunEval(args);
        return zeb::cli::RunFormFactor(args);
    } catch (const zeb::cli::UsageError& e) {
        std::fprintf(stderr, "zebstat-batch: %s\n", e.text.c_str());
        return 2;
    }
}
