#include "plotwindow/ChartCommands.h"
#include "plot/ChartExport.h"
#include "plotwindow/PlotWindowChart.h"
#include "plotwindow/PlotWindow.h"
#include "platform/AtomicFile.h"
#include "platform/ScriptedPlatform.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <sys/stat.h>

namespace zeb {
namespace {

// A calculated window over a small exact Zimm grid.
void Fill(PlotWindow& w) {
    MeasurementSet& set = w.set();
    ASSERT_EQ(set.InitMeasurementSet(), 1);
    for (int c = 1; c <= 3; ++c) set.AddConcentration(std::string("/d/ps.sta"), 298.15f, 0.55f, c * 1e-3);
    for (int a = 1; a <= 5; ++a) set.AddQ2(a * 5e9);
    for (int c = 1; c <= 3; ++c)
        for (int a = 1; a <= 5; ++a)
            set.storeValue(kCodeKcr, c, a, 1e-6 * (1 + a * 5e9 * 5e-12) + 6e-4 * c * 1e-3, 0, 0);
    w.PostLoadSetup();
    w.setQOrder(FitOrder::One);
    w.setCOrder(FitOrder::One);
}

TEST(ChartCommands, SaveWritesAPlaceableMetafileAndCancelWritesNothing) {
    ScriptedPlatform p;
    PlotWindow w(p);
    Fill(w);
    test::TempDir dir;
    savePlotAs(w, p);  // no answer: the dialog is cancelled
    ASSERT_EQ(p.saveRequests.size(), 1u);
    // The metafile comes first; without image writers SVG is the one other format.
    EXPECT_EQ(p.saveRequests[0].filter, "WMF-Files (*.WMF)|*.WMF|SVG-Files (*.svg)|*.svg|");
    EXPECT_EQ(p.saveRequests[0].filterIndex, 1);
    EXPECT_EQ(p.saveRequests[0].defaultSuffixes, (std::vector<std::string>{"", "svg"}));
    EXPECT_EQ(p.saveRequests[0].initialDir, "/d") << "the folder of the window's data";
    EXPECT_TRUE(p.saveRequests[0].overwritePrompt);
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));

    const std::string file = dir.file("plot.wmf");
    p.saveAnswers.push_back(file);
    savePlotAs(w, p);
    const std::string bytes = test::ReadFile(file);
    ASSERT_GT(bytes.size(), 22u);
    EXPECT_EQ(bytes.substr(0, 6), std::string("\xD7\xCD\xC6\x9A\x00\x00", 6));
    EXPECT_TRUE(p.messages.empty());

    // A file that cannot be written: the message names it and says why.
    p.saveAnswers.push_back(dir.file("no/such/folder/plot.wmf"));
    savePlotAs(w, p);
    EXPECT_EQ(p.lastMessage().text, "Write error ! Cannot write the data to disk.\n\n" +
                                        dir.file("no/such/folder/plot.wmf") + ": No such file or directory");
    EXPECT_EQ(p.lastMessage().caption, "ZEBStat: Information");
    EXPECT_EQ(p.lastMessage().icon, MsgIcon::Stop);
}

