#include "plotwindow/PrintJob.h"

#include "texts/PlotTexts.h"
#include "dialogs/ResultsWindow.h"
#include "plot/PlotLayout.h"
#include "plotwindow/PlotWindow.h"
#include "plotwindow/PlotWindowChart.h"
#include "plot/TextWrap.h"

#include <algorithm>
#include <ctime>

namespace zeb {

namespace {

constexpr std::size_t kPrintWrap = 90;
constexpr int kResultsLeft = 200;

std::vector<std::string> SplitCrLf(const std::string& block) {
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < block.size();) {
        std::size_t end = block.find("\r\n", start);
        if (end == std::string::npos) end = block.size();
        lines.push_back(block.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

std::vector<std::string> SplitTabs(const std::string& line) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
        if (tab == std::string::npos) return fields;
        start = tab + 1;
    }
}

void DrawFooter(PrintDevice& device, const PageLayout& page, const std::string& footerText) {
    const TextMeasure measure = device.measure();
    const std::vector<std::string> lines = WrapToWidth(footerText, page.footerWrapWidth, page.footerFont, measure);
    device.withDeviceCanvas([&](Canvas& c) {
        c.setPen(page.rulePenWidth, kBlack);
        c.moveTo(page.plotLeft, page.ruleY);
        c.lineTo(page.ruleRight, page.ruleY);
        c.setFont(page.footerFont);
        c.setTextColor(kBlack);
        c.setBackgroundTransparent(true);
        c.setTextAlign(kAlignLeft | kAlignTop);
        int y = page.footerTextTop;
        for (const std::string& line : lines) {
            c.textOut(page.plotLeft, y, line);
            y += page.footerLinePitch;
        }
    });
}

// The results block: lines at a fixed pitch in the chart's logical units,
// pages continued under the continuation title.
class ResultsPrinter {
public:
    ResultsPrinter(PrintDevice& device, const PrintContent& content, const ChartDrawResult& chart)
        : device_(device), content_(content), chart_(chart) {}

    int print() {
        layOut();
        const PrintedResults text = SplitResultsForPrint(content_.sampleName, content_.results);
        const int h = chart_.metrics.layoutLineHeight;
        const ResultsCapacity capacity = ResultsLinesPerPage(ruleLogical_, h, pitch_, chart_.layout.frameTop());
        // A page takes at least one table line, so that a tiny page cannot print forever.
        furtherCapacity_ = std::max(1, capacity.furtherPages);
        int firstCapacity = capacity.firstPage;
        int y = kLogicalHeight + 2 * h;
        if (firstCapacity <= 1) {
            y = continuePage();
            firstCapacity = capacity.furtherPages - 6;
        }
        for (const std::string& line : text.heading) y = textLine(y, line);

        std::size_t next = 0;
        const std::size_t first = static_cast<std::size_t>(std::max(0, firstCapacity));
        for (; next < text.table.size() && next < first; ++next) y = tableLine(y, text.table[next]);
        while (next < text.table.size()) {
            y = continuePage();
            for (int n = 0; n < furtherCapacity_ && next < text.table.size(); ++n, ++next)
                y = tableLine(y, text.table[next]);
        }

        // The closing lines one line lower; on a page of their own when they
        // would reach the footer.
        y += pitch_;
        const int closingBottom = y + static_cast<int>(text.closing.size()) * pitch_;
        if (!text.closing.empty() && closingBottom > ruleLogical_) y = continuePage();
        for (const std::string& line : text.closing) y = textLine(y, line);
        DrawFooter(device_, page_, content_.footerText);
        return pages_;
    }

private:
    void layOut() {
        page_ = LayoutPage(device_.metrics(), content_.footerText, device_.measure());
        ruleLogical_ = static_cast<int>(page_.LogicalY(page_.ruleY));
        device_.withChartCanvas(page_, [&](Canvas& c) {
            c.setFont(ChartTextFont(400));
            pitch_ = std::max(1, static_cast<int>(1.1 * c.textExtent("A123").height));
        });
    }

    // Footer, new page, continuation title from the frame top; returns the y
    // of the next line.
    int continuePage() {
        DrawFooter(device_, page_, content_.footerText);
        device_.newPage();
        ++pages_;
        layOut();
        int y = chart_.layout.frameTop();
        for (const std::string& line : ContinuationTitle(content_.sampleName)) y = textLine(y, line);
        return y + pitch_;
    }

    int textLine(int y, const std::string& text) {
        device_.withChartCanvas(page_, [&](Canvas& c) {
            setTextFont(c);
            c.textOut(kResultsLeft, y, text);
        });
        return y + pitch_;
    }

