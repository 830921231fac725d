// The recent files of the File menu: order, the limit of eight, their own
// section beside the other settings, and the captions of the entries.
#include "settings/Profile.h"
#include "settings/RecentFiles.h"
#include "settings/SettingsFile.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace zeb {
namespace {

TEST(RecentFiles, NewestFirstEachOnceAtMostEight) {
    test::TempDir dir;
    const std::string ini = dir.file("zebstat.ini");
    EXPECT_TRUE(ReadRecentFiles(ini).empty());  // no settings file yet
    for (int i = 1; i <= 10; ++i) ASSERT_TRUE(RememberRecentFile("/d/f" + std::to_string(i) + ".sta", ini));
    std::vector<std::string> expected;
    for (int i = 10; i >= 3; --i) expected.push_back("/d/f" + std::to_string(i) + ".sta");
    EXPECT_EQ(ReadRecentFiles(ini), expected);
    // Opened again: it moves to the head and is not listed twice.
    ASSERT_TRUE(RememberRecentFile("/d/f5.sta", ini));
    const auto list = ReadRecentFiles(ini);
    ASSERT_EQ(list.size(), kRecentFilesMax);
    EXPECT_EQ(list[0], "/d/f5.sta");
    EXPECT_EQ(std::count(list.begin(), list.end(), "/d/f5.sta"), 1);
    EXPECT_EQ(list[1], "/d/f10.sta");
    EXPECT_EQ(list[7], "/d/f3.sta");
}

TEST(RecentFiles, KeptInTheirOwnSectionWithoutTouchingTheOtherSettings) {
    test::TempDir dir;
    const std::string ini = dir.file("zebstat.ini");
    test::WriteFile(ini, "[Settings]\nSymbol size=great\nDataPath=/data/\n[Recent files]\nFile1=/a b/x&y.plx\nFile2=\n"
                         "File3=/a b/x&y.plx\nFile4=/c.asc\n");
    EXPECT_EQ(ReadRecentFiles(ini), (std::vector<std::string>{"/a b/x&y.plx", "/c.asc"}));
    ASSERT_TRUE(RememberRecentFile("/new.sta", ini));
    EXPECT_EQ(ReadRecentFiles(ini), (std::vector<std::string>{"/new.sta", "/a b/x&y.plx", "/c.asc"}));
    EXPECT_EQ(ReadGlobalSettings(ini).symbolSize, 3);
    const std::string text = test::ReadFile(ini);
    EXPECT_EQ(text.rfind("[Settings]\nSymbol size=great\nDataPath=/data/\n[Recent files]\nFile1=/new.sta\n", 0), 0u)
        << text;
    // A name with a line break would break the file: it is not kept.
    EXPECT_FALSE(RememberRecentFile("/odd\nname.sta", ini));
    EXPECT_EQ(ReadRecentFiles(ini).front(), "/new.sta");
}

TEST(RecentFiles, ASettingsFileThatCannotBeWrittenIsLeftAlone) {
    test::TempDir dir;
    const std::string ini = dir.file("missing-folder/zebstat.ini");
    EXPECT_FALSE(RememberRecentFile("/x.sta", ini));
    EXPECT_FALSE(std::filesystem::exists(ini));
}

TEST(RecentFiles, CaptionsNumberTheEntriesAndTellEqualNamesApart) {
    EXPECT_EQ(RecentFileCaptions({"/data/june/run.sta", "/data/x&y.plx", "/data/july/run.sta", "/r.asc"}),
              (std::vector<std::string>{"&1 run.sta (/data/june)", "&2 x&&y.plx", "&3 run.sta (/data/july)",
                                        "&4 r.asc"}));
    EXPECT_TRUE(RecentFileCaptions({}).empty());
}

} // namespace
} // namespace zeb
