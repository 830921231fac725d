// The manifest of a series: rows and their options, what refuses the whole
// manifest (with its line) and what only its row.
#include "series/SeriesManifest.h"

#include <gtest/gtest.h>

namespace zeb {
namespace {

TEST(SeriesManifest, RowsWithTheirFilesAndOptions) {
    const std::string text =
        "\xEF\xBB\xBFgroup,files,plot,q_order,c_order,smooth,weight,k\n"
        "# a comment, and a blank line\n"
        "\n"
        "PS 1,a.sta;b.sta,berry,2,1,yes,no,2.5\r\n"
        "\"PS, 2\",\" c.plx \",,,,,,\n"
        "\"multi\nline\",/abs/d.asc,d1,0,5,off,on,\n";
    const ManifestParse p = ParseSeriesManifest(text, "/data");
    ASSERT_TRUE(p.ok()) << p.error;
    ASSERT_EQ(p.entries.size(), 3u);
    const SeriesEntry& a = p.entries[0];
    EXPECT_EQ(a.group, "PS 1");
    EXPECT_EQ(a.files, (std::vector<std::string>{"/data/a.sta", "/data/b.sta"}));
    EXPECT_EQ(a.options.plotType, PlotType::Berry);
    EXPECT_EQ(a.options.qOrder, FitOrder::Two);
    EXPECT_EQ(a.options.cOrder, FitOrder::One);
    EXPECT_EQ(a.options.smoothing, Smoothing::On);
    EXPECT_EQ(a.options.weighting, Weighting::Off);
    EXPECT_EQ(a.options.kDisplayed, 2.5);
    EXPECT_EQ(a.line, 4u);
    const SeriesEntry& b = p.entries[1];
    EXPECT_EQ(b.group, "PS, 2");
    EXPECT_EQ(b.files, (std::vector<std::string>{"/data/c.plx"}));
    EXPECT_FALSE(b.options.plotType || b.options.qOrder || b.options.smoothing || b.options.kDisplayed);
    EXPECT_TRUE(b.problem.empty());
    const SeriesEntry& c = p.entries[2];
    EXPECT_EQ(c.group, "multi\nline");
    EXPECT_EQ(c.files, (std::vector<std::string>{"/abs/d.asc"}));
    EXPECT_EQ(c.options.cOrder, FitOrder::Five);
    EXPECT_EQ(c.line, 6u);
    // Only the two needed columns, in another order.
    const ManifestParse minimal = ParseSeriesManifest("files,group\nx.sta,X\n", "");
    ASSERT_TRUE(minimal.ok());
    EXPECT_EQ(minimal.entries[0].files, (std::vector<std::string>{"x.sta"}));
}

TEST(SeriesManifest, AMalformedTableIsRefusedAsAWhole) {
    const struct {
        const char* text;
        const char* error;
    } cases[] = {
        {"", "the manifest is empty"},
        {"# only a comment\n", "the manifest is empty"},
        {"group,files,colour\nA,a.sta,red\n", "line 1: unknown column \"colour\""},
        {"group,plot\nA,zimm\n", "the columns \"group\" and \"files\" are needed"},
        {"group,files,group\nA,a.sta,B\n", "the column \"group\" is named twice"},
        {"group,files\nA,a.sta\nB,b.sta,zimm\n", "line 3: 3 fields where the first line names 2 columns"},
        {"group,files\n\"A,a.sta\n", "line 2: a quoted field is not closed"},
        {"group,files\n\"A\"x,a.sta\n", "line 2: text after a quoted field"},
    };
    for (const auto& c : cases) {
        const ManifestParse p = ParseSeriesManifest(c.text, "");
        EXPECT_FALSE(p.ok()) << c.text;
        EXPECT_NE(p.error.find(c.error), std::string::npos) << p.error;
        EXPECT_TRUE(p.entries.empty());
    }
    const std::string binary("group,files\nA,a\0.sta\n", 21);
    EXPECT_NE(ParseSeriesManifest(binary, "").error.find("it holds a NUL byte"), std::string::npos);
}

TEST(SeriesManifest, ValuesThatCannotBeTakenFailTheirRowOnly) {
    const ManifestParse p = ParseSeriesManifest(
        "group,files,plot,q_order,smooth,k\n"
        "A,a.sta,debye,,,\n"
        "B,b.sta,,7,,\n"
        "C,c.sta,,,maybe,\n"
        "D,d.sta,,,,fast\n"
        ",e.sta,,,,\n"
        "F,;,,,,\n"
        "G,g.sta,,,,\n"
        "G,h.sta,,,,\n",
        "");
    ASSERT_TRUE(p.ok()) << p.error;
    const char* problems[] = {"plot must be zimm, berry, guinier, d1, d2 or d3, not \"debye\"",
                              "q_order must be 0..5, not \"7\"",
                              "smooth must be yes or no, not \"maybe\"",
                              "k needs a number, not \"fast\"",
                              "the group has no name",
                              "the group names no files",
                              "",
                              "the group name \"G\" is used by an earlier row"};
    ASSERT_EQ(p.entries.size(), std::size(problems));
    for (std::size_t i = 0; i < p.entries.size(); ++i) EXPECT_EQ(p.entries[i].problem, problems[i]) << i;
}

} // namespace
} // namespace zeb
