// Printing a plot window on a recorded printer: which pages come out, where
// the results block, the continuation titles and the footers go.
#include "dialogs/FormFactorParametersDialog.h"
#include "platform/ScriptedPlatform.h"
#include "plot/PlotLayout.h"
#include "plotwindow/PrintJob.h"
#include "plot/RecordingCanvas.h"
#include "plotwindow/PlotWindow.h"
#include "plotwindow/PlotWindowChart.h"
#include "support/SyntheticSets.h"

#include <gtest/gtest.h>

#include <deque>

namespace zeb {
namespace {

// A printer that records what each page receives on its chart canvas (logical
// units) and on its device canvas.
struct RecordedPrinter : PrintDevice {
    PageMetrics page{4960, 7016, 100, 80};  // A4 portrait at 600 dpi
    struct Page {
        RecordingCanvas chart;
        RecordingCanvas device;
    };
    std::deque<Page> pages = std::deque<Page>(1);
    std::vector<PageLayout> layouts;

    PageMetrics metrics() override { return page; }
    TextMeasure measure() override {
        return {[](const LogFont& f, const std::string& s) { return EstimateTextExtent(f, s).width; },
                [](const LogFont& f, const std::string& s) { return EstimateTextExtent(f, s).height; }};
    }
    void withChartCanvas(const PageLayout& l, const std::function<void(Canvas&)>& draw) override {
        layouts.push_back(l);
        draw(pages.back().chart);
    }
    void withDeviceCanvas(const std::function<void(Canvas&)>& draw) override { draw(pages.back().device); }
    void newPage() override { pages.emplace_back(); }

