#include "platform/AtomicFile.h"
#include "settings/Profile.h"
#include "settings/SettingsFile.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zeb {
namespace {

TEST(SettingsFile, EmptyOrMissingFileGivesTheBuiltInDefaults) {
    test::TempDir dir;
    for (bool exists : {false, true}) {
        const std::string ini = dir.file(exists ? "empty.ini" : "missing.ini");
        if (exists) test::WriteFile(ini, "");
        const GlobalDefaults g = ReadGlobalSettings(ini);
        EXPECT_EQ(g.symbolSize, 2);
        EXPECT_EQ(g.smoothing, 1);
        EXPECT_EQ(g.fitDisplay, 1);
        EXPECT_EQ(g.showFileName, 1);
        EXPECT_EQ(g.showSampleName, 1);
        EXPECT_EQ(g.showResults, 1);
        EXPECT_EQ(g.showErrorBars, 0);
        EXPECT_EQ(g.printResults, 1);
        EXPECT_EQ(g.showErrorBarsFF, 0);
        EXPECT_EQ(g.axisFont.faceName, "Arial");
        EXPECT_EQ(g.axisFont.weight, 700);
        EXPECT_EQ(g.axisFont.height, 0);
        EXPECT_EQ(g.axisFont.outPrecision, 7);
        EXPECT_EQ(g.axisFont.clipPrecision, 32);
        EXPECT_EQ(g.axisFont.quality, 2);
        EXPECT_EQ(g.axisFont.pitchAndFamily, 32);
        const PlotSettings w = ReadWindowSettings(g, ini);
        EXPECT_EQ(w.lines, LineTable::BuiltIn());
        EXPECT_EQ(w.xTitleZimm[1], "");
    }
}

TEST(SettingsFile, BuiltInLineRows) {
    const LineTable t = LineTable::BuiltIn();
    const LineStyle expected[8] = {{},         {23, 0x000000}, {23, 0x000000}, {10, 0x0000FF},
                                   {21, 0x00FF00}, {32, 0xFF0000}, {43, 0xFF00FF}, {54, 0x0087FF}};
    for (int r = 1; r <= 7; ++r) {
        EXPECT_EQ(t.row(r), expected[r]) << r;
        EXPECT_EQ(t.builtIn(r), expected[r]) << r;
    }
}

TEST(SettingsFile, ValuesAreReadExactly) {
    test::TempDir dir;
    const std::string ini = dir.file("z.ini");
    test::WriteFile(ini,
                    "[Settings]\nSymbol size=great\nSymbol size FF=small\nSmoothing=Yes\n"
                    "Show fit function for only c_0 and q_0=3\n"
                    "[Settings for plot]\nShow Filename=yes\nShow Errorbars=Yes\nShow sample name=No\n"
                    "[FontSetting]\nlfHeight0= -600xyz\nlfWeight0=400\nlfItalic0=257\n"
                    "lfFaceName0=A face name that is much longer than thirty-one\n"
                    "[PlotLines]\nLineColor3=255l\nLineColor4=255\nLineWidth5=\nLineWidth6=77\n"
                    "[ChartLabels]\nXLabelZimm2=my x\nYLabelFF12=my y\n");
    const GlobalDefaults g = ReadGlobalSettings(ini);
    EXPECT_EQ(g.symbolSize, 3);
    EXPECT_EQ(g.symbolSizeFF, 1);
    EXPECT_EQ(g.smoothing, 1) << "\"Smoothing\" without the blank is another key";
    EXPECT_EQ(g.fitDisplay, 3);
    EXPECT_EQ(g.showFileName, 0) << "only the exact text Yes is on";
    EXPECT_EQ(g.showErrorBars, 1);
    EXPECT_EQ(g.showSampleName, 0);
    EXPECT_EQ(g.axisFont.height, -600);
    EXPECT_EQ(g.axisFont.weight, 400);
    EXPECT_EQ(g.axisFont.italic, 1) << "byte fields keep the low 8 bits";
    EXPECT_EQ(g.axisFont.faceName, "A face name that is much longer");
    const PlotSettings w = ReadWindowSettings(g, ini);
    EXPECT_EQ(w.lines.row(3).color, 0x0000FFu);
    EXPECT_EQ(w.lines.row(4).color, 0x0000FFu);
    EXPECT_EQ(w.lines.row(5).width, 32) << "an empty key keeps the built-in width";
    EXPECT_EQ(w.lines.row(6).width, 77);
    EXPECT_EQ(w.lines.builtIn(6).width, 43);
    EXPECT_EQ(w.xTitleZimm[2], "my x");
    EXPECT_EQ(w.yTitleFF[12], "my y");
}

TEST(SettingsFile, SaveWritesTheKeysAndReadsBackTheSameSettings) {
    test::TempDir dir;
    const std::string ini = dir.file("z.ini");
    GlobalDefaults g = ReadGlobalSettings(ini);
    PlotSettings w = ReadWindowSettings(g, ini);
    w.symbolSize = 1;
    w.symbolSizeFF = 3;
    w.smoothing = 2;
    w.fitDisplay = 2;
    w.showFileName = 0;
    w.showErrorBarsFF = 1;
    w.printResults = 0;
    w.axisFont.height = 570;
    w.axisFont.faceName = "Liberation Serif";
    w.lines.row(3) = {12, 0x123456};
    w.xTitle = "x title";
    w.yTitle = "";
    w.weighting = 2;  // not a global default
    ASSERT_TRUE(SaveSettings(w, 3, 11, g, ini));
    EXPECT_EQ(g.symbolSize, 1);
    EXPECT_EQ(g.smoothing, 2);
    EXPECT_EQ(g.weighting, 1);
    EXPECT_EQ(g.axisFont.height, 570);

    const std::string text = test::ReadFile(ini);
    for (const char* line : {"Symbol size=small\n", "Smoothing =Yes\n", "Show fit function for only c_0 and q_0=2\n",
                             "Show Filename=No\n", "Show Error Bars FF=Yes\n", "Print results=No\n",
                             "lfHeight0=570\n", "lfWeight0=700\n", "lfFaceName0=Liberation Serif\n",
                             "XLabelZimm3=x title\n", "YLabelZimm3=\n", "LineColor3=1193046l\n",
                             "LineWidth3=12\n", "LineColor7=34815l\n"})
        EXPECT_NE(text.find(line), std::string::npos) << line;

    const GlobalDefaults g2 = ReadGlobalSettings(ini);
    EXPECT_EQ(g2, g);
    const PlotSettings w2 = ReadWindowSettings(g2, ini);
    EXPECT_EQ(w2.lines, w.lines);
    EXPECT_EQ(w2.xTitleZimm[3], "x title");

    // Saving unchanged settings again changes nothing in the file.
    GlobalDefaults g3 = g2;
    PlotSettings w3 = w2;
    w3.xTitle = "x title";
    ASSERT_TRUE(SaveSettings(w3, 3, 11, g3, ini));
    EXPECT_EQ(test::ReadFile(ini), text);
}

TEST(SettingsFile, FormFactorModeSavesTheRepresentationTitles) {
    test::TempDir dir;
    const std::string ini = dir.file("z.ini");
    GlobalDefaults g;
    PlotSettings w = ReadWindowSettings(g, ini);
    w.formFactorMode = true;
    w.xTitle = "u";
    w.yTitle = "P";
    ASSERT_TRUE(SaveSettings(w, 1, 7, g, ini));
    const PlotSettings back = ReadWindowSettings(g, ini);
    EXPECT_EQ(back.xTitleFF[7], "u");
    EXPECT_EQ(back.yTitleFF[7], "P");
    EXPECT_EQ(back.xTitleZimm[1], "");
}

TEST(SettingsFile, PathBesideTheProgramOrInTheConfigFolder) {
    test::TempDir dir;
    EXPECT_EQ(SettingsFilePath(dir.file("ZEBSTAT.EXE")), dir.file("ZEBSTAT.ini"));
    EXPECT_EQ(SettingsFilePath(dir.file("zebstat")), dir.file("zebstat.ini"));

    // A folder the program cannot write into (here: one that does not exist,
    // which also holds for root) sends the file to the configuration folder.
    const std::filesystem::path ro = dir.path() / "no" / "such";
    const char* old = std::getenv("XDG_CONFIG_HOME");
    const std::string saved = old ? old : "";
    ::setenv("XDG_CONFIG_HOME", dir.file("cfg").c_str(), 1);
    const std::string p = SettingsFilePath((ro / "zebstat").string());
    if (old) ::setenv("XDG_CONFIG_HOME", saved.c_str(), 1); else ::unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(p, dir.file("cfg") + "/zebstat/zebstat.ini");
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("cfg") + "/zebstat"));

    // An installed program (prefix/bin beside prefix/share/zebstat) uses the
    // configuration folder even where it could write beside itself.
    std::filesystem::create_directories(dir.path() / "prefix" / "bin");
    std::filesystem::create_directories(dir.path() / "prefix" / "share" / "zebstat" / "examples");
    ::setenv("XDG_CONFIG_HOME", dir.file("cfg2").c_str(), 1);
    const std::string installed = SettingsFilePath(dir.file("prefix/bin/zebstat"));
    const std::string unpacked = SettingsFilePath(dir.file("prefix/zebstat"));
    if (old) ::setenv("XDG_CONFIG_HOME", saved.c_str(), 1); else ::unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(installed, dir.file("cfg2") + "/zebstat/zebstat.ini");
    EXPECT_EQ(unpacked, dir.file("prefix/zebstat.ini"));
}

