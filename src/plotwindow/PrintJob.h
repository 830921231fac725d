// A printed copy of a plot window: the chart in printer mode on the page
// layout of the printer's metrics and, when the window's settings ask for
// printed results, the results report under it (continued on further pages)
// and the page footer with the date and the source files. The printer itself
// is reached through PrintDevice; the Qt side implements it on a QPrinter.
#pragma once

#include "analysis/EvaluationResults.h"
#include "plot/ChartDrawing.h"
#include "plot/PrintLayout.h"

#include <functional>
#include <string>
#include <vector>

namespace zeb {

class PlotWindow;

// One printer document. Canvases are handed out for the time of a drawing
// call: the chart's logical space fitted (equal scale, anchored top left) into
// the layout's chart rectangle, or the page one-to-one in device units.
class PrintDevice {
public:
    virtual ~PrintDevice() = default;
    virtual PageMetrics metrics() = 0;
    // Text sizes in device units.
    virtual TextMeasure measure() = 0;
    virtual void withChartCanvas(const PageLayout& layout, const std::function<void(Canvas&)>& draw) = 0;
    virtual void withDeviceCanvas(const std::function<void(Canvas&)>& draw) = 0;
    virtual void newPage() = 0;
};

struct PrintContent {
    ChartInputs chart;          // refers into the window: print before it changes
    bool monochrome = false;    // a printer of one or two colours
    bool printResults = false;  // "&Print results"
    std::string sampleName;
    ResultsReportParts results;
    std::string footerText;
};

// What a print of the window shows; ctime24 is the time of printing in the C
// library's ctime form (the line end, if any, is dropped).
PrintContent MakePrintContent(const PlotWindow& window, const std::string& ctime24, bool monochrome);

// The current local time in the ctime form, without the line end.
std::string CurrentCtime();

// Prints one copy; returns the number of pages.
int PrintDocument(PrintDevice& device, const PrintContent& content);

// The heading, table lines and closing lines of the results block as printed.
struct PrintedResults {
    std::vector<std::string> heading;  // the sample name, then the heading text wrapped at 90
    std::vector<std::string> table;    // one per line of the table, TAB-separated
    std::vector<std::string> closing;  // wrapped at 90
};
PrintedResults SplitResultsForPrint(const std::string& sampleName, const ResultsReportParts& results);

// The continuation title of further pages, wrapped at 90 characters.
std::vector<std::string> ContinuationTitle(const std::string& sampleName);

// Where the fields of a TAB-separated line start: the first at x, the next ones
// at the next of the tab stops (x + i·T/5, then further multiples of T/5) to
// the right of the end of the text before them.
std::vector<int> TabbedFieldPositions(const std::vector<int>& fieldWidths, int x, int tabWidthT);

} // namespace zeb