    // Texts of a page drawn left-aligned at x, in drawing order.
    static std::vector<const CanvasOp*> TextsAt(const RecordingCanvas& c, int x) {
        std::vector<const CanvasOp*> out;
        for (const CanvasOp* op : c.ofKind(CanvasOp::Text))
            if (op->points[0].x == x) out.push_back(op);
        return out;
    }
};

struct PrintWindow {
    ScriptedPlatform platform;
    PlotWindow w{platform};
    PrintWindow() {
        test::FillModelSet(w.set(), 4, 6, test::ModelParams{});
        w.PostLoadSetup();
        w.setQOrder(FitOrder::One);
        w.setCOrder(FitOrder::One);
        w.plotSettings().sampleName = "PS 2 Mio in toluene";
    }
    PrintContent content() const { return MakePrintContent(w, "Tue Dec  8 04:22:04 2026\n", false); }
};

// A results text with `rows` table lines after the column header.
ResultsReportParts ResultsText(int rows) {
    ResultsReportParts t;
    t.firstLine = "4.22 11/98";
    t.secondLine = "Static Light Scattering, results of Zimm-Plot, q²-dep.: 1,  c-dep.: 1";
    t.tableLines.push_back("File           \tConc/(g/dm³)\tMw(app)/(g/mol)\t<S²>(app)/µm²\tRg(app)/nm");
    for (int i = 1; i <= rows; ++i) t.tableLines.push_back("row" + std::to_string(i) + "\t1.0000\t5.0e5\t1.6e-3\t40.0");
    t.closingText = "Mw(c): 5.00e5 g/mol (± 1 %)    Mw(q²): 5.00e5 g/mol (± 1 %)\r\nRg: 40.0 nm (± 2 %)    A2: 5.0e-4";
    return t;
}

TEST(PrintJob, WithoutPrintedResultsAPageHoldsOnlyTheChart) {
    PrintWindow x;
    x.w.plotSettings().printResults = 0;
    RecordedPrinter printer;
    EXPECT_EQ(PrintDocument(printer, x.content()), 1);
    ASSERT_EQ(printer.pages.size(), 1u);
    EXPECT_FALSE(printer.pages[0].chart.ofKind(CanvasOp::Polyline).empty()) << "the frame";
    EXPECT_TRUE(printer.pages[0].device.ops().empty()) << "no footer";
    EXPECT_EQ(printer.pages[0].chart.findText("Conc/(g/dm³)"), nullptr) << "no results table";
    // The chart's logical space goes into the layout's rectangle.
    const PageLayout& l = printer.layouts.at(0);
    EXPECT_EQ(l.chartLeft, 496);
    EXPECT_EQ(l.chartTop, 210);
}

TEST(PrintJob, OnePageWithResultsTabStopsAndFooter) {
    PrintWindow x;
    RecordedPrinter printer;
    const PrintContent content = x.content();
    EXPECT_EQ(PrintDocument(printer, content), 1);
    ASSERT_EQ(printer.pages.size(), 1u);
    const RecordingCanvas& chart = printer.pages[0].chart;

    // Under the chart: the sample name, then the heading (version line and plot header).
    std::vector<const CanvasOp*> texts;
    for (const CanvasOp* op : RecordedPrinter::TextsAt(chart, 200))
        if (op->points[0].y > kLogicalHeight) texts.push_back(op);
    ASSERT_GE(texts.size(), 4u);
    const CanvasOp* sample = texts[0];
    EXPECT_EQ(sample->text, "PS 2 Mio in toluene");
    const CanvasOp* version = texts[1];
    EXPECT_EQ(version->text, "4.22 11/98");
    const int pitch = version->points[0].y - sample->points[0].y;
    EXPECT_GT(pitch, 0);
    EXPECT_EQ(sample->state.font.height, 380);
    EXPECT_EQ(sample->state.font.weight, 400);
    const CanvasOp* header = texts.at(3);
    EXPECT_EQ(header->text, "File           ");
    ASSERT_NE(header, nullptr);
    const CanvasOp* conc = chart.findText("Conc/(g/dm³)");
    ASSERT_NE(conc, nullptr);
    EXPECT_EQ(conc->points[0].y, header->points[0].y);
    EXPECT_GT(conc->points[0].x, header->points[0].x) << "the second field at a tab stop";
    const CanvasOp* rowZero = texts.at(4);
    EXPECT_EQ(rowZero->text.rfind("Conc.=0", 0), 0u);
    EXPECT_EQ(rowZero->points[0].y - header->points[0].y, pitch);

    // The closing lines one line below the table.
    const CanvasOp* closing = nullptr;
    for (const CanvasOp* op : texts)
        if (op->text.rfind("Mw(c)", 0) == 0) closing = op;
    ASSERT_NE(closing, nullptr);
    int lastTableY = 0;
    for (const CanvasOp* op : texts)
        if (op != closing && op->points[0].y < closing->points[0].y) lastTableY = std::max(lastTableY, op->points[0].y);
    EXPECT_EQ(closing->points[0].y - lastTableY, 2 * pitch);

    // The footer in device units: the rule, then the text from the plot's left edge.
    const RecordingCanvas& device = printer.pages[0].device;
    const auto lines = device.ofKind(CanvasOp::Line);
    ASSERT_EQ(lines.size(), 1u);
    const PageLayout& l = printer.layouts.at(0);
    EXPECT_EQ(lines[0]->points[0], (CanvasPoint{l.plotLeft, l.ruleY}));
    EXPECT_EQ(lines[0]->points[1], (CanvasPoint{static_cast<int>(0.9 * 4960), l.ruleY}));
    EXPECT_EQ(lines[0]->state.penWidth, 7016 / 1000);
    const auto footer = device.ofKind(CanvasOp::Text);
    ASSERT_FALSE(footer.empty());
    EXPECT_EQ(footer[0]->text.rfind("ZEB-Stat (V 4.22 11/98), printed at Tue Dec  8 04:22:04 2026. Data were from: ", 0),
              0u);
    // Top-aligned at the rule's y, from the plot's left edge.
    EXPECT_EQ(footer[0]->points[0], (CanvasPoint{l.plotLeft, l.ruleY}));
    EXPECT_EQ(footer[0]->state.font.height, 7016 / 150);
    // Nothing of the results reaches the footer.
    const int rule = static_cast<int>(l.LogicalY(l.ruleY));
    for (const CanvasOp* op : texts) EXPECT_LT(op->points[0].y + pitch, rule) << op->text;
}

TEST(PrintJob, ALongTableContinuesOnFurtherPages) {
    PrintWindow x;
    RecordedPrinter printer;
    PrintContent content = x.content();
    content.results = ResultsText(120);
    const int pages = PrintDocument(printer, content);
    ASSERT_EQ(static_cast<std::size_t>(pages), printer.pages.size());
    ASSERT_GE(pages, 3);
    const std::string title = "ZEB-Stat: Printing Results PS 2 Mio in toluene - Continuation";
    int next = 1;  // every row exactly once, in order
    for (int p = 0; p < pages; ++p) {
        const RecordingCanvas& chart = printer.pages[static_cast<std::size_t>(p)].chart;
        const CanvasOp* cont = chart.findText(title);
        if (p == 0) {
            EXPECT_EQ(cont, nullptr);
        } else {
            ASSERT_NE(cont, nullptr) << "page " << p + 1;
            EXPECT_EQ(chart.ofKind(CanvasOp::Polyline).size(), 0u) << "no chart on a continuation page";
        }
        EXPECT_EQ(printer.pages[static_cast<std::size_t>(p)].device.ofKind(CanvasOp::Line).size(), 1u)
            << "a footer on page " << p + 1;
        const int rule = static_cast<int>(printer.layouts.back().LogicalY(printer.layouts.back().ruleY));
        for (const CanvasOp* op : chart.ofKind(CanvasOp::Text)) {
            EXPECT_LT(op->points[0].y, rule);
            if (op->text == "row" + std::to_string(next)) {
                ++next;
            } else {
                EXPECT_NE(op->text.rfind("row", 0), 0u) << op->text << " out of order on page " << p + 1;
            }
        }
        if (p > 0) {
            EXPECT_EQ(cont->points[0].y, chart.ofKind(CanvasOp::Text).front()->points[0].y);
        }
    }
    EXPECT_EQ(next, 121);
    EXPECT_NE(printer.pages.back().chart.findText("Rg: 40.0 nm (± 2 %)    A2: 5.0e-4"), nullptr);
}

TEST(PrintJob, ASmallPageStartsTheResultsOnTheNextPage) {
    PrintWindow x;
    RecordedPrinter printer;
    printer.page = {2000, 1000, 0, 0};  // wide: the chart takes the page's height
    PrintContent content = x.content();
    content.results = ResultsText(3);
    const int pages = PrintDocument(printer, content);
    ASSERT_GE(pages, 2);
    EXPECT_EQ(printer.pages[0].chart.findText("row1"), nullptr);
    EXPECT_NE(printer.pages[1].chart.findText("ZEB-Stat: Printing Results PS 2 Mio in toluene - Continuation"),
              nullptr);
    EXPECT_NE(printer.pages[1].chart.findText("PS 2 Mio in toluene"), nullptr);

    // A page too small for any line still prints every line, one per page at worst.
    RecordedPrinter tiny;
    tiny.page = {200, 60, 0, 0};
    EXPECT_LE(PrintDocument(tiny, content), 20);
}

TEST(PrintJob, AFormFactorPlotPrintsOnlyTheFooter) {
    PrintWindow x;
    x.w.toggleFormFactorModel(kModelCoilMono);
    x.platform.dialogScripts.push_back([](ModalDialog& d) { dynamic_cast<FormFactorParametersDialog&>(d).accept(); });
    x.w.showFormFactorPlot(11);
    ASSERT_TRUE(x.w.formFactor().viewShown);
    RecordedPrinter printer;
    EXPECT_EQ(PrintDocument(printer, x.content()), 1);
    EXPECT_EQ(printer.pages[0].chart.findText("Conc/(g/dm³)"), nullptr);
    EXPECT_EQ(printer.pages[0].device.ofKind(CanvasOp::Line).size(), 1u);
}

TEST(PrintJob, MonochromePrintersDrawBlackCurves) {
    PrintWindow x;
    x.w.toggleFormFactorModel(kModelCoilMono);
    x.platform.dialogScripts.push_back([](ModalDialog& d) { dynamic_cast<FormFactorParametersDialog&>(d).accept(); });
    x.w.showFormFactorPlot(11);
    for (bool mono : {false, true}) {
        RecordedPrinter printer;
        PrintDocument(printer, MakePrintContent(x.w, "", mono));
        bool red = false;
        for (const CanvasOp& op : printer.pages[0].chart.ops())
            if (op.kind != CanvasOp::Text && op.state.penColor == BuiltInLine(3).color) red = true;
        EXPECT_EQ(red, !mono);
    }
}

TEST(PrintJob, TabStops) {
    // Stops at 200 + i·1000 for T = 5000; a field that runs past a stop takes the next one.
    EXPECT_EQ(TabbedFieldPositions({100, 100, 100}, 200, 5000), (std::vector<int>{200, 1200, 2200}));
    EXPECT_EQ(TabbedFieldPositions({1500, 10, 0, 10}, 200, 5000), (std::vector<int>{200, 2200, 3200, 4200}));
    EXPECT_EQ(TabbedFieldPositions({0, 0, 0, 0, 0, 0}, 200, 5000),
              (std::vector<int>{200, 1200, 2200, 3200, 4200, 5200})) << "beyond the four stops, on in steps of T/5";
    EXPECT_EQ(TabbedFieldPositions({1000, 5}, 200, 5000), (std::vector<int>{200, 2200})) << "a text ending on a stop";
}

TEST(PrintJob, ContentOfAWindow) {
    PrintWindow x;
    x.w.set().sourceName[2] = "/data/b.sta";
    const PrintContent c = x.content();
    EXPECT_TRUE(c.printResults);
    EXPECT_EQ(c.sampleName, "PS 2 Mio in toluene");
    EXPECT_NE(c.footerText.find("printed at Tue Dec  8 04:22:04 2026. Data were from: "), std::string::npos);
    EXPECT_NE(c.footerText.find("/data/b.sta"), std::string::npos);
    EXPECT_EQ(c.footerText.find('\n'), std::string::npos);
    const PrintedResults r = SplitResultsForPrint(c.sampleName, ResultsText(2));
    EXPECT_EQ(r.heading, (std::vector<std::string>{"PS 2 Mio in toluene", "4.22 11/98",
                                                   "Static Light Scattering, results of Zimm-Plot, q²-dep.: 1,  c-dep.: 1"}));
    EXPECT_EQ(r.table.size(), 3u);
    EXPECT_EQ(r.closing.size(), 2u);
    EXPECT_EQ(CurrentCtime().size(), 24u);
}

} // namespace
} // namespace zeb