// Counts the times a file is opened while it is watched.
class OpenCounter {
public:
    explicit OpenCounter(const std::string& path) {
        fd_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        if (fd_ >= 0) ::inotify_add_watch(fd_, path.c_str(), IN_OPEN);
    }
    ~OpenCounter() {
        if (fd_ >= 0) ::close(fd_);
    }
    bool ok() const { return fd_ >= 0; }
    int opens() {
        int n = 0;
        alignas(inotify_event) char buf[4096];
        for (;;) {
            const ssize_t got = ::read(fd_, buf, sizeof buf);
            if (got <= 0) break;
            for (ssize_t at = 0; at < got;) {
                const auto* e = reinterpret_cast<const inotify_event*>(buf + at);
                if (e->mask & IN_OPEN) ++n;
                at += static_cast<ssize_t>(sizeof(inotify_event) + e->len);
            }
        }
        return n;
    }

private:
    int fd_ = -1;
};

TEST(SettingsFile, TheFileIsReadOnceAndWrittenOnce) {
    test::TempDir dir;
    const std::string ini = dir.file("z.ini");
    test::WriteFile(ini, "[Settings]\nSymbol size=small\n[PlotLines]\nLineWidth4=44\n");
    OpenCounter counter(ini);
    ASSERT_TRUE(counter.ok());
    GlobalDefaults g = ReadGlobalSettings(ini);
    EXPECT_EQ(counter.opens(), 1) << "the global defaults";
    EXPECT_EQ(g.symbolSize, 1);
    PlotSettings w = ReadWindowSettings(g, ini);
    EXPECT_EQ(counter.opens(), 1) << "a window's titles and lines";
    EXPECT_EQ(w.lines.row(4).width, 44);

    int temporaries = 0;
    SetWriteFaultHook([&](WriteStep step) {
        temporaries += step == WriteStep::CreateTemporary;
        return 0;
    });
    const WriteResult saved = SaveSettings(w, 1, 11, g, ini);
    SetWriteFaultHook({});
    EXPECT_TRUE(saved.ok()) << saved.reason;
    EXPECT_EQ(counter.opens(), 1) << "the save reads the file once";
    EXPECT_EQ(temporaries, 1) << "and writes it once";
    EXPECT_EQ(ReadWindowSettings(g, ini).lines.row(4).width, 44);
}

