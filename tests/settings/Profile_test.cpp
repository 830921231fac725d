#include "settings/Profile.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>


namespace zeb {
namespace {

TEST(Profile, MissingFileSectionOrKeyGivesTheDefaultCutToLength) {
    test::TempDir dir;
    const std::string ini = dir.file("z.ini");
    EXPECT_EQ(GetPrivateProfileString("Settings", "DataPath", "", 259, ini), "");
    EXPECT_EQ(GetPrivateProfileString("Settings", "Symbol size", "medium", 3, ini), "med");
    test::WriteFile(ini, "[Other]\nDataPath=/x\n");
    EXPECT_EQ(GetPrivateProfileString("Settings", "DataPath", "dflt", 259, ini), "dflt");
}

TEST(Profile, WriteCreatesFileAndSectionAndReadsBackExactly) {
    test::TempDir dir;
    const std::string ini = dir.file("z.ini");
    ASSERT_TRUE(WritePrivateProfileString("Settings", "Smoothing ", "Yes", ini));
    ASSERT_TRUE(WritePrivateProfileString("Settings", "DataPath", "/home/u/data/", ini));
    ASSERT_TRUE(WritePrivateProfileString("PlotLines", "LineColor3", "255l", ini));
    EXPECT_EQ(GetPrivateProfileString("Settings", "Smoothing ", "No", 254, ini), "Yes");
    // The key without its trailing blank is a different key.
    EXPECT_EQ(GetPrivateProfileString("Settings", "Smoothing", "No", 254, ini), "No");
    EXPECT_EQ(GetPrivateProfileString("settings", "DataPath", "-", 254, ini), "-");  // case-sensitive
    EXPECT_EQ(GetPrivateProfileString("Settings", "DataPath", "", 259, ini), "/home/u/data/");
    EXPECT_EQ(GetPrivateProfileString("PlotLines", "LineColor3", "", 254, ini), "255l");
    EXPECT_EQ(test::ReadFile(ini),
              "[Settings]\nSmoothing =Yes\nDataPath=/home/u/data/\n\n[PlotLines]\nLineColor3=255l\n");
}

TEST(Profile, WritingOneKeyKeepsEveryOtherLine) {
    test::TempDir dir;
    const std::string ini = dir.file("z.ini");
    test::WriteFile(ini,
                    "; comment\r\n[Settings]\r\nSymbol size=small\r\nDataPath=/a\r\n\r\n"
                    "[Settings for plot]\r\nShow Filename=No\r\n");
    ASSERT_TRUE(WritePrivateProfileString("Settings", "DataPath", "/b", ini));
    ASSERT_TRUE(WritePrivateProfileString("Settings for plot", "Show results", "Yes", ini));
    EXPECT_EQ(test::ReadFile(ini),
              "; comment\n[Settings]\nSymbol size=small\nDataPath=/b\n\n"
              "[Settings for plot]\nShow Filename=No\nShow results=Yes\n");
    EXPECT_EQ(GetPrivateProfileString("Settings", "Symbol size", "", 254, ini), "small");
}

TEST(Profile, ValueMayHoldEqualsSignsAndBlanks) {
    test::TempDir dir;
    const std::string ini = dir.file("z.ini");
    ASSERT_TRUE(WritePrivateProfileString("ChartLabels", "XLabelZimm1", " (q²+kc) = x ", ini));
    EXPECT_EQ(GetPrivateProfileString("ChartLabels", "XLabelZimm1", "", 62, ini), " (q²+kc) = x ");
}

TEST(Profile, RefusesTextsThatWouldBreakTheFile) {
    test::TempDir dir;
    const std::string ini = dir.file("z.ini");
    EXPECT_FALSE(WritePrivateProfileString("Settings", "DataPath", "/a\n[Evil]", ini));
    EXPECT_FALSE(WritePrivateProfileString("Settings", "a=b", "x", ini));
    EXPECT_FALSE(WritePrivateProfileString("Set]tings", "a", "x", ini));
    EXPECT_FALSE(std::filesystem::exists(ini));
}

TEST(Profile, AFailedWriteIsReportedAndLeavesNoTemporaryFile) {
    test::TempDir dir;
    // The target is a folder, so the temporary file cannot be renamed onto it.
    const std::string target = dir.file("folder.ini");
    std::filesystem::create_directory(target);
    EXPECT_FALSE(WritePrivateProfileString("Settings", "DataPath", "/new", target));
    EXPECT_TRUE(std::filesystem::is_directory(target));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
    EXPECT_FALSE(WritePrivateProfileString("Settings", "DataPath", "/new", dir.file("no/such/dir.ini")));
}

} // namespace
} // namespace zeb
