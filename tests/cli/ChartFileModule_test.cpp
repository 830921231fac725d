// zebstat-batch loads Qt (through its chart-file module) only to write a chart
// file; without the module it says so and writes nothing. A statically linked
// zebstat-batch hands a run that writes a chart file to the chart program
// beside the module.
#include "cli/ChartFileModule.h"
#include "support/BuildPaths.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>

#include <elf.h>
#include <sys/wait.h>

namespace zeb {
namespace {

// The tests that run the batch commands in their own process write chart
// files as the dynamic zebstat-batch does: through the module.
const bool kModuleFilesEnabled = (cli::EnableChartModuleFiles(), true);

using test::Example;

TEST(ChartFileModule, LiesInTheModuleFolderBesideTheProgramsFolder) {
    const std::string path = cli::ChartFileModulePath("/opt/zeb/bin/zebstat-batch");
    EXPECT_EQ(path.rfind("/opt/zeb/", 0), 0u) << path;
    EXPECT_NE(path.find("/zebstat/zebstat-chart-files.so"), std::string::npos) << path;
    EXPECT_EQ(path.find(".."), std::string::npos) << path;
    const std::string program = cli::ChartProgramPath("/opt/zeb/bin/zebstat-batch");
    EXPECT_EQ(program, path.substr(0, path.rfind('/') + 1) + "zebstat-batch-charts");
}

// Whether the program at path has a program interpreter (is linked dynamically).
bool LinkedDynamically(const std::string& path) {
    const std::string bytes = test::ReadFile(path);
    Elf64_Ehdr header{};
    if (bytes.size() < sizeof header) return false;
    std::memcpy(&header, bytes.data(), sizeof header);
    for (unsigned i = 0; i < header.e_phnum; ++i) {
        Elf64_Phdr entry{};
        const std::size_t at = header.e_phoff + std::size_t{i} * header.e_phentsize;
        if (at + sizeof entry > bytes.size()) return false;
        std::memcpy(&entry, bytes.data() + at, sizeof entry);
        if (entry.p_type == PT_INTERP) return true;
    }
    return false;
}

#ifdef ZEBSTAT_HAVE_QT
// The libraries the dynamic loader reports for one run of zebstat-batch.
test::CommandResult RunWithLoaderReport(const std::vector<std::string>& args) {
    ::setenv("LD_DEBUG", "libs", 1);
    auto r = test::RunBatch(args);
    ::unsetenv("LD_DEBUG");
    return r;
}

TEST(ChartFileModule, QtIsLoadedOnlyForAChartFile) {
    const auto plain = RunWithLoaderReport({"eval", "--q-order", "1", "--c-order", "1", "--json", Example("ps-toluene.sta")});
    ASSERT_EQ(plain.status, 0);
    // A static program has no loader and loads nothing; a dynamic one reports.
    if (LinkedDynamically(test::build::BatchExe())) {
        ASSERT_NE(plain.err.find("libstdc++"), std::string::npos) << "no loader report";
    }
    EXPECT_EQ(plain.err.find("libQt6"), std::string::npos);
    EXPECT_EQ(plain.err.find("zebstat-chart-files"), std::string::npos);

    test::TempDir dir;
    const auto drawn = RunWithLoaderReport(
        {"eval", "--q-order", "1", "--c-order", "1", "--plot-file", dir.file("c.png"), Example("ps-toluene.sta")});
    ASSERT_EQ(drawn.status, 0);
    EXPECT_NE(drawn.err.find("zebstat-chart-files.so"), std::string::npos);
    EXPECT_NE(drawn.err.find("libQt6Gui"), std::string::npos);
    EXPECT_GT(test::ReadFile(dir.file("c.png")).size(), 1000u);
}

TEST(ChartFileModule, AProgramWithoutItsModuleWritesNoChartAndSaysWhy) {
    test::TempDir dir;
    const std::filesystem::path copy = std::filesystem::path(dir.file("bin")) / "zebstat-batch";
    std::filesystem::create_directories(copy.parent_path());
    std::filesystem::copy_file(test::build::BatchExe(), copy);
    const std::string out = dir.file("c.svg");
    const std::string cmd = "'" + copy.string() + "' eval --plot-file '" + out + "' '" + Example("ps-toluene.sta") +
                            "' >/dev/null 2>'" + dir.file("err") + "'";
    const int raw = std::system(cmd.c_str());
    EXPECT_EQ(WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, 1);
    const std::string err = test::ReadFile(dir.file("err"));
    EXPECT_EQ(err.rfind("zebstat-batch: could not write " + out + ": the chart module could not be loaded: ", 0), 0u)
        << err;
    EXPECT_FALSE(std::filesystem::exists(out));
    // The same program still evaluates.
    const std::string eval = "'" + copy.string() + "' eval --json '" + Example("ps-toluene.sta") + "' >/dev/null 2>&1";
    const int evalRaw = std::system(eval.c_str());
    EXPECT_EQ(WIFEXITED(evalRaw) ? WEXITSTATUS(evalRaw) : -1, 0);
}
#endif

} // namespace
} // namespace zeb
