#include "app/CommandLine.h"

#include <algorithm>
#include <filesystem>
#include <sstream>

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

namespace {

bool isSet(const char* value) { return value && *value; }

} // namespace

std::string MissingDisplay(const std::vector<std::string>& args, const std::function<const char*(const char*)>& env) {
    std::string platforms;
    std::string namedBy;
    for (std::size_t i = 0; i + 1 < args.size() && args[i] != "--"; ++i)
        if (args[i] == "-platform" || args[i] == "--platform") {
            platforms = args[i + 1];
            namedBy = "-platform " + platforms;
        }
    if (namedBy.empty() && isSet(env("QT_QPA_PLATFORM"))) {
        platforms = env("QT_QPA_PLATFORM");
        namedBy = "QT_QPA_PLATFORM=" + platforms;
    }
    const bool x11 = isSet(env("DISPLAY"));
    const bool wayland = isSet(env("WAYLAND_DISPLAY"));
    if (namedBy.empty()) return x11 || wayland ? "" : "neither DISPLAY nor WAYLAND_DISPLAY is set";
    // A list "wayland;xcb" is tried in order; "name:options" carries options.
    std::istringstream list(platforms);
    std::vector<std::string> needed;
    const auto need = [&needed](const char* variable) {
        if (std::find(needed.begin(), needed.end(), variable) == needed.end()) needed.emplace_back(variable);
    };
    for (std::string entry; std::getline(list, entry, ';');) {
        const std::string name = entry.substr(0, entry.find(':'));
        if (name.empty()) continue;
        if (name == "xcb") {
            if (x11) return "";
            need("DISPLAY");
        } else if (name.rfind("wayland", 0) == 0) {
            if (wayland) return "";
            need("WAYLAND_DISPLAY");
        } else {
            return "";  // a platform that needs no display server
        }
    }
    if (needed.empty()) return x11 || wayland ? "" : "neither DISPLAY nor WAYLAND_DISPLAY is set";
    if (needed.size() == 1) return namedBy + " needs " + needed[0] + ", which is not set";
    return namedBy + " needs " + needed[0] + " or " + needed[1] + ", and neither is set";
}

} // namespace zeb
