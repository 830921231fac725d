#include "app/CommandLine.h"

#include <filesystem>

namespace zeb {

StartRequest ParseCommandLine(const std::vector<std::string>& args, const std::string& workingFolder) {
    StartRequest r;
    bool options = true;
    for (const std::string& a : args) {
        if (options && a == "--") {
            options = false;
            continue;
        }
        if (options && (a == "--help" || a == "-h")) {
            r.action = StartRequest::Action::Usage;
            return r;
        }
        if (options && a == "--version") {
            r.action = StartRequest::Action::Version;
            return r;
        }
        if (options && a.size() > 1 && a[0] == '-') {
            r.action = StartRequest::Action::BadUsage;
            r.problem = "unknown option \"" + a + "\"";
            return r;
        }
        if (a.empty()) continue;
        std::filesystem::path p(a);
        if (p.is_relative()) p = std::filesystem::path(workingFolder) / p;
        r.files.push_back(p.lexically_normal().string());
    }
    return r;
}

const char* DesktopUsage() {
    return "usage: zebstat [FILE...]\n"
           "\n"
           "Opens each FILE (.sta, .dat, .plt, .plx, .asc) in a plot window of its own, as\n"
           "\"Load new file...\" would, and a saved evaluation (.zeb) as \"Open evaluation...\"\n"
           "would; without files the program starts with an empty frame.\n"
           "\n"
           "  --          the arguments after it are files\n"
           "  -h, --help  this text\n"
           "  --version   the version\n"
           "\n"
           "zebstat-batch evaluates the same files without a screen.\n";
}

} // namespace zeb
