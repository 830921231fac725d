// zebstat-batch's help: where each usage text goes, and that the texts, the
// option parsers and the manual page name the same options.
#include "cli/Usage.h"
#include "support/BuildPaths.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <sstream>

namespace zeb {
namespace {

using test::RunBatch;

std::set<std::string> OptionsIn(const std::string& text) {
    std::set<std::string> options;
    const std::regex option(R"(--[a-z][a-z0-9-]*)");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), option); it != std::sregex_iterator(); ++it)
        options.insert(it->str());
    return options;
}

TEST(BatchUsage, HelpGoesToStandardOutputAndSucceeds) {
    for (const char* command : {"eval", "series", "fit", "formfactor"}) {
        for (const char* flag : {"--help", "-h"}) {
            const auto r = RunBatch({command, flag});
            EXPECT_EQ(r.status, 0) << command << " " << flag;
            EXPECT_EQ(r.err, "") << command << " " << flag;
            EXPECT_EQ(r.out, cli::CommandUsage(command)) << command << " " << flag;
            EXPECT_EQ(r.out.rfind(std::string("usage: zebstat-batch ") + command, 0), 0u) << r.out;
        }
    }
    // Help wins over other options, also over ones that would be refused.
    const auto late = RunBatch({"eval", "--plot", "zimm", "--frobnicate", "--help"});
    EXPECT_EQ(late.status, 0);
    EXPECT_EQ(late.out, cli::CommandUsage("eval"));
    const auto top = RunBatch({"--help"});
    EXPECT_EQ(top.status, 0);
    EXPECT_EQ(top.out, cli::ProgramUsage());
    EXPECT_EQ(top.err, "");
    const auto version = RunBatch({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_TRUE(std::regex_match(version.out, std::regex("zebstat-batch [0-9]+\\.[0-9]+\n"))) << version.out;
}

TEST(BatchUsage, BadUsageExitsWithTwoAndTheUsageOnStandardError) {
    const auto none = RunBatch({});
    EXPECT_EQ(none.status, 2);
    EXPECT_EQ(none.out, "");
    EXPECT_EQ(none.err, cli::ProgramUsage());
    const auto unknown = RunBatch({"evaluate", "x.sta"});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_EQ(unknown.out, "");
    EXPECT_EQ(unknown.err, std::string("zebstat-batch: unknown command \"evaluate\"\n") + cli::ProgramUsage());
    // A command without any argument prints its usage, as the manual page says;
    // with a bad argument it is one line.
    for (const char* command : {"eval", "series", "fit", "formfactor"}) {
        const auto bare = RunBatch({command});
        EXPECT_EQ(bare.status, 2) << command;
        EXPECT_EQ(bare.out, "") << command;
        EXPECT_EQ(bare.err, cli::CommandUsage(command)) << command;
        const auto bad = RunBatch({command, "--frobnicate"});
        EXPECT_EQ(bad.status, 2) << command;
        EXPECT_EQ(bad.err, "zebstat-batch: unknown option --frobnicate\n") << command;
    }
    // After "--" a --help is a file name like any other.
    const auto file = RunBatch({"eval", "--", "--help"});
    EXPECT_EQ(file.status, 1);
    EXPECT_EQ(file.out, "");
    EXPECT_EQ(file.err.rfind("--help: ZEBstat Error: This file cannot be opened.\n", 0), 0u) << file.err;
    EXPECT_NE(file.err.find("--help: No such file or directory"), std::string::npos) << file.err;
    EXPECT_EQ(cli::CommandUsage("dump"), nullptr);
}

// Every option a usage text names is one its command knows: given a dummy value
// it is refused for the value or the missing file, never as unknown.
TEST(BatchUsage, EveryOptionInTheUsageIsKnownToItsCommand) {
    for (const char* command : {"eval", "series", "fit", "formfactor"}) {
        const std::set<std::string> options = OptionsIn(cli::CommandUsage(command));
        EXPECT_GE(options.size(), 2u) << command;
        for (const std::string& option : options) {
            if (option == "--help") continue;
            const auto r = RunBatch({command, option, "1", "2", "/nonexistent/x.sta"});
            EXPECT_EQ(r.err.find("unknown option"), std::string::npos) << command << " " << option << ": " << r.err;
            EXPECT_NE(r.status, 0) << command << " " << option;
        }
    }
    // The check can fail: an option no command has is refused as unknown.
    EXPECT_NE(RunBatch({"eval", "--frobnicate", "1"}).err.find("unknown option"), std::string::npos);
}

std::set<std::string> UsageOptions() {
    std::set<std::string> usage = OptionsIn(cli::ProgramUsage());
    for (const char* command : {"eval", "series", "fit", "formfactor"}) usage.merge(OptionsIn(cli::CommandUsage(command)));
    return usage;
}

// Each command a text names (first group of the pattern) is one zebstat-batch
// has: its --help prints its usage and succeeds.
void ExpectCommandsExist(const std::string& text, const std::regex& pattern, const char* where) {
    std::set<std::string> commands;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), pattern); it != std::sregex_iterator(); ++it)
        commands.insert((*it)[1].str());
    EXPECT_EQ(commands, (std::set<std::string>{"eval", "fit", "formfactor", "series"})) << where;
    for (const std::string& command : commands) {
        ASSERT_NE(cli::CommandUsage(command), nullptr) << where << ": " << command;
        const auto r = RunBatch({command, "--help"});
        EXPECT_EQ(r.status, 0) << where << ": " << command;
        EXPECT_EQ(r.out, cli::CommandUsage(command)) << where << ": " << command;
    }
}

TEST(BatchUsage, TheManualPageNamesTheOptionsOfTheUsage) {
    std::string page = test::ReadFile(std::string(test::build::SourceDir()) + "/packaging/man/zebstat-batch.1");
    ASSERT_FALSE(page.empty());
    // troff writes a minus sign as \-
    page = std::regex_replace(page, std::regex(R"(\\-)"), "-");
    const std::set<std::string> usage = UsageOptions();
    const std::set<std::string> manual = OptionsIn(page);
    for (const std::string& option : usage) EXPECT_TRUE(manual.count(option)) << option << " is not in the manual";
    for (const std::string& option : manual) EXPECT_TRUE(usage.count(option)) << option << " is in no usage text";
    ExpectCommandsExist(page, std::regex(R"(\n\.SS ([a-z]+))"), "zebstat-batch.1");
}

// What the README says of zebstat-batch (its own part and every line that
// names the program) names only options of the usage texts, each of which the
// test above gives to its command, and only commands the program has.
TEST(BatchUsage, TheReadmeNamesOnlyCommandsAndOptionsThatExist) {
    const std::string readme = test::ReadFile(std::string(test::build::SourceDir()) + "/README.md");
    const auto from = readme.find("\n## zebstat-batch\n"), to = readme.find("\n## Python\n");
    ASSERT_NE(from, std::string::npos);
    ASSERT_NE(to, std::string::npos);
    std::string batch = readme.substr(from, to - from);
    std::istringstream lines(readme);
    for (std::string line; std::getline(lines, line);)
        if (line.find("zebstat-batch") != std::string::npos) batch += "\n" + line;
    const std::set<std::string> named = OptionsIn(batch);
    EXPECT_GE(named.size(), 30u);
    const std::set<std::string> usage = UsageOptions();
    for (const std::string& option : named) EXPECT_TRUE(usage.count(option)) << option << " of the README is in no usage text";
    ExpectCommandsExist(readme, std::regex("(?:\n|`)zebstat-batch ([a-z]+)"), "README.md");
}

} // namespace
} // namespace zeb
