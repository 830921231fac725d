#include "plot/Canvas.h"
#include "plot/PrintLayout.h"

#include <gtest/gtest.h>

namespace zeb {
namespace {

// Every character 10 device units wide, cells 50 high.
TextMeasure FixedMeasure() {
    return {[](const LogFont&, const std::string& s) { return static_cast<int>(s.size()) * 10; },
            [](const LogFont&, const std::string&) { return 50; }};
}

TEST(PrintLayout, PortraitA4At600Dpi) {
    PageMetrics page{4960, 7016, 100, 80};
    const std::string footer = FooterText("Tue Dec  8 04:22:04 2026\n", "/data/a.sta; /data/b.sta");
    EXPECT_EQ(footer, "ZEB-Stat (V 4.22 11/98), printed at Tue Dec  8 04:22:04 2026. Data were from: "
                      "/data/a.sta; /data/b.sta");
    const PageLayout l = LayoutPage(page, footer, FixedMeasure());
    EXPECT_EQ(l.plotWidth, 3968);  // 0.8 PW is narrower than PW - 2.4 offX
    EXPECT_EQ(l.plotLeft, 496);
    EXPECT_EQ(l.footerFont.height, 7016 / 150);
    EXPECT_EQ(l.footerFont.width, 4960 / 180);
    EXPECT_EQ(l.footerLines.size(), 1u) << "1050 units of text fit into 3968";
    EXPECT_EQ(l.footerHeight, 55);
    EXPECT_DOUBLE_EQ(l.topFraction, 0.03) << "2.3·80/7016 is below the minimum";
    EXPECT_EQ(l.chartTop, static_cast<int>(7016 * 0.03));
    EXPECT_EQ(l.chartHeight, static_cast<int>(0.94 * 7016 - 55));
    EXPECT_EQ(l.ruleY, static_cast<int>(0.97 * 7016 - 55));
    EXPECT_EQ(l.ruleRight, static_cast<int>(0.9 * 4960));
    EXPECT_EQ(l.rulePenWidth, 7);
    EXPECT_EQ(l.footerWrapWidth, 3968) << "0.8 PW from a tenth of the page: to the rule's end";
    EXPECT_EQ(l.footerTextTop, l.ruleY) << "the text starts at the rule's y";
    EXPECT_NEAR(l.scale, 3968.0 / 16383.0, 1e-12) << "width is the tighter direction";
}

TEST(PrintLayout, LandscapeWithWideOffsets) {
    PageMetrics page{7016, 4960, 1500, 400};
    std::string footer(900, 'x');  // one long word: cut to the width
    const PageLayout l = LayoutPage(page, footer, FixedMeasure());
    EXPECT_EQ(l.plotWidth, 7016 - 3600);
    EXPECT_EQ(l.plotLeft, 1800);
    EXPECT_EQ(l.footerFont.height, 7016 / 180) << "landscape swaps the footer font's sizes";
    EXPECT_EQ(l.footerFont.width, 4960 / 150);
    // The plot starts at 1.2 offX, right of a tenth of the page: the text
    // wraps where the rule ends (0.9 PW), not 0.8 PW further on, and the room
    // kept for it counts the lines as they are printed.
    EXPECT_EQ(l.footerWrapWidth, static_cast<int>(0.9 * 7016) - 1800);
    EXPECT_EQ(l.footerLines.size(), 2u);
    EXPECT_EQ(l.footerLines[0].size(), 451u);
    EXPECT_LE(l.plotLeft + 10 * static_cast<int>(l.footerLines[0].size()), l.ruleRight);
    EXPECT_DOUBLE_EQ(l.topFraction, 2.3 * 400 / 4960);
    EXPECT_EQ(l.footerHeight, static_cast<int>(2 * 1.1 * 50));
}

TEST(PrintLayout, WordWrapKeepsWordsWhole) {
    const auto lines = WrapToWidth("alpha beta gamma delta", 100, LogFont{}, FixedMeasure());
    EXPECT_EQ(lines, (std::vector<std::string>{"alpha beta", "gamma", "delta"}));
}

TEST(PrintLayout, ResultsCapacity) {
    const ResultsCapacity c = ResultsLinesPerPage(20000.0, 380, 418, 1500);
    EXPECT_EQ(c.firstPage, (20000 - (13941 + 760)) / 418 - 6);
    EXPECT_EQ(c.furtherPages, (20000 - 1500) / 418 - 3);
}

} // namespace
} // namespace zeb
