// The desktop program's command line: files in order and made absolute, the
// requests for usage and version, and refused options.
#include "app/CommandLine.h"
#include "texts/FrameTexts.h"
#include "data/CFormat.h"
#include "support/BuildPaths.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <set>

namespace zeb {
namespace {

using Action = StartRequest::Action;

TEST(CommandLine, FilesAreTakenInOrderAndMadeAbsolute) {
    const StartRequest none = ParseCommandLine({}, "/home/u");
    EXPECT_EQ(none.action, Action::Run);
    EXPECT_TRUE(none.files.empty());
    const StartRequest r = ParseCommandLine({"b.sta", "/data/a.plx", "../x/./c.asc", "d e.plt"}, "/home/u/work");
    EXPECT_EQ(r.action, Action::Run);
    EXPECT_EQ(r.files, (std::vector<std::string>{"/home/u/work/b.sta", "/data/a.plx", "/home/u/x/c.asc",
                                                 "/home/u/work/d e.plt"}));
}

TEST(CommandLine, OptionsAndTheEndOfOptions) {
    EXPECT_EQ(ParseCommandLine({"a.sta", "--help"}, "/").action, Action::Usage);
    EXPECT_EQ(ParseCommandLine({"-h"}, "/").action, Action::Usage);
    EXPECT_EQ(ParseCommandLine({"--version"}, "/").action, Action::Version);
    const StartRequest bad = ParseCommandLine({"a.sta", "--session"}, "/");
    EXPECT_EQ(bad.action, Action::BadUsage);
    EXPECT_EQ(bad.problem, "unknown option \"--session\"");
    // After "--" everything is a file, also "-h"; a lone "-" is a file name too.
    const StartRequest files = ParseCommandLine({"--", "-h", "--version"}, "/d");
    EXPECT_EQ(files.action, Action::Run);
    EXPECT_EQ(files.files, (std::vector<std::string>{"/d/-h", "/d/--version"}));
    EXPECT_EQ(ParseCommandLine({"-"}, "/d").files, std::vector<std::string>{"/d/-"});
}

// Whether a window system can be reached, from the environment and -platform.
TEST(CommandLine, AStartWithoutADisplayIsRecognised) {
    struct Case {
        std::map<std::string, std::string> env;
        std::vector<std::string> args;
        bool reachable;
    };
    const Case cases[] = {
        {{}, {}, false},
        {{{"DISPLAY", ""}}, {}, false},
        {{{"DISPLAY", ":0"}}, {}, true},
        {{{"WAYLAND_DISPLAY", "wayland-0"}}, {"a.sta"}, true},
        {{{"QT_QPA_PLATFORM", "offscreen"}}, {}, true},
        {{{"QT_QPA_PLATFORM", "minimal:enable_fonts"}}, {}, true},
        {{{"QT_QPA_PLATFORM", "xcb"}}, {}, false},
        {{{"QT_QPA_PLATFORM", "xcb"}, {"WAYLAND_DISPLAY", "w"}}, {}, false},
        {{{"QT_QPA_PLATFORM", "wayland;xcb"}, {"DISPLAY", ":1"}}, {}, true},
        {{{"QT_QPA_PLATFORM", "wayland-egl"}, {"WAYLAND_DISPLAY", "w"}}, {}, true},
        {{}, {"-platform", "vnc"}, true},
        {{{"QT_QPA_PLATFORM", "offscreen"}}, {"-platform", "xcb"}, false},  // the argument wins
        {{}, {"--", "-platform", "offscreen"}, false},                       // a file named so
    };
    for (const Case& c : cases) {
        const std::string why = MissingDisplay(c.args, [&c](const char* name) -> const char* {
            const auto it = c.env.find(name);
            return it == c.env.end() ? nullptr : it->second.c_str();
        });
        EXPECT_EQ(why.empty(), c.reachable) << ::testing::PrintToString(c.env) << " " << ::testing::PrintToString(c.args);
    }
    EXPECT_EQ(MissingDisplay({}, [](const char*) { return nullptr; }), "neither DISPLAY nor WAYLAND_DISPLAY is set");
    // A platform named says what it lacks.
    EXPECT_EQ(MissingDisplay({"-platform", "wayland;xcb"}, [](const char*) { return nullptr; }),
              "-platform wayland;xcb needs WAYLAND_DISPLAY or DISPLAY, and neither is set");
}

std::set<std::string> OptionsIn(const std::string& text) {
    std::set<std::string> options;
    const std::regex option(R"((?:^|[^-\w])(--?[a-z][a-z0-9-]*))");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), option); it != std::sregex_iterator(); ++it)
        options.insert((*it)[1].str());
    return options;
}

// The manual page's OPTIONS are those of the usage text, and the program does
// what the page says of each: --help and -h print the usage, --version the
// version, and both exit with status 0 (no display needed).
TEST(CommandLine, TheManualPageNamesTheOptionsOfTheUsage) {
    std::string page = test::ReadFile(std::string(test::build::SourceDir()) + "/packaging/man/zebstat.1");
    ASSERT_FALSE(page.empty());
    page = std::regex_replace(page, std::regex(R"(\\-)"), "-");  // troff's minus sign
    const auto from = page.find("\n.SH OPTIONS\n"), to = page.find("\n.SH", from + 1);
    ASSERT_NE(from, std::string::npos);
    std::set<std::string> manual = OptionsIn(page.substr(from, to - from));
    manual.erase("-platform");  // Qt's, named as an example of those
    EXPECT_EQ(manual, OptionsIn(DesktopUsage()));
    EXPECT_EQ(manual, (std::set<std::string>{"-h", "--help", "--version"}));
    for (const std::string& option : manual)
        EXPECT_NE(ParseCommandLine({option}, "/").action, Action::BadUsage) << option;
if (*test::build::DesktopExe()) {
    for (const char* help : {"--help", "-h"}) {
        const auto r = test::RunProgram(test::build::DesktopExe(), {help});
        EXPECT_EQ(r.status, 0) << help;
        EXPECT_EQ(r.out, DesktopUsage()) << help;
    }
    const auto version = test::RunProgram(test::build::DesktopExe(), {"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_TRUE(std::regex_match(version.out, std::regex("zebstat [0-9]+\\.[0-9]+\n"))) << version.out;
}
}

// Without a window system the program says why and what to do instead, and
// ends with status 1 (not Qt's abort); usage and version need no display.
TEST(CommandLine, WithoutADisplayTheProgramSaysSoAndEnds) {
    if (!*test::build::DesktopExe()) GTEST_SKIP() << "built without the desktop program";
    const std::vector<std::string> noDisplay = {"-u", "DISPLAY", "-u", "WAYLAND_DISPLAY", "-u", "QT_QPA_PLATFORM",
                                                test::build::DesktopExe()};
    auto run = [&](std::vector<std::string> args) {
        args.insert(args.begin(), noDisplay.begin(), noDisplay.end());
        return test::RunProgram("env", args);
    };
    const auto r = run({"a.sta"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, CFormat(tx::NoDisplay, "neither DISPLAY nor WAYLAND_DISPLAY is set"));
    EXPECT_NE(r.err.find("zebstat-batch"), std::string::npos);
    EXPECT_EQ(run({"--help"}).status, 0);
    EXPECT_EQ(run({"--version"}).status, 0);
}

} // namespace
} // namespace zeb
