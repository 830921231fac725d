// Export of the exchange block and the paste: q² matching, the limits of the
// window (concentration index 99, angle index 135, as for files, so that a
// window can be saved and loaded again) and refusals that leave the receiving
// set exactly as it was.
#include "texts/ExportTexts.h"
#include "support/TestSupport.h"
#include "data/PltPlxWriter.h"
#include "data/DataWindow.h"
#include "export/ClipboardExchange.h"
#include "export/ExportFixture.h"
#include "plot/ChosenConcentrations.h"
#include "support/SyntheticSets.h"

#include <gtest/gtest.h>

namespace zeb {
namespace {

struct ClipboardWindow {
    ScriptedPlatform platform;
    MeasurementSet set{platform};
    std::vector<int> chosen;
    ClipboardWindow() { test::FillSmallSet(set); }
    ClipboardWindow(int nc, int na, double thetaFrom = 30.0) {
        test::FillModelSet(set, nc, na, test::ModelParams{}, 1.0e-3, thetaFrom, 150.0);
    }
    bool paste(const ExchangeBlock& block) { return PasteExchangeBlock(set, chosen, platform, block); }
};

ExchangeBlock BlockOf(const MeasurementSet& set, const std::vector<int>& concentrations) {
    return *ParseExchangeBlock(BuildExchangeBlock(set, concentrations));
}

// A block of one concentration with the given q² rows, each holding Kc/R.
ExchangeBlock OneConcentration(const std::vector<double>& q2) {
    ExchangeBlock b;
    b.q2PerCm2 = q2;
    ExchangeConcentration c;
    c.concentrationGPerCm3 = 0.004;
    c.sourceName = "pasted.plx";
    for (double v : q2) {
        DataPoint p;
        p.hasData = p.active = p.symbolState = 1;
        p.presence = kHasKcr;
        p.q2 = v;
        p.kcr = 1e-6;
        c.rows.push_back(p);
    }
    b.concentrations.push_back(c);
    return b;
}

TEST(ExchangeExport, PutsTheChosenMeasuredConcentrationsOnTheClipboard) {
    ClipboardWindow w;
    ASSERT_TRUE(ExportExchangeBlock(w.set, {0, 3, 1}, w.platform));
    EXPECT_TRUE(w.platform.messages.empty());
    EXPECT_EQ(w.platform.clipboardBlocks.at("CF_ZEB_STAT_SPECIAL"), BuildExchangeBlock(w.set, {3, 1}));
}

TEST(ExchangeExport, RefusalsLeaveTheClipboardAsItWas) {
    ClipboardWindow w;
    const std::vector<std::uint8_t> before = {1, 2, 3};
    w.platform.clipboardBlocks["CF_ZEB_STAT_SPECIAL"] = before;
    EXPECT_FALSE(ExportExchangeBlock(w.set, {0}, w.platform));
    EXPECT_EQ(w.platform.lastMessage().text, "No extrapolated values are exported with this function !");
    EXPECT_EQ(w.platform.lastMessage().caption, "ZEB-Stat");
    EXPECT_EQ(w.platform.lastMessage().icon, MsgIcon::Stop);
    EXPECT_EQ(w.platform.clipboardBlocks.at("CF_ZEB_STAT_SPECIAL"), before);

    w.platform.clipboardAvailable = false;
    EXPECT_FALSE(ExportExchangeBlock(w.set, {1}, w.platform));
    EXPECT_EQ(w.platform.lastMessage().text, "Could not open Clipboard !");
    EXPECT_EQ(w.platform.lastMessage().caption, "ZEBStat: Information");
    EXPECT_EQ(w.platform.lastMessage().icon, MsgIcon::Stop);
    EXPECT_EQ(w.platform.clipboardBlocks.at("CF_ZEB_STAT_SPECIAL"), before);
}

TEST(ExchangePaste, IntoTheSameWindowAppendsACopyOnTheSameRows) {
    ClipboardWindow w;
    ChosenConcentrations(w.chosen, w.set).add(3);
    w.set.cell(3, 1)->reserved0 = 77;  // the sender's bookkeeping
    const ExchangeBlock block = BlockOf(w.set, {3, 1});
    ASSERT_TRUE(w.paste(block));
    EXPECT_EQ(w.set.lastConcIndex, 5);
    EXPECT_EQ(w.set.lastAngleIndex, 2);
    EXPECT_EQ(w.set.savedConcIndex, 5);
    EXPECT_EQ(w.set.savedAngleIndex, 2);
    EXPECT_EQ(w.chosen, (std::vector<int>{3, 4, 5}));
    EXPECT_EQ(w.set.concentration[4], 0.0035);
    EXPECT_EQ(w.set.viscosity[4], 0.55f);
    EXPECT_EQ(w.set.temperature[5], 298.15f);
    EXPECT_EQ(w.set.sourceName[5], "  /data/a.sta ");
    EXPECT_EQ(w.set.cell(4, 1)->reserved0, 0u);  // never taken over
    DataPoint expected = *w.set.cell(3, 1);
    expected.reserved0 = 0;
    EXPECT_TRUE(test::SameRecord(*w.set.cell(4, 1), expected));
    // The inactive point is the same but for its chosen mark.
    expected = *w.set.cell(1, 2);
    expected.symbolState = 1000;
    EXPECT_TRUE(test::SameRecord(*w.set.cell(5, 2), expected));
    // The new columns' extrapolated cells are fresh.
    EXPECT_EQ(w.set.cell(4, 0)->hasData, 0);
    EXPECT_EQ(w.set.cell(4, 0)->rSample, -1.0);
}

TEST(ExchangePaste, UnmatchedRowsAreAppendedAndLeaveOldColumnsEmptyThere) {
    ClipboardWindow receiver;
    ClipboardWindow sender;
    sender.set.setQ2(1, 1.000001e10);  // differs in the 7th significant digit
    sender.set.setQ2(2, 2.50000004e10);  // only in the 9th: the same row
    ASSERT_TRUE(receiver.paste(BlockOf(sender.set, {3})));
    EXPECT_EQ(receiver.set.lastAngleIndex, 3);
    EXPECT_EQ(receiver.set.q2[3], 1.000001e10);
    EXPECT_EQ(receiver.set.q2[2], 2.5e10);  // a matched row keeps its value
    EXPECT_EQ(receiver.set.cell(4, 3)->kcr, 3e-6);
    EXPECT_EQ(receiver.set.cell(4, 1)->hasData, 0);
    for (int c = 0; c <= 3; ++c) {
        ASSERT_NE(receiver.set.cell(c, 3), nullptr);
        EXPECT_EQ(receiver.set.cell(c, 3)->hasData, 0);
    }

    // Rows added for earlier block rows are not matched again: equal values get a row each.
    ClipboardWindow w;
    ASSERT_TRUE(w.paste(OneConcentration({7e10, 1e10, 7e10})));
    EXPECT_EQ(w.set.lastAngleIndex, 4);
    EXPECT_EQ(w.set.q2[3], 7e10);
    EXPECT_EQ(w.set.q2[4], 7e10);
    EXPECT_EQ(w.set.cell(4, 1)->hasData, 1);
}

TEST(ExchangePaste, ConcentrationIndex99IsTheLast) {
    ClipboardWindow full(98, 3);
    const ExchangeBlock one = OneConcentration({full.set.q2[1]});
    ExchangeBlock two = one;
    two.concentrations.push_back(one.concentrations[0]);

    ClipboardWindow refused(98, 3);
    const std::string before = test::Snapshot(refused.set);
    EXPECT_FALSE(refused.paste(two));
    EXPECT_EQ(refused.platform.lastMessage().text,
              "Could not import clipboard data, as the maximum number of concentration values will be exceeded !");
    EXPECT_EQ(refused.platform.lastMessage().caption, "ZEBStat: Information");
    EXPECT_EQ(refused.platform.lastMessage().icon, MsgIcon::Stop);
    EXPECT_EQ(test::Snapshot(refused.set), before);
    EXPECT_TRUE(refused.chosen.empty());

    ASSERT_TRUE(full.paste(one));
    EXPECT_EQ(full.set.lastConcIndex, 99);
    EXPECT_EQ(full.set.cell(99, 1)->kcr, 1e-6);
    EXPECT_EQ(full.chosen, std::vector<int>{99});
    EXPECT_FALSE(full.paste(one));  // a 100th concentration could not be saved and loaded again
}

TEST(ExchangePaste, AngleIndex135IsTheLast) {
    ClipboardWindow w(2, 134);
    ASSERT_TRUE(w.paste(OneConcentration({9e11})));
    EXPECT_EQ(w.set.lastAngleIndex, 135);
    EXPECT_EQ(w.set.cell(3, 135)->kcr, 1e-6);

    const std::string before = test::Snapshot(w.set);
    EXPECT_FALSE(w.paste(OneConcentration({w.set.q2[5], 9.5e11})));
    EXPECT_EQ(w.platform.lastMessage().text,
              "Could not import clipboard data, as the maximum number of angle values will be exceeded !");
    EXPECT_EQ(w.platform.lastMessage().caption, "ZEBStat: Information");
    EXPECT_EQ(test::Snapshot(w.set), before);

    // Rows that all match still fit.
    EXPECT_TRUE(w.paste(OneConcentration({w.set.q2[135], w.set.q2[1]})));
    EXPECT_EQ(w.set.lastAngleIndex, 135);

    // With both limits passed the angle limit is reported.
    ClipboardWindow both(99, 135);
    ExchangeBlock b = OneConcentration({9e11});
    b.concentrations.push_back(b.concentrations[0]);
    b.q2PerCm2.push_back(9.5e11);
    for (auto& c : b.concentrations) c.rows.push_back(c.rows[0]);
    EXPECT_FALSE(both.paste(b));
    EXPECT_NE(both.platform.lastMessage().text.find("angle values"), std::string::npos);
}

TEST(ExchangePaste, AWindowFilledByPastingIsSavedAndLoadedAgain) {
    ClipboardWindow w(98, 134);
    ASSERT_TRUE(w.paste(OneConcentration({9e11})));
    ASSERT_EQ(w.set.lastConcIndex, 99);
    ASSERT_EQ(w.set.lastAngleIndex, 135);
    test::TempDir dir;
    PltPlxWriteRequest request;
    request.fileName = dir.file("full.plx");
    ASSERT_EQ(WritePltPlxFile(w.platform, w.set, request), kWriteDone);
    ScriptedPlatform platform;
    DataWindow again(platform);
    platform.openAnswers.push_back(*request.fileName);
    again.activate();
    EXPECT_FALSE(again.view().closeRequested) << (platform.messages.empty() ? "" : platform.lastMessage().text);
    EXPECT_EQ(again.set().lastConcIndex, 99);
    EXPECT_EQ(again.set().lastAngleIndex, 135);
    EXPECT_EQ(again.set().cell(99, 135)->kcr, 1e-6);
}

TEST(ExchangePaste, ClipboardWithoutAValidBlockChangesNothing) {
    ClipboardWindow w;
    const std::string before = test::Snapshot(w.set);
    EXPECT_FALSE(PasteFromClipboard(w.set, w.chosen, w.platform));
    EXPECT_EQ(w.platform.lastMessage().text, "No data available !");
    EXPECT_EQ(w.platform.lastMessage().caption, "ZEB-Stat");
    EXPECT_EQ(w.platform.lastMessage().icon, MsgIcon::Stop);

    std::vector<std::uint8_t> block = BuildExchangeBlock(w.set, {1});
    block.pop_back();
    w.platform.clipboardBlocks["CF_ZEB_STAT_SPECIAL"] = block;
    EXPECT_FALSE(PasteFromClipboard(w.set, w.chosen, w.platform));
    EXPECT_EQ(w.platform.lastMessage().text, tx::PasteInvalidBlock);
    EXPECT_EQ(test::Snapshot(w.set), before);
    EXPECT_TRUE(w.chosen.empty());
}

} // namespace
} // namespace zeb
