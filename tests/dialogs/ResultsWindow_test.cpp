#include "dialogs/ResultsWindow.h"
#include "platform/ScriptedPlatform.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace zeb {
namespace {

ResultsReportParts Zimm() {
    ResultsReportParts parts;
    parts.firstLine = "4.22 11/98";
    parts.secondLine = "Static Light Scattering, results of Zimm-Plot, q²-dep.: 1,  c-dep.: 1";
    parts.tableLines = {"File           \tConc/(g/dm³)\tMw(app)/(g/mol)\t<S²>(app)/µm²\tRg(app)/nm",
                        "Conc.=0        \t    0.0000\t   2.500e5\t  1.600e-3\t      40.000",
                        "ps1.sta        \t    1.0000\t   2.000e5\t  1.500e-3\t      38.730"};
    parts.closingText = "Mw(c): 2.500e+05 g/mol (± 1.2 %)    Mw(q²): 2.490e+05 g/mol (± 1.3 %)\r\n"
                        "Rg: 4.000e+01 nm (± 2.1 %)    A2: 4.000e-04 mol dm³/g² (± 5.1 %)";
    return parts;
}

TEST(ResultsWindow, ShowsThePiecesOfTheResultsAndTheTableAsAGrid) {
    ResultsWindow r(Zimm());
    EXPECT_EQ(r.firstLine(), "4.22 11/98");
    EXPECT_EQ(r.secondLine(), "Static Light Scattering, results of Zimm-Plot, q²-dep.: 1,  c-dep.: 1");
    EXPECT_EQ(r.tableBlock().substr(0, 5), "File ");
    EXPECT_EQ(r.tableBlock().substr(r.tableBlock().size() - 2), "\r\n");
    EXPECT_EQ(std::count(r.tableBlock().begin(), r.tableBlock().end(), '\n'), 3);
    EXPECT_EQ(r.closingText().substr(0, 6), "Mw(c):");
    EXPECT_EQ(r.rowCount(), 15);  // three table lines, but at least 15 rows
    EXPECT_EQ(r.cell(0, 0), "File           ");
    EXPECT_EQ(r.cell(4, 0), "Rg(app)/nm");
    EXPECT_EQ(r.cell(1, 2), "    1.0000");
    EXPECT_EQ(r.cell(0, 3), "");
}

TEST(ResultsWindow, LongTablesGetARowPerLineAndExtraFieldsAreCut) {
    ResultsReportParts parts;
    parts.firstLine = "v";
    parts.secondLine = "h";
    for (int i = 0; i < 20; ++i) parts.tableLines.push_back("a\tb\tc\td\te\tf\tg");
    parts.closingText = "closing";
    ResultsWindow r(parts);
    EXPECT_EQ(r.rowCount(), 21);
    EXPECT_EQ(r.cell(4, 19), "e");
    EXPECT_EQ(r.cell(0, 20), "");
    EXPECT_EQ(r.closingText(), "closing");
}

TEST(ResultsWindow, NoResultsGiveAnEmptyGrid) {
    ResultsWindow r(ResultsReportParts{});
    EXPECT_EQ(r.firstLine(), "");
    EXPECT_EQ(r.tableBlock(), "");
    EXPECT_EQ(r.rowCount(), 15);
    EXPECT_EQ(r.cell(0, 0), "");
}

TEST(ResultsWindow, WrapsAtNinetyCharactersBeforeTheLastBlank) {
    const std::string line = std::string(80, 'a') + " " + std::string(39, 'b');
    auto lines = ResultsWindow::WrapText(line);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], std::string(80, 'a'));
    EXPECT_EQ(lines[1], std::string(39, 'b'));
    // No blank: all 90 characters; µ counts as one character.
    lines = ResultsWindow::WrapText(std::string(89, 'x') + "µ" + "yz");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], std::string(89, 'x') + "µ");
    EXPECT_EQ(lines[1], "yz");
    // Line ends and leading blanks; a blank as the 90th character keeps the line whole.
    lines = ResultsWindow::WrapText("  first\r\nsecond\n\nthird");
    EXPECT_EQ(lines, (std::vector<std::string>{"first", "second", "", "third"}));
    lines = ResultsWindow::WrapText(std::string(89, 'c') + "  d");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], std::string(89, 'c') + " ");
    EXPECT_EQ(lines[1], "d");
}

TEST(ResultsWindow, CopyLeavesOutTheSecondLineAndConfirms) {
    ScriptedPlatform p;
    ResultsWindow r(Zimm());
    EXPECT_TRUE(r.copyToClipboard(p));
    EXPECT_EQ(p.clipboardText, "4.22 11/98\r\n\r\n" + r.tableBlock() + "\r\n" + r.closingText());
    EXPECT_EQ(p.clipboardText.find("Static Light Scattering"), std::string::npos);
    EXPECT_EQ(p.lastMessage().text, "Results of the calculation are copied to Clipboard.");
    EXPECT_EQ(p.lastMessage().caption, "ZEB-Stat:");
    EXPECT_EQ(p.lastMessage().icon, MsgIcon::Information);
    p.clipboardAvailable = false;
    EXPECT_FALSE(r.copyToClipboard(p));
    EXPECT_EQ(p.lastMessage().text, "Could not open Clipboard !");
    EXPECT_EQ(p.lastMessage().caption, "ZEBstat:");
}

} // namespace
} // namespace zeb
