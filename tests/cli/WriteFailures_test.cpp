// Every file zebstat-batch writes (--export-asc, --export-rat, --export-plx and
// --plot-file in its four formats) when it cannot be written: a write-protected
// file (also for root), a device, a full disk (a real tmpfs as root, a file
// size limit as an ordinary user), a failure between the write and the rename.
// The old file stays, standard error says why, the exit status is 1.
#include "cli/Commands.h"
#include "support/BuildPaths.h"
#include "platform/AtomicFile.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <sys/stat.h>

namespace zeb {
namespace {

namespace fs = std::filesystem;
using test::RunBatch;

// This test process's own copy of the example.
const std::string& Data() {
    static const std::string path = test::Example("ps-toluene.sta");
    return path;
}

// The options that write name (with --choose where the export needs it).
std::vector<std::string> WriteArgs(const std::string& option, const std::string& path,
                                   const std::string& data = Data()) {
    std::vector<std::string> args = {"eval", "--q-order", "1", "--c-order", "1"};
    if (option == "--export-asc" || option == "--export-rat") args.insert(args.end(), {"--choose", "1 2"});
    args.insert(args.end(), {option, path, data});
    return args;
}

struct Target {
    const char* option;
    const char* name;
};
const Target kTargets[] = {{"--export-asc", "out.asc"}, {"--export-rat", "out.rat"}, {"--export-plx", "out.plx"},
                           {"--plot-file", "out.wmf"},  {"--plot-file", "out.svg"},  {"--plot-file", "out.png"},
                           {"--plot-file", "out.pdf"}};

std::string CouldNot(const std::string& path, const std::string& reason) {
    return "zebstat-batch: could not write " + path + ": " + reason + "\n";
}

TEST(BatchWriteFailures, AWriteProtectedFileIsKeptAlsoForRoot) {
    test::TempDir dir;
    for (const Target& t : kTargets) {
        const std::string path = dir.file(t.name);
        test::WriteFile(path, "the user's file");
        ::chmod(path.c_str(), 0444);
        const auto r = RunBatch(WriteArgs(t.option, path));
        EXPECT_EQ(r.status, 1) << t.name;
        EXPECT_NE(r.err.find(CouldNot(path, "the file is write-protected")), std::string::npos) << r.err;
        EXPECT_EQ(test::ReadFile(path), "the user's file") << t.name;
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), {}), 7);
}

TEST(BatchWriteFailures, AsAnOrdinaryUser) {
    // Another user's file in the user's own folder, and a folder of another user.
    test::TempDir dir;
    fs::create_directory(dir.path() / "own");
    // The user's own copy of the data (loading still asks for write access).
    const std::string data = (dir.path() / "own" / "ps.sta").string();
    fs::copy_file(test::Example("ps-toluene.sta"), data);
    test::GiveToOrdinaryUser(dir.path() / "own");
    fs::permissions(dir.path(), fs::perms::all);
    const std::string others = (dir.path() / "own" / "others.asc").string();
    test::WriteFile(others, "someone else's");
    ::chmod(others.c_str(), 0644);
    if (!test::RunningAsRoot()) ::chmod(others.c_str(), 0444);  // the tests' own user: write-protected
    const std::string folder = dir.file("theirs");
    fs::create_directory(folder);
    if (!test::RunningAsRoot()) fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
    const int code = test::RunAsOrdinaryUser([&] {
        int failures = 0;
        const auto r = RunBatch(WriteArgs("--export-asc", others, data));
        if (r.status != 1 || r.err != CouldNot(others, "the file is write-protected")) failures |= 1;
        const auto f = RunBatch(WriteArgs("--plot-file", folder + "/new.png", data));
        if (f.status != 1 || f.err != CouldNot(folder + "/new.png", "the folder " + folder +
                                                                        " is write-protected (Permission denied)"))
            failures |= 2;
        const auto ok = RunBatch(WriteArgs("--plot-file", (dir.path() / "own" / "fine.svg").string(), data));
        if (ok.status != 0) failures |= 4;
        return failures;
    });
    ASSERT_NE(code, -1) << "could not run as an ordinary user";
    EXPECT_EQ(code, 0);
    EXPECT_EQ(test::ReadFile(others), "someone else's");
    EXPECT_TRUE(fs::is_empty(folder));
    EXPECT_TRUE(fs::exists(dir.path() / "own" / "fine.svg"));
}

