// The desktop program's command line: files in order and made absolute, the
// requests for usage and version, and refused options.
#include "app/CommandLine.h"

#include <gtest/gtest.h>

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

} // namespace
} // namespace zeb
