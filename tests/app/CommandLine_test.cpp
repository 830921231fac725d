// The desktop program's command line: files in order and made absolute, the
// requests for usage and version, and refused options.
#include "app/CommandLine.h"
#include "support/BuildPaths.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

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

} // namespace
} // namespace zeb