TEST(BatchWriteFailures, LinksAreWrittenThroughAndDevicesAreRefused) {
    test::TempDir dir;
    fs::create_directory(dir.path() / "real");
    for (const Target& t : kTargets) {
        const std::string real = dir.file(std::string("real/") + t.name);
        test::WriteFile(real, "old");
        const fs::path link = dir.path() / t.name;
        fs::create_symlink(real, link);
        const auto r = RunBatch(WriteArgs(t.option, link.string()));
        EXPECT_EQ(r.status, 0) << t.name << ": " << r.err;
        EXPECT_TRUE(fs::is_symlink(link));
        EXPECT_GT(fs::file_size(real), 100u) << t.name;
    }
    // A link to a device, as /dev/stdout is one: the device is never replaced.
    fs::create_symlink("/dev/null", dir.path() / "null.asc");
    const auto d = RunBatch(WriteArgs("--export-asc", dir.file("null.asc")));
    EXPECT_EQ(d.status, 1);
    EXPECT_EQ(d.err, CouldNot(dir.file("null.asc"), "not a regular file but a device"));
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
}

// /dev/stdout into a pipe links to no path ("pipe:[...]"): refused as a pipe,
// not as a file that does not exist.
TEST(BatchWriteFailures, StandardOutputIntoAPipeIsRefusedAsAPipe) {
    const auto r = test::RunProgram(test::build::BatchExe(), WriteArgs("--export-asc", "/dev/stdout"), test::Output::Pipe);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, CouldNot("/dev/stdout", "not a regular file but a pipe"));
    EXPECT_EQ(r.out, "");
}

TEST(BatchWriteFailures, NamesUpToTheSystemsLimit) {
    test::TempDir dir;
    for (std::size_t length : {249u, 252u, 255u}) {
        const std::string path = dir.file(std::string(length - 4, 'p') + ".png");
        const auto r = RunBatch(WriteArgs("--plot-file", path));
        EXPECT_EQ(r.status, 0) << length << ": " << r.err;
        EXPECT_TRUE(fs::exists(path)) << length;
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), {}), 3);
}

TEST(BatchWriteFailures, AFullDiskWithoutRootRights) {
    // A file size limit of 512 bytes: every export and picture is larger.
    test::TempDir dir;
    for (const Target& t : kTargets) {
        const std::string path = dir.file(t.name);
        test::WriteFile(path, "old");
        const auto r = RunBatch(WriteArgs(t.option, path), 512);
        EXPECT_EQ(r.status, 1) << t.name;
        EXPECT_NE(r.err.find(CouldNot(path, "File too large")), std::string::npos) << t.name << ": " << r.err;
        EXPECT_EQ(test::ReadFile(path), "old") << t.name;
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), {}), 7) << "a temporary file was left";
}

TEST(BatchWriteFailures, AFullTmpfs) {
    test::SmallTmpfs disk(64 * 1024);
    if (!disk.mounted()) GTEST_SKIP() << "mounting a tmpfs needs root";
    for (const Target& t : kTargets) test::WriteFile(disk.file(t.name), "old");
    disk.fill();
    for (const Target& t : kTargets) {
        const std::string path = disk.file(t.name);
        const auto r = RunBatch(WriteArgs(t.option, path));
        EXPECT_EQ(r.status, 1) << t.name;
        EXPECT_NE(r.err.find(CouldNot(path, "No space left on device")), std::string::npos) << t.name << ": " << r.err;
        EXPECT_EQ(test::ReadFile(path), "old") << t.name;
    }
}

TEST(BatchWriteFailures, AFailureBetweenWriteAndRename) {
    // In the tool's own process, with the write seam: the bytes are written
    // and flushed, then the rename fails.
    test::TempDir dir;
    for (const Target& t : kTargets) {
        const std::string path = dir.file(t.name);
        test::WriteFile(path, "old");
        SetWriteFaultHook([](WriteStep step) { return step == WriteStep::Rename ? EIO : 0; });
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        const std::vector<std::string> args = WriteArgs(t.option, path);
        const int status = cli::RunEval({args.begin() + 1, args.end()});  // without the command word
        const std::string err = testing::internal::GetCapturedStderr();
        testing::internal::GetCapturedStdout();
        SetWriteFaultHook({});
        EXPECT_EQ(status, 1) << t.name;
        EXPECT_NE(err.find(CouldNot(path, "Input/output error")), std::string::npos) << t.name << ": " << err;
        EXPECT_EQ(test::ReadFile(path), "old") << t.name;
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), {}), 7) << "a temporary file was left";
}

} // namespace
} // namespace zeb