TEST(SettingsFile, AFileFarLargerThanSettingsIsNeitherReadNorReplaced) {
    test::TempDir dir;
    const std::string ini = dir.file("z.ini");
    // Valid settings, but 2 MB of them.
    std::string text = "[Settings]\nSymbol size=small\n";
    while (text.size() <= 2 * ProfileFile::kMaxBytes) text += "; a comment line that only takes room\n";
    test::WriteFile(ini, text);
    std::string problem;
    const GlobalDefaults g = ReadGlobalSettings(ini, &problem);
    EXPECT_EQ(g.symbolSize, 2) << "the built-in defaults";
    EXPECT_EQ(problem, "The settings file is not read; the built-in settings are used.\n\n" + ini +
                           ": the file is larger than 1024 KB, far more than settings take");
    PlotSettings w = ReadWindowSettings(g, ini);
    GlobalDefaults defaults = g;
    const WriteResult saved = SaveSettings(w, 1, 11, defaults, ini);
    EXPECT_FALSE(saved.ok());
    EXPECT_EQ(saved.reason, "the file is larger than 1024 KB, far more than settings take");
    EXPECT_FALSE(WritePrivateProfileString("Settings", "DataPath", "/x", ini));
    EXPECT_EQ(test::ReadFile(ini), text);

    // Just below the limit the file is read.
    text.resize(ProfileFile::kMaxBytes - 40);
    text += "\n[Settings for plot]\nShow results=No\n";
    test::WriteFile(ini, text);
    EXPECT_EQ(ReadGlobalSettings(ini, &problem).showResults, 0);
    EXPECT_EQ(problem, "");
}

