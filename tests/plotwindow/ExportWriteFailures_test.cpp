// The export files of a plot window (ASCII, scattering ratio, PLX) when the file
// cannot be written: a write-protected file, a full disk, a failure between
// the write and the rename. Each time the message names the file and the
// reason, and the old file is as it was; a link is written through.
#include "plotwindow/DataExport.h"
#include "export/ExportText.h"
#include "platform/AtomicFile.h"
#include "platform/ScriptedPlatform.h"
#include "plot/ChosenConcentrations.h"
#include "plotwindow/PlotWindow.h"
#include "support/SyntheticSets.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <sys/stat.h>

namespace zeb {
namespace {

namespace fs = std::filesystem;

constexpr const char* kDiskFull =
    "Write error ! Most probably because of disk space\nbeing expired. Cannot write the data to disk.\n\n";
constexpr const char* kOther = "Write error ! Cannot write the data to disk.\n\n";

struct ExportingWindow {
    ScriptedPlatform platform;
    PlotWindow w{platform};
    FrameSaveDialog frame;
    DataExport ex{w, frame};

    ExportingWindow() {
        test::FillModelSet(w.set(), 3, 4, test::ModelParams{}, 1.0e-3, 30.0, 150.0);
        w.set().cell(1, 1)->rSample = 2e-5;
        w.PostLoadSetup();
        ChosenConcentrations(w.chosenConcentrations(), w.set()).add(1);
    }
    // Runs one export into path; returns the message shown (empty: none).
    std::string exportTo(int tag, const std::string& path) {
        platform.messages.clear();
        platform.saveAnswers.push_back(path);
        ex.exportData(tag);
        return platform.messages.empty() ? "" : platform.lastMessage().text;
    }
};

struct FaultAt {
    FaultAt(WriteStep step, int error) {
        SetWriteFaultHook([step, error](WriteStep s) { return s == step ? error : 0; });
    }
    ~FaultAt() { SetWriteFaultHook({}); }
};

const int kTags[] = {DataExport::kTagAsciiToFile, DataExport::kTagRatioToFile, DataExport::kTagPlx};

TEST(ExportWriteFailures, AWriteProtectedFileStaysAsItWas) {
    test::TempDir dir;
    ExportingWindow win;
    for (int tag : kTags) {
        const std::string path = dir.file("kept.plx");
        test::WriteFile(path, "the user's file");
        ::chmod(path.c_str(), 0444);
        EXPECT_EQ(win.exportTo(tag, path), kOther + path + ": the file is write-protected") << tag;
        EXPECT_EQ(win.platform.lastMessage().caption, "ZEBStat: Information");
        EXPECT_EQ(win.platform.lastMessage().icon, MsgIcon::Exclamation);
        EXPECT_EQ(test::ReadFile(path), "the user's file") << tag;
        fs::remove(path);
    }
    EXPECT_TRUE(fs::is_empty(dir.path()));
}

TEST(ExportWriteFailures, ALinkIsWrittenThrough) {
    test::TempDir dir;
    ExportingWindow win;
    fs::create_directory(dir.path() / "real");
    for (int tag : kTags) {
        test::WriteFile(dir.file("real/out.plx"), "old");
        fs::create_symlink("real/out.plx", dir.path() / "link.plx");
        EXPECT_EQ(win.exportTo(tag, dir.file("link.plx")), "") << tag;
        EXPECT_TRUE(fs::is_symlink(dir.path() / "link.plx"));
        EXPECT_NE(test::ReadFile(dir.file("real/out.plx")), "old") << tag;
        fs::remove(dir.path() / "link.plx");
    }
    // The PLX file, written last.
    EXPECT_NE(test::ReadFile(dir.file("real/out.plx")).find("3  , No. of conc."), std::string::npos);
}

TEST(ExportWriteFailures, AFullDiskOrAFailedRenameKeepsTheOldFile) {
    test::TempDir dir;
    ExportingWindow win;
    const std::string path = dir.file("old.plx");
    for (int tag : kTags) {
        for (const auto& [step, error, text] :
             {std::tuple{WriteStep::Write, ENOSPC, std::string(kDiskFull) + path + ": No space left on device"},
              std::tuple{WriteStep::Rename, EIO, std::string(kOther) + path + ": Input/output error"}}) {
            test::WriteFile(path, "old export");
            FaultAt fault(step, error);
            EXPECT_EQ(win.exportTo(tag, path), text) << tag;
            EXPECT_EQ(test::ReadFile(path), "old export") << tag;
            EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), {}), 1) << "a temporary file was left";
        }
    }
    // The export works again once the disk has room.
    EXPECT_EQ(win.exportTo(DataExport::kTagAsciiToFile, path), "");
    EXPECT_EQ(test::ReadFile(path), BuildAsciiExport(win.w.set(), {1}, PlotTypeNumber(win.w.plotType()), &win.w.lineC0()));
}

TEST(ExportWriteFailures, AReallyFullFileSystem) {
    test::SmallTmpfs disk(64 * 1024);
    if (!disk.mounted()) GTEST_SKIP() << "mounting a tmpfs needs root";
    ExportingWindow win;
    const std::string path = disk.file("old.plx");
    test::WriteFile(path, "old export");
    disk.fill();
    for (int tag : kTags) {
        EXPECT_EQ(win.exportTo(tag, path), kDiskFull + path + ": No space left on device") << tag;
        EXPECT_EQ(test::ReadFile(path), "old export");
    }
}

} // namespace
} // namespace zeb
