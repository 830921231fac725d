// The results text, byte for byte in its fixed parts.
#include "analysis/NumberText.h"
#include "analysis/ResultsReport.h"
#include "data/RoundSig.h"
#include "platform/ScriptedPlatform.h"
#include "plotwindow/PlotWindow.h"
#include "support/SyntheticSets.h"

#include <gtest/gtest.h>

#include <regex>

namespace zeb {
namespace {

struct ReportWindow {
    ScriptedPlatform platform;
    PlotWindow w{platform};
    explicit ReportWindow(int nc = 3, int na = 5, test::ModelParams m = {}) {
        m.noise = m.noise == 0.0 ? 0.01 : m.noise;
        test::FillModelSet(w.set(), nc, na, m);
        w.PostLoadSetup();
    }
};

TEST(ResultsReport, ZimmWithBothOrdersHasVersionHeaderRowsAndSummary) {
    ReportWindow x;
    x.w.set().sourceName[2] = "C:\\data\\a_very_long_file_name.sta";
    x.w.setQOrder(FitOrder::One);
    x.w.setCOrder(FitOrder::One);
    const std::string& t = x.w.resultsText();
    const std::string head =
        "4.22 11/98\r\nStatic Light Scattering, results of Zimm-Plot, q²-dep.: 1,  c-dep.: 1\r\n"
        "File           \tConc/(g/dm³)\tMw(app)/(g/mol)\t<S²>(app)/µm²\tRg(app)/nm\r\n"
        "Conc.=0       \t    0.0000\t";
    ASSERT_EQ(t.substr(0, head.size()), head);
    // Rows: the name cut to 15 characters; cleaned numbers (first blank gone, short exponents).
    const std::regex rows(
        "Conc\\.=0       \\t    0\\.0000\\t  \\d\\.\\d{3}e5\\t  \\d\\.\\d{3}e-3\\t     \\d\\d\\.\\d{3}\\r\\n"
        "sample1\\.sta   \\t    1\\.0000\\t  \\d\\.\\d{3}e5\\t  \\d\\.\\d{3}e-3\\t     \\d\\d\\.\\d{3}\\r\\n"
        "a_very_long_fil\\t   2\\.0000\\t  \\d\\.\\d{3}e5\\t  \\d\\.\\d{3}e-[34]\\t     \\d\\d\\.\\d{3}\\r\\n"
        "sample3\\.sta   \\t    3\\.0000\\t.*\\r\\n"
        "\\r\\n"
        "Mw\\(c\\): \\d\\.\\d{3}e\\+05 g/mol \\(± [0-9.]+ %\\)    Mw\\(q²\\): \\d\\.\\d{3}e\\+05 g/mol \\(± [0-9.]+ %\\)\\r\\n"
        "Rg: \\d\\.\\d{3}e\\+01 nm \\(± [0-9.]+ %\\)    A2: \\d\\.\\d{3}e-07 mol dm³/g² \\(± [0-9.]+ %\\)$");
    EXPECT_TRUE(std::regex_match(t.substr(head.size() - std::string("Conc.=0       \t    0.0000\t").size()), rows))
        << t;
    EXPECT_TRUE(x.w.menuItem(PlotMenuItem::Results).enabled);
    // The pieces the results window and the printout show make up the text.
    const ResultsReportParts& parts = x.w.results().report;
    EXPECT_EQ(parts.firstLine, "4.22 11/98");
    EXPECT_EQ(parts.secondLine, "Static Light Scattering, results of Zimm-Plot, q²-dep.: 1,  c-dep.: 1");
    ASSERT_EQ(parts.tableLines.size(), 5u);
    EXPECT_EQ(parts.tableLines[2].substr(0, 15), "sample1.sta   \t");
    EXPECT_EQ(parts.closingText.substr(0, 7), "Mw(c): ");
    EXPECT_EQ(JoinResultsReport(parts), t);
    // The percentages are the relative errors rounded to two places and printed shortest.
    const auto& p = x.w.results().relErrPercent;
    ASSERT_TRUE(p[0] && p[1] && p[2] && p[3]);
    const std::string p1 = CleanNumber(Gcvt6(RoundSig(*p[0], 2)));
    EXPECT_NE(t.find("g/mol (± " + p1 + " %)    Mw(q²)"), std::string::npos) << p1;
}

TEST(ResultsReport, WithoutCOrderOnlyRowsAndAnEmptyLine) {
    ReportWindow x;
    x.w.setQOrder(FitOrder::Two);
    const std::string& t = x.w.resultsText();
    EXPECT_NE(t.find(" q²-dep.: 2,  c-dep.: 0\r\n"), std::string::npos);
    ASSERT_GE(t.size(), 4u);
    EXPECT_EQ(t.substr(t.size() - 4), "\r\n\r\n");  // last row, then CR LF and the empty Mw(c) line
    EXPECT_EQ(t.find("(±"), std::string::npos);
    EXPECT_EQ(t.find("Conc.=0"), std::string::npos);  // no c -> 0 line without angle fits
    EXPECT_EQ(x.w.resultLines()[0], "");
    EXPECT_EQ(x.w.resultLines()[1], "");
    EXPECT_TRUE(x.platform.messages.empty());
}

TEST(ResultsReport, SmoothedAndNegativeRadius) {
    ReportWindow x(3, 6);
    // Concentration 2 falls with q²: its <S²> is negative, its Rg column shows "---".
    MeasurementSet& s = x.w.set();
    for (int a = 1; a <= 6; ++a) s.cell(2, a)->kcr = 3.0e-6 - 1e-17 * s.q2[a];
    x.w.PreparePoints(1);
    x.w.toggleSmoothing();
    x.w.setQOrder(FitOrder::One);
    x.w.setCOrder(FitOrder::One);
    const std::string& t = x.w.resultsText();
    EXPECT_NE(t.find(" q²-dep.: 1,  c-dep.: 1 smoothed\r\n"), std::string::npos);
    EXPECT_TRUE(std::regex_search(t, std::regex("sample2\\.sta   \\t    2\\.0000\\t  \\d\\.\\d{3}e5\\t -\\d\\.\\d{3}e-\\d\\t        ---\\r\\n"))) << t;
    EXPECT_EQ(s.appRg[2], -1.0);
    EXPECT_GT(s.appMw[2], 0.0);
}

TEST(ResultsReport, NegativeExtrapolatedS2ShowsSSquaredAndNoPercentage) {
    ReportWindow x(3, 6);
    MeasurementSet& s = x.w.set();
    for (int c = 1; c <= 3; ++c)
        for (int a = 1; a <= 6; ++a) s.cell(c, a)->kcr = 3.0e-6 + 1e-6 * c - 1e-17 * s.q2[a];
    x.w.PreparePoints(1);
    x.w.setQOrder(FitOrder::One);
    x.w.setCOrder(FitOrder::One);
    EXPECT_EQ(x.w.widget(PlotWidget::RgLabel).text, "<S>²:[µm²]");
    const std::string& rg = x.w.resultLines()[2];
    EXPECT_TRUE(std::regex_match(rg, std::regex("<S>²: -\\d\\.\\d{3}e-\\d\\d µm²"))) << rg;
    EXPECT_EQ(x.w.widget(PlotWidget::RgField).text, rg.substr(std::string("<S>²: ").size(), 10));
    EXPECT_EQ(x.w.storedRgNm(), -1.0);
    EXPECT_FALSE(x.w.results().relErrPercent[2].has_value());
    EXPECT_NE(x.w.resultsText().find("\r\n" + rg + "    A2: "), std::string::npos);
}

// Two concentrations and c order 1: the unweighted q -> 0 line passes exactly
// through its two points, so the errors of Mw(c) and A2 are not known ("---",
// not 0); the c -> 0 line has spare points and keeps its percentages. With
// weighting every error comes from the points' own errors.
TEST(ResultsReport, ErrorsOfALineWithoutSparePointsAreNotKnown) {
    ReportWindow x(2, 5);
    x.w.setQOrder(FitOrder::One);
    x.w.setCOrder(FitOrder::One);
    const std::string& t = x.w.resultsText();
    const auto& lines = x.w.resultLines();
    ASSERT_FALSE(lines[0].empty());
    EXPECT_NE(t.find(lines[0] + " (± --- %)    " + lines[1] + " (± "), std::string::npos) << t;
    EXPECT_EQ(t.find(lines[1] + " (± --- %)"), std::string::npos) << t;
    EXPECT_TRUE(std::regex_search(t, std::regex("Rg: [^\\r]* \\(± [0-9.]+ %\\)    A2: [^\\r]* \\(± --- %\\)$"))) << t;
    const auto& p = x.w.results().relErrPercent;
    EXPECT_FALSE(p[0].has_value());
    EXPECT_TRUE(p[1].has_value());
    EXPECT_TRUE(p[2].has_value());
    EXPECT_FALSE(p[3].has_value());

    // q order 4 on five angles: now the c -> 0 line has no spare point either.
    x.w.setQOrder(FitOrder::Four);
    const std::string& t4 = x.w.resultsText();
    std::size_t unknown = 0;
    for (auto at = t4.find("(± --- %)"); at != std::string::npos; at = t4.find("(± --- %)", at + 1)) ++unknown;
    const bool rgShown = x.w.resultLines()[2].rfind("Rg:", 0) == 0;
    EXPECT_EQ(unknown, rgShown ? 4u : 3u) << t4;
    for (const auto& v : x.w.results().relErrPercent) EXPECT_FALSE(v.has_value());

    x.w.setWeighting(Weighting::On);
    x.w.calculate();
    EXPECT_EQ(x.w.resultsText().find("(± ---"), std::string::npos) << x.w.resultsText();
    for (int i : {0, 1, 3}) EXPECT_TRUE(x.w.results().relErrPercent[static_cast<std::size_t>(i)].has_value());
}

TEST(ResultsReport, DynamicRowsWithUnknownViscosity) {
    ReportWindow x(3, 5);
    x.w.set().viscosity[3] = 0.0f;
    x.w.setPlotType(PlotType::DII);
    x.w.setQOrder(FitOrder::One);
    x.w.setCOrder(FitOrder::One);
    const std::string& t = x.w.resultsText();
    const std::string head = "4.22 11/98\r\nDynamic Light Scattering, results of D-II-Plot, q²-dep.: 1,  c-dep.: 1\r\n"
                             "File\tConc/(g/dm³)\tDz(app)/(µm²/s)\tC<S²>(app)/µm²\t   Rh/nm\r\n";
    EXPECT_EQ(t.substr(0, head.size()), head);
    EXPECT_TRUE(std::regex_search(t, std::regex("sample3\\.sta   \\t    3\\.0000\\t  \\d\\.\\d{3}e1\\t  \\d\\.\\d{3}e-3\\t--\\r\\n")))
        << t;
    EXPECT_TRUE(std::regex_search(t, std::regex("sample2\\.sta   \\t    2\\.0000\\t  \\d\\.\\d{3}e1\\t  \\d\\.\\d{3}e-3\\t     \\d\\d\\.\\d{3}\\r\\n")));
    const auto& lines = x.w.resultLines();
    EXPECT_TRUE(std::regex_match(lines[0], std::regex("Dz\\(c\\): \\d\\.\\d{3}e\\+01 µm²/s")));
    EXPECT_TRUE(std::regex_match(lines[2], std::regex("C<S²>: \\d\\.\\d{3}e-03 µm²")));
    EXPECT_TRUE(std::regex_match(lines[3], std::regex("kD: \\d\\.\\d{3}e-02 dm³/g")));
    EXPECT_EQ(x.w.widget(PlotWidget::RgLabel).text, "C<S²>[µm²]:");
    EXPECT_EQ(x.w.widget(PlotWidget::A2Label).text, "kD:[dm³/g]");
}

TEST(ResultsReport, StaticOnlyDataInADynamicPlot) {
    test::ModelParams m;
    m.withDynamic = false;
    ReportWindow x(3, 5, m);
    x.w.setQOrder(FitOrder::One);
    x.w.setCOrder(FitOrder::One);
    EXPECT_TRUE(x.w.menuItem(PlotMenuItem::Results).enabled);
    EXPECT_FALSE(x.w.menuItem(PlotMenuItem::PlotDI).enabled);
    x.w.setPlotType(PlotType::DI);
    for (int c = 1; c <= 3; ++c)
        for (int a = 1; a <= 5; ++a) EXPECT_EQ(x.w.set().cell(c, a)->hasData, 2);
    EXPECT_FALSE(x.w.results().anyRow);
    EXPECT_FALSE(x.w.menuItem(PlotMenuItem::Results).enabled);
    EXPECT_EQ(x.w.resultsText().find("sample"), std::string::npos);
    // Both orders chosen and no line: the message of a failed extrapolation.
    ASSERT_FALSE(x.platform.messages.empty());
    EXPECT_EQ(x.platform.lastMessage().text,
              "Extrapolation to q = 0 and/or c = 0 not possible ! -\nBecause number of q and/or c values is less "
              "than\nor equal the requested order of fitting polynomials.");
    EXPECT_EQ(x.platform.lastMessage().caption, "ZEBStat: Information");
    EXPECT_EQ(x.platform.lastMessage().icon, MsgIcon::Stop);
}

} // namespace
} // namespace zeb