TEST(SettingsFile, WhatCannotBeReadGivesTheDefaultsWithoutWaiting) {
    test::TempDir dir;
    std::string problem = "x";
    ReadGlobalSettings(dir.file("missing.ini"), &problem);
    EXPECT_EQ(problem, "") << "a missing file is the normal first start";
    // A pipe in place of the file: refused at once, never waited on.
    const std::string fifo = dir.file("fifo.ini");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    EXPECT_EQ(ReadGlobalSettings(fifo, &problem).symbolSize, 2);
    EXPECT_EQ(problem, "The settings file is not read; the built-in settings are used.\n\n" + fifo +
                           ": not a regular file");
    EXPECT_FALSE(WritePrivateProfileString("Settings", "DataPath", "/x", fifo));
}

TEST(SettingsFile, AProgramFolderTheUserCannotWriteSendsTheFileToTheConfigFolder) {
    // The program lies in a folder of root's (as an installed program does);
    // the ordinary user keeps the settings in the configuration folder.
    test::TempDir dir;
    std::filesystem::create_directories(dir.path() / "opt" / "bin");
    std::filesystem::create_directories(dir.path() / "home" / "own-bin");
    test::GiveToOrdinaryUser(dir.path() / "home");
    std::filesystem::permissions(dir.path(), std::filesystem::perms::all);  // reachable for the user
    std::filesystem::permissions(dir.path() / "opt" / "bin",
                                 std::filesystem::perms::owner_all | std::filesystem::perms::group_read |
                                     std::filesystem::perms::group_exec | std::filesystem::perms::others_read |
                                     std::filesystem::perms::others_exec);
    if (!test::RunningAsRoot())  // the tests' own user: a folder without write permission
        std::filesystem::permissions(dir.path() / "opt" / "bin",
                                     std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    const std::string program = (dir.path() / "opt" / "bin" / "zebstat").string();
    const std::string home = (dir.path() / "home").string();
    const int code = test::RunAsOrdinaryUser([&] {
        int failures = 0;
        ::setenv("HOME", home.c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", (home + "/cfg").c_str(), 1);
        const std::string path = SettingsFilePath(program);
        if (path != home + "/cfg/zebstat/zebstat.ini") failures |= 1;
        GlobalDefaults g = ReadGlobalSettings(path);
        PlotSettings w = ReadWindowSettings(g, path);
        w.symbolSize = 3;
        if (!SaveSettings(w, 1, 11, g, path).ok()) failures |= 2;
        if (ReadGlobalSettings(SettingsFilePath(program)).symbolSize != 3) failures |= 4;
        // Without XDG_CONFIG_HOME: ~/.config/zebstat.
        ::unsetenv("XDG_CONFIG_HOME");
        if (SettingsFilePath(program) != home + "/.config/zebstat/zebstat.ini") failures |= 8;
        // A program in a folder of the user's own keeps the file beside it.
        if (SettingsFilePath(home + "/own-bin/zebstat") != home + "/own-bin/zebstat.ini") failures |= 16;
        return failures;
    });
    ASSERT_NE(code, -1) << "could not run as an ordinary user";
    EXPECT_EQ(code, 0);
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "opt" / "bin" / "zebstat.ini"));
    EXPECT_NE(test::ReadFile(home + "/cfg/zebstat/zebstat.ini").find("Symbol size=great\n"), std::string::npos);
}

TEST(SettingsFile, LeadingInteger) {
    EXPECT_EQ(LeadingInteger("  -12ab"), -12);
    EXPECT_EQ(LeadingInteger("+7"), 7);
    EXPECT_EQ(LeadingInteger("x7"), 0);
    EXPECT_EQ(LeadingInteger("4294967295l"), 4294967295LL);
    EXPECT_EQ(LeadingInteger("99999999999999999999999"), 999999999999999999LL);
}

} // namespace
} // namespace zeb
