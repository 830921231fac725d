// The printed page: where the chart goes on a printer page of given metrics,
// the footer with its rule, and how many lines of the results table fit on the
// first and on every further page. Pure functions of the page metrics; the
// print command feeds them the printer's numbers.
#pragma once

#include "settings/LogFont.h"

#include <functional>
#include <string>
#include <vector>

namespace zeb {

struct PageMetrics {
    int pageWidth = 0;   // PW, physical, device units
    int pageHeight = 0;  // PH
    int offsetX = 0;     // physical offsets of the printable area
    int offsetY = 0;
};

// Measures a text in a font, in device units: width of the text and the
// height of its cell.
struct TextMeasure {
    std::function<int(const LogFont&, const std::string&)> width;
    std::function<int(const LogFont&, const std::string&)> height;
};

struct PageLayout {
    int plotLeft = 0;
    int plotWidth = 0;
    double topFraction = 0;  // t
    LogFont footerFont;
    std::vector<std::string> footerLines;
    int footerLinePitch = 0;  // trunc(1.1 · height of "123Abc")
    int footerHeight = 0;
    // The rectangle the logical space is fitted into (equal scale, anchored top left).
    int chartLeft = 0, chartTop = 0, chartWidth = 0, chartHeight = 0;
    // The footer rule from (plotLeft, ruleY) to (ruleRight, ruleY), PH/1000 wide.
    int ruleY = 0;
    int ruleRight = 0;
    int rulePenWidth = 0;
    // The footer text: wrapped to trunc(0.8 · PW), but never beyond the rule's
    // end (with wide printer offsets 0.8 · PW from the plot's left edge would
    // run off the page), its cells starting at the rule's y.
    int footerWrapWidth = 0;
    int footerTextTop = 0;
    // Device units per logical unit of the fitted chart.
    double scale = 0;
    double LogicalY(int deviceY) const { return scale > 0 ? (deviceY - chartTop) / scale : 0.0; }
};

// "ZEB-Stat (V 4.22 11/98), printed at <ctime>. Data were from: " + the files.
std::string FooterText(const std::string& ctime24, const std::string& sourceFiles);

PageLayout LayoutPage(const PageMetrics& page, const std::string& footerText, const TextMeasure& measure);

// Word wrap to a width in device units (long words are broken).
std::vector<std::string> WrapToWidth(const std::string& text, int width, const LogFont& font,
                                     const TextMeasure& measure);

// Results table lines per page: the first page from y0 = 13941 + 2h down to
// the footer rule, further pages from the frame top; both in logical units.
struct ResultsCapacity {
    int firstPage = 0;
    int furtherPages = 0;
};
ResultsCapacity ResultsLinesPerPage(double ruleLogicalY, int textLineHeight, int linePitch, int frameTop);

} // namespace zeb
