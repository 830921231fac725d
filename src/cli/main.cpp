// zebstat-batch: the core of ZEBstat driven from the command line.
#include "cli/Commands.h"

#include <clocale>
#include <cstdio>
#include <cstring>

namespace {

const char* kUsage =
    "usage: zebstat-batch eval [options] FILE...\n"
    "       zebstat-batch eval --session FILE.zeb [options] [FILE...]  (options override the saved evaluation;\n"
    "                          --no-smooth, --no-weight; --save-session FILE.zeb saves the evaluation made)\n"
    "       zebstat-batch fit [--order N] [--weight] TABLE\n"
    "       zebstat-batch formfactor --model M[,M...] --representation R --rg NM [--mw GPM]\n"
    "                                [--data FILE --conc I [eval's --plot .. --deactivate]] [--q-max PER_CM]\n";

} // namespace

int main(int argc, char** argv) {
    // Numbers are written and read with a point whatever the user's locale says.
    std::setlocale(LC_ALL, "C");
    if (argc < 2) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    const std::vector<std::string> args(argv + 2, argv + argc);
    try {
        if (std::strcmp(argv[1], "fit") == 0) return zeb::cli::RunFit(args);
        if (std::strcmp(argv[1], "eval") == 0) return zeb::cli::RunEval(args);
        if (std::strcmp(argv[1], "formfactor") == 0) return zeb::cli::RunFormFactor(args);
        if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
            std::fputs(kUsage, stdout);
            return 0;
        }
        std::fprintf(stderr, "zebstat-batch: unknown command \"%s\"\n", argv[1]);
        return 2;
    } catch (const zeb::cli::UsageError& e) {
        std::fprintf(stderr, "zebstat-batch: %s\n", e.text.c_str());
        return 2;
    }
}