    int tableLine(int y, const std::string& line) {
        const PlotLayout& l = chart_.layout;
        const int tabWidthT = l.frameLeft() + l.frameWidth() - kResultsLeft;
        device_.withChartCanvas(page_, [&](Canvas& c) {
            setTextFont(c);
            const std::vector<std::string> fields = SplitTabs(line);
            std::vector<int> widths;
            for (const std::string& f : fields) widths.push_back(c.textExtent(f).width);
            const std::vector<int> xs = TabbedFieldPositions(widths, kResultsLeft, tabWidthT);
            for (std::size_t i = 0; i < fields.size(); ++i)
                if (!fields[i].empty()) c.textOut(xs[i], y, fields[i]);
        });
        return y + pitch_;
    }

    static void setTextFont(Canvas& c) {
        c.setFont(ChartTextFont(400));
        c.setTextColor(kBlack);
        c.setBackgroundTransparent(true);
        c.setTextAlign(kAlignLeft | kAlignTop);
    }

    PrintDevice& device_;
    const PrintContent& content_;
    const ChartDrawResult& chart_;
    PageLayout page_;
    int ruleLogical_ = 0;
    int pitch_ = 1;
    int furtherCapacity_ = 1;
    int pages_ = 1;
};

} // namespace

PrintContent MakePrintContent(const PlotWindow& w, const std::string& ctime24, bool monochrome) {
    PrintContent p;
    p.chart = MakeChartInputs(w);
    p.monochrome = monochrome;
    p.printResults = w.plotSettings().printResults == 1;
    p.sampleName = w.plotSettings().sampleName;
    p.results = w.results().report;
    std::string time = ctime24;
    while (!time.empty() && (time.back() == '\n' || time.back() == '\r')) time.pop_back();
    p.footerText = FooterText(time, BuildSourceFileList(w.set()));
    return p;
}

std::string CurrentCtime() {
    const std::time_t now = std::time(nullptr);
    char buf[64] = {};
    if (!ctime_r(&now, buf)) return {};
    std::string s(buf);
    while (!s.empty() && (s.back() == '\n' || s.back() == '\r')) s.pop_back();
    return s;
}

PrintedResults SplitResultsForPrint(const std::string& sampleName, const ResultsReportParts& results) {
    const ResultsWindow parts(results);
    PrintedResults r;
    r.heading.push_back(sampleName);
    // The heading text: the version line and the plot's header line.
    std::string heading = parts.firstLine();
    if (!parts.secondLine().empty()) heading += "\r\n" + parts.secondLine();
    for (std::string& line : WrapText(heading, kPrintWrap)) r.heading.push_back(std::move(line));
    r.table = SplitCrLf(parts.tableBlock());
    r.closing = WrapText(parts.closingText(), kPrintWrap);
    while (!r.closing.empty() && r.closing.back().empty()) r.closing.pop_back();
    return r;
}

std::vector<std::string> ContinuationTitle(const std::string& sampleName) {
    return WrapText(std::string(tx::PrintJobTitle) + " " + sampleName + tx::ContinuationSuffix, kPrintWrap);
}

std::vector<int> TabbedFieldPositions(const std::vector<int>& widths, int x, int tabWidthT) {
    std::vector<int> xs;
    const int step = std::max(1, tabWidthT / 5);
    int end = x;
    for (std::size_t i = 0; i < widths.size(); ++i) {
        int at = x;
        if (i > 0) {
            // The next stop right of the text so far: i·T/5 for i = 1..4, then on in steps of T/5.
            int k = 1;
            auto stop = [&](int n) { return x + (n <= 4 ? n * tabWidthT / 5 : 4 * tabWidthT / 5 + (n - 4) * step); };
            while (stop(k) <= end) ++k;
            at = stop(k);
        }
        xs.push_back(at);
        end = at + std::max(0, widths[i]);
    }
    return xs;
}

int PrintDocument(PrintDevice& device, const PrintContent& content) {
    const PageLayout page = LayoutPage(device.metrics(), content.footerText, device.measure());
    ChartDrawResult drawn;
    device.withChartCanvas(page, [&](Canvas& c) {
        ChartOptions options;
        options.target = ChartTarget::Printer;
        options.monochrome = content.monochrome;
        drawn = DrawChart(c, content.chart, options);
    });
    // Without printed results a page holds only the chart.
    if (!content.printResults) return 1;
    if (content.chart.formFactor) {
        DrawFooter(device, page, content.footerText);
        return 1;
    }
    return ResultsPrinter(device, content, drawn).print();
}

} // namespace zeb
