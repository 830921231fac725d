// The results text, byte for byte in its fixed parts.
#include "analysis/NumberText.h"
#include "analysis/ResultsReport.h"
#include "data/RoundSig.h"
#include "evaluation/Evaluation.h"
#include "support/SyntheticSets.h"

#include <gtest/gtest.h>

#include <regex>

namespace zeb {
namespace {

// A loaded model set (1 % scatter unless the model has its own) and its evaluations.
struct Report {
    test::ModelSet loaded;
    explicit Report(int nc = 3, int na = 5, test::ModelParams m = {}) : loaded(nc, na, Scattered(m)) {}
    static test::ModelParams Scattered(test::ModelParams m) {
        m.noise = m.noise == 0.0 ? 0.01 : m.noise;
        return m;
    }
    MeasurementSet& set() { return loaded.set; }
    Evaluation evaluate(FitOrder q, FitOrder c, PlotType type = PlotType::Zimm, Smoothing smoothing = Smoothing::Off,
                        Weighting weighting = Weighting::Off) const {
        EvaluationOptions o;
        o.plotType = type;
        o.qOrder = q;
        o.cOrder = c;
        o.smoothing = smoothing;
        o.weighting = weighting;
        return Evaluation(loaded.set, o);
    }
};

TEST(ResultsReport, ZimmWithBothOrdersHasVersionHeaderRowsAndSummary) {
    Report x;
    x.set().sourceName[2] = "C:\\data\\a_very_long_file_name.sta";
    const Evaluation e = x.evaluate(FitOrder::One, FitOrder::One);
    const std::string& t = e.results.text;
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
    EXPECT_TRUE(e.results.anyRow);
    // The pieces the results window and the printout show make up the text.
    const ResultsReportParts& parts = e.results.report;
    EXPECT_EQ(parts.firstLine, "4.22 11/98");
    EXPECT_EQ(parts.secondLine, "Static Light Scattering, results of Zimm-Plot, q²-dep.: 1,  c-dep.: 1");
    ASSERT_EQ(parts.tableLines.size(), 5u);
    EXPECT_EQ(parts.tableLines[2].substr(0, 15), "sample1.sta   \t");
    EXPECT_EQ(parts.closingText.substr(0, 7), "Mw(c): ");
    EXPECT_EQ(JoinResultsReport(parts), t);
    // The percentages are the relative errors rounded to two places and printed shortest.
    const auto& p = e.results.relErrPercent;
    ASSERT_TRUE(p[0] && p[1] && p[2] && p[3]);
    const std::string p1 = CleanNumber(Gcvt6(RoundSig(*p[0], 2)));
    EXPECT_NE(t.find("g/mol (± " + p1 + " %)    Mw(q²)"), std::string::npos) << p1;
}

TEST(ResultsReport, WithoutCOrderOnlyRowsAndAnEmptyLine) {
    const Evaluation e = Report().evaluate(FitOrder::Two, FitOrder::None);
    const std::string& t = e.results.text;
    EXPECT_NE(t.find(" q²-dep.: 2,  c-dep.: 0\r\n"), std::string::npos);
    ASSERT_GE(t.size(), 4u);
    EXPECT_EQ(t.substr(t.size() - 4), "\r\n\r\n");  // last row, then CR LF and the empty Mw(c) line
    EXPECT_EQ(t.find("(±"), std::string::npos);
    EXPECT_EQ(t.find("Conc.=0"), std::string::npos);  // no c -> 0 line without angle fits
    EXPECT_EQ(e.results.lines[0], "");
    EXPECT_EQ(e.results.lines[1], "");
    EXPECT_TRUE(e.messages.empty());
}

TEST(ResultsReport, SmoothedAndNegativeRadius) {
    Report x(3, 6);
    // Concentration 2 falls with q²: its <S²> is negative, its Rg column shows "---".
    MeasurementSet& loaded = x.set();
    for (int a = 1; a <= 6; ++a) loaded.cell(2, a)->kcr = 3.0e-6 - 1e-17 * loaded.q2[a];
    const Evaluation e = x.evaluate(FitOrder::One, FitOrder::One, PlotType::Zimm, Smoothing::On);
    const MeasurementSet& s = e.set;
    const std::string& t = e.results.text;
    EXPECT_NE(t.find(" q²-dep.: 1,  c-dep.: 1 smoothed\r\n"), std::string::npos);
    EXPECT_TRUE(std::regex_search(t, std::regex("sample2\\.sta   \\t    2\\.0000\\t  \\d\\.\\d{3}e5\\t -\\d\\.\\d{3}e-\\d\\t        ---\\r\\n"))) << t;
    EXPECT_EQ(s.appRg[2], -1.0);
    EXPECT_GT(s.appMw[2], 0.0);
}

TEST(ResultsReport, NegativeExtrapolatedS2ShowsSSquaredAndNoPercentage) {
    Report x(3, 6);
    MeasurementSet& s = x.set();
    for (int c = 1; c <= 3; ++c)
        for (int a = 1; a <= 6; ++a) s.cell(c, a)->kcr = 3.0e-6 + 1e-6 * c - 1e-17 * s.q2[a];
    const Evaluation e = x.evaluate(FitOrder::One, FitOrder::One);
    EXPECT_EQ(e.results.labels[2], "<S>²:[µm²]");
    const std::string& rg = e.results.lines[2];
    EXPECT_TRUE(std::regex_match(rg, std::regex("<S>²: -\\d\\.\\d{3}e-\\d\\d µm²"))) << rg;
    EXPECT_EQ(e.results.fieldTexts[2], rg.substr(std::string("<S>²: ").size(), 10));
    EXPECT_FALSE(e.results.rgNm.has_value());
    EXPECT_FALSE(e.results.relErrPercent[2].has_value());
    EXPECT_NE(e.results.text.find("\r\n" + rg + "    A2: "), std::string::npos);
}

// Two concentrations and c order 1: the unweighted q -> 0 line passes exactly
// through its two points, so the errors of Mw(c) and A2 are not known ("---",
// not 0); the c -> 0 line has spare points and keeps its percentages. With
// weighting every error comes from the points' own errors.
TEST(ResultsReport, ErrorsOfALineWithoutSparePointsAreNotKnown) {
    const Report x(2, 5);
    const Evaluation e = x.evaluate(FitOrder::One, FitOrder::One);
    const std::string& t = e.results.text;
    const auto& lines = e.results.lines;
    ASSERT_FALSE(lines[0].empty());
    EXPECT_NE(t.find(lines[0] + " (± --- %)    " + lines[1] + " (± "), std::string::npos) << t;
    EXPECT_EQ(t.find(lines[1] + " (± --- %)"), std::string::npos) << t;
    EXPECT_TRUE(std::regex_search(t, std::regex("Rg: [^\\r]* \\(± [0-9.]+ %\\)    A2: [^\\r]* \\(± --- %\\)$"))) << t;
    const auto& p = e.results.relErrPercent;
    EXPECT_FALSE(p[0].has_value());
    EXPECT_TRUE(p[1].has_value());
    EXPECT_TRUE(p[2].has_value());
    EXPECT_FALSE(p[3].has_value());

    // q order 4 on five angles: now the c -> 0 line has no spare point either.
    const Evaluation e4 = x.evaluate(FitOrder::Four, FitOrder::One);
    const std::string& t4 = e4.results.text;
    std::size_t unknown = 0;
    for (auto at = t4.find("(± --- %)"); at != std::string::npos; at = t4.find("(± --- %)", at + 1)) ++unknown;
    const bool rgShown = e4.results.lines[2].rfind("Rg:", 0) == 0;
    EXPECT_EQ(unknown, rgShown ? 4u : 3u) << t4;
    for (const auto& v : e4.results.relErrPercent) EXPECT_FALSE(v.has_value());

    const Evaluation weighted = x.evaluate(FitOrder::Four, FitOrder::One, PlotType::Zimm, Smoothing::Off, Weighting::On);
    EXPECT_EQ(weighted.results.text.find("(± ---"), std::string::npos) << weighted.results.text;
    for (int i : {0, 1, 3}) EXPECT_TRUE(weighted.results.relErrPercent[static_cast<std::size_t>(i)].has_value());
}

TEST(ResultsReport, DynamicRowsWithUnknownViscosity) {
    Report x(3, 5);
    x.set().viscosity[3] = 0.0f;
    const Evaluation e = x.evaluate(FitOrder::One, FitOrder::One, PlotType::DII);
    const std::string& t = e.results.text;
    const std::string head = "4.22 11/98\r\nDynamic Light Scattering, results of D-II-Plot, q²-dep.: 1,  c-dep.: 1\r\n"
                             "File\tConc/(g/dm³)\tDz(app)/(µm²/s)\tC<S²>(app)/µm²\t   Rh/nm\r\n";
    EXPECT_EQ(t.substr(0, head.size()), head);
    EXPECT_TRUE(std::regex_search(t, std::regex("sample3\\.sta   \\t    3\\.0000\\t  \\d\\.\\d{3}e1\\t  \\d\\.\\d{3}e-3\\t--\\r\\n")))
        << t;
    EXPECT_TRUE(std::regex_search(t, std::regex("sample2\\.sta   \\t    2\\.0000\\t  \\d\\.\\d{3}e1\\t  \\d\\.\\d{3}e-3\\t     \\d\\d\\.\\d{3}\\r\\n")));
    const auto& lines = e.results.lines;
    EXPECT_TRUE(std::regex_match(lines[0], std::regex("Dz\\(c\\): \\d\\.\\d{3}e\\+01 µm²/s")));
    EXPECT_TRUE(std::regex_match(lines[2], std::regex("C<S²>: \\d\\.\\d{3}e-03 µm²")));
    EXPECT_TRUE(std::regex_match(lines[3], std::regex("kD: \\d\\.\\d{3}e-02 dm³/g")));
    EXPECT_EQ(e.results.labels[2], "C<S²>[µm²]:");
    EXPECT_EQ(e.results.labels[3], "kD:[dm³/g]");
}

TEST(ResultsReport, StaticOnlyDataInADynamicPlot) {
    test::ModelParams m;
    m.withDynamic = false;
    const Report x(3, 5, m);
    EXPECT_TRUE(x.evaluate(FitOrder::One, FitOrder::One).results.anyRow);
    const Evaluation e = x.evaluate(FitOrder::One, FitOrder::One, PlotType::DI);
    for (int c = 1; c <= 3; ++c)
        for (int a = 1; a <= 5; ++a) EXPECT_EQ(e.set.cell(c, a)->hasData, 2);
    EXPECT_FALSE(e.results.anyRow);
    EXPECT_EQ(e.results.text.find("sample"), std::string::npos);
    // Both orders chosen and no line: the message of a failed extrapolation.
    ASSERT_FALSE(e.messages.empty());
    EXPECT_EQ(e.messages.back().text,
              "Extrapolation to q = 0 and/or c = 0 not possible ! -\nBecause number of q and/or c values is less "
              "than\nor equal the requested order of fitting polynomials.");
    EXPECT_EQ(e.messages.back().caption, "ZEBStat: Information");
    EXPECT_EQ(e.messages.back().icon, MsgIcon::Stop);
}

} // namespace
} // namespace zeb
