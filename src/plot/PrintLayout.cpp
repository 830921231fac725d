#include "plot/PrintLayout.h"

#include "texts/CommonTexts.h"
#include "texts/PlotTexts.h"
#include "plot/PlotLayout.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace zeb {

std::string FooterText(const std::string& ctime24, const std::string& sourceFiles) {
    char buf[256];
    std::snprintf(buf, sizeof buf, tx::FooterFormat, tx::AppTitle, tx::VersionText, ctime24.substr(0, 24).c_str());
    return buf + sourceFiles;
}

std::vector<std::string> WrapToWidth(const std::string& text, int width, const LogFont& font,
                                     const TextMeasure& measure) {
    std::vector<std::string> lines;
    const std::size_t n = text.size();
    std::size_t pos = 0;
    while (pos < n) {
        // Words are added while the line still fits.
        std::size_t end = pos;
        for (std::size_t scan = pos;;) {
            std::size_t next = text.find(' ', scan);
            if (next == std::string::npos) next = n;
            if (end > pos && measure.width(font, text.substr(pos, next - pos)) > width) break;
            end = next;
            if (next == n) break;
            scan = next + 1;
        }
        std::string line = text.substr(pos, end - pos);
        if (measure.width(font, line) > width) {  // one word wider than the line: cut it
            std::size_t cut = line.size();
            while (cut > 1 && measure.width(font, line.substr(0, cut)) > width) --cut;
            while (cut > 1 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80) --cut;
            line.resize(cut);
            end = pos + cut;
        }
        lines.push_back(line);
        pos = end;
        while (pos < n && text[pos] == ' ') ++pos;
    }
    return lines;
}

PageLayout LayoutPage(const PageMetrics& pg, const std::string& footerText, const TextMeasure& measure) {
    PageLayout l;
    const int PW = pg.pageWidth, PH = pg.pageHeight;
    const int eighty = static_cast<int>(0.8 * PW);
    const int besideOffsets = static_cast<int>(PW - 2.4 * pg.offsetX);
    if (eighty < besideOffsets) {
        l.plotWidth = eighty;
        l.plotLeft = static_cast<int>(0.1 * PW);
    } else {
        l.plotWidth = besideOffsets;
        l.plotLeft = static_cast<int>(1.2 * pg.offsetX);
    }
    l.footerFont.faceName = "Arial";
    l.footerFont.weight = 400;
    if (PH < PW) {
        l.footerFont.height = PW / 180;
        l.footerFont.width = PH / 150;
    } else {
        l.footerFont.height = PH / 150;
        l.footerFont.width = PW / 180;
    }
    l.ruleRight = static_cast<int>(0.9 * PW);
    l.rulePenWidth = PH / 1000;
    // With wide printer offsets the plot starts right of a tenth of the page:
    // the text stops where the rule does.
    l.footerWrapWidth = std::max(1, std::min(eighty, l.ruleRight - l.plotLeft));
    l.footerLines = WrapToWidth(footerText, l.footerWrapWidth, l.footerFont, measure);
    const int h123 = measure.height(l.footerFont, "123Abc");
    l.footerLinePitch = static_cast<int>(1.1 * h123);
    l.footerHeight = static_cast<int>(static_cast<double>(l.footerLines.size()) * 1.1 * h123);
    l.topFraction = PH > 0 ? std::max(2.3 * pg.offsetY / PH, 0.03) : 0.03;
    const double t = l.topFraction;
    l.chartLeft = l.plotLeft;
    l.chartTop = static_cast<int>(PH * t);
    l.chartWidth = l.plotWidth;
    l.chartHeight = static_cast<int>((1 - 2 * t) * PH - l.footerHeight);
    l.scale = std::max(0.0, std::min(static_cast<double>(l.chartWidth) / kLogicalWidth,
                                     static_cast<double>(l.chartHeight) / kLogicalHeight));
    l.ruleY = static_cast<int>((1 - t) * PH - l.footerHeight);
    // The text's cells start at the rule's y: the rule runs through the top of
    // the first line's cells, above the capitals.
    l.footerTextTop = l.ruleY;
    return l;
}

ResultsCapacity ResultsLinesPerPage(double ruleLogicalY, int textLineHeight, int linePitch, int frameTop) {
    ResultsCapacity c;
    if (linePitch <= 0) return c;
    const int R = static_cast<int>(ruleLogicalY);
    const int y0 = kLogicalHeight + 2 * textLineHeight;
    c.firstPage = (R - y0) / linePitch - 6;
    c.furtherPages = std::abs(R - frameTop) / linePitch - 3;
    return c;
}

} // namespace zeb