// The format follows the name: SVG is drawn by the core, PNG and PDF by the
// writers the view gives; any other name is a metafile as before.
TEST(ChartCommands, SaveOffersSvgPngAndPdfBesideTheMetafile) {
    ScriptedPlatform p;
    PlotWindow w(p);
    Fill(w);
    test::TempDir dir;
    std::vector<std::string> drawn;
    ChartFileWriters writers;
    writers.png = [&](const std::string& path, const ChartInputs&) {
        drawn.push_back("png " + path);
        return WriteFileAtomically(path, std::string_view("PNG"));
    };
    writers.pdf = [&](const std::string& path, const ChartInputs&) {
        drawn.push_back("pdf " + path);
        return WriteResult::Failure(ENOSPC, "disk full");
    };
    for (const char* name : {"a.svg", "b.PNG", "c.pdf", "d", "e.Wmf", "f.txt"}) p.saveAnswers.push_back(dir.file(name));
    for (int i = 0; i < 6; ++i) savePlotAs(w, p, writers);
    ASSERT_EQ(p.saveRequests.size(), 6u);
    EXPECT_EQ(p.saveRequests[0].filter,
              "WMF-Files (*.WMF)|*.WMF|SVG-Files (*.svg)|*.svg|PNG-Files (*.png)|*.png|PDF-Files (*.pdf)|*.pdf|");
    EXPECT_EQ(p.saveRequests[0].defaultSuffixes, (std::vector<std::string>{"", "svg", "png", "pdf"}));
    EXPECT_EQ(drawn, (std::vector<std::string>{"png " + dir.file("b.PNG"), "pdf " + dir.file("c.pdf")}));
    const std::string svg = test::ReadFile(dir.file("a.svg"));
    EXPECT_NE(svg.find("<svg"), std::string::npos);
    EXPECT_EQ(svg, ChartToSvg(MakeChartInputs(w), w.screenMetrics()));
    EXPECT_EQ(test::ReadFile(dir.file("b.PNG")), "PNG");
    // A failed writer is reported as every other failed write.
    ASSERT_EQ(p.messages.size(), 1u);
    EXPECT_EQ(p.messages[0].text.rfind("Write error ! Most probably because of disk space", 0), 0u) << p.messages[0].text;
    EXPECT_FALSE(std::filesystem::exists(dir.file("c.pdf")));
    for (const char* name : {"d", "e.Wmf", "f.txt"})
        EXPECT_EQ(test::ReadFile(dir.file(name)).substr(0, 4), std::string("\xD7\xCD\xC6\x9A", 4)) << name;
}

TEST(ChartCommands, ASavedMetafileNeverCutsOrReplacesWhatItMayNot) {
    ScriptedPlatform p;
    PlotWindow w(p);
    Fill(w);
    test::TempDir dir;
    const std::string file = dir.file("plot.wmf");
    auto save = [&](const std::string& name) {
        p.messages.clear();
        p.saveAnswers.push_back(name);
        savePlotAs(w, p);
        return p.messages.empty() ? std::string() : p.lastMessage().text;
    };
    test::WriteFile(file, "old picture");
    ::chmod(file.c_str(), 0444);
    EXPECT_EQ(save(file), "Write error ! Cannot write the data to disk.\n\n" + file + ": the file is write-protected");
    EXPECT_EQ(test::ReadFile(file), "old picture");

    ::chmod(file.c_str(), 0644);
    for (WriteStep step : {WriteStep::Write, WriteStep::Close, WriteStep::Rename}) {
        SetWriteFaultHook([step](WriteStep s) { return s == step ? ENOSPC : 0; });
        EXPECT_EQ(save(file), "Write error ! Most probably because of disk space\nbeing expired. Cannot write the "
                              "data to disk.\n\n" + file + ": No space left on device");
        SetWriteFaultHook({});
        EXPECT_EQ(test::ReadFile(file), "old picture");
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);

    std::filesystem::create_symlink("plot.wmf", dir.path() / "link.wmf");
    EXPECT_EQ(save(dir.file("link.wmf")), "");
    EXPECT_TRUE(std::filesystem::is_symlink(dir.path() / "link.wmf"));
    EXPECT_EQ(test::ReadFile(file).substr(0, 4), "\xD7\xCD\xC6\x9A");
}

TEST(ChartCommands, CopyPutsMetafileAndSvgOnTheClipboard) {
    ScriptedPlatform p;
    PlotWindow w(p);
    Fill(w);
    copyPlotToClipboard(w, p);
    ASSERT_GT(p.clipboardWmf.size(), 22u);
    EXPECT_NE(p.clipboardSvg.find("<svg"), std::string::npos);
    p.clipboardAvailable = false;
    copyPlotToClipboard(w, p);
    EXPECT_EQ(p.lastMessage().text, "Could not open clipboard !");
    EXPECT_EQ(p.lastMessage().caption, "ZEB-Stat");
    EXPECT_EQ(p.lastMessage().icon, MsgIcon::Stop);
}

} // namespace
} // namespace zeb
