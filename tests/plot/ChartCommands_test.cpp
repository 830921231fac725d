#include "plot/ChartCommands.h"
#include "plot/TFitF1.h"
#include "platform/ScriptedPlatform.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace zeb {
namespace {

// A calculated window over a small exact Zimm grid.
void Fill(TFitF1& w) {
    MeasurementSet& set = w.set();
    ASSERT_EQ(set.InitMeasurementSet(), 1);
    for (int c = 1; c <= 3; ++c) set.AddConcentration(std::string("/d/ps.sta"), 298.15f, 0.55f, c * 1e-3);
    for (int a = 1; a <= 5; ++a) set.AddQ2(a * 5e9);
    for (int c = 1; c <= 3; ++c)
        for (int a = 1; a <= 5; ++a)
            set.DPSetWert(kCodeKcr, c, a, 1e-6 * (1 + a * 5e9 * 5e-12) + 6e-4 * c * 1e-3, 0, 0);
    w.PostLoadSetup();
    w.OnBerechnungQ1();
    w.OnBerechnungC1();
}

TEST(ChartCommands, SaveWritesAPlaceableMetafileAndCancelWritesNothing) {
    ScriptedPlatform p;
    TFitF1 w(p);
    Fill(w);
    test::TempDir dir;
    ID_BEARBEITEN_PLOTSPEICHERNClick(w, p);  // no answer: the dialog is cancelled
    ASSERT_EQ(p.saveRequests.size(), 1u);
    EXPECT_EQ(p.saveRequests[0].filter, "WMF-Files (*.WMF)|*.WMF|");
    EXPECT_EQ(p.saveRequests[0].initialDir, "/d") << "the folder of the window's data";
    EXPECT_TRUE(p.saveRequests[0].overwritePrompt);
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));

    const std::string file = dir.file("plot.wmf");
    p.saveAnswers.push_back(file);
    ID_BEARBEITEN_PLOTSPEICHERNClick(w, p);
    const std::string bytes = test::ReadFile(file);
    ASSERT_GT(bytes.size(), 22u);
    EXPECT_EQ(bytes.substr(0, 6), std::string("\xD7\xCD\xC6\x9A\x00\x00", 6));
    EXPECT_TRUE(p.messages.empty());

    p.saveAnswers.push_back(dir.file("no/such/folder/plot.wmf"));
    ID_BEARBEITEN_PLOTSPEICHERNClick(w, p);
    EXPECT_EQ(p.lastMessage().text, "Could not create metafile.\nEventually close other applications to free memory.");
    EXPECT_EQ(p.lastMessage().caption, "ZEBStat: Information");
}

TEST(ChartCommands, CopyPutsMetafileAndSvgOnTheClipboard) {
    ScriptedPlatform p;
    TFitF1 w(p);
    Fill(w);
    ID_BEARBEITEN_PLOTKOPIERENClick(w, p);
    ASSERT_GT(p.clipboardWmf.size(), 22u);
    EXPECT_NE(p.clipboardSvg.find("<svg"), std::string::npos);
    p.clipboardAvailable = false;
    ID_BEARBEITEN_PLOTKOPIERENClick(w, p);
    EXPECT_EQ(p.lastMessage().text, "Could not open clipboard !");
    EXPECT_EQ(p.lastMessage().caption, "ZEB-Stat");
    EXPECT_EQ(p.lastMessage().icon, MsgIcon::Stop);
}

} // namespace
} // namespace zeb
