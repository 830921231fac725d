#include "dialogs/ResultsWindow.h"

#include "texts/CommonTexts.h"
#include "texts/ResultsWindowTexts.h"
#include "platform/CodePage.h"
#include "platform/Platform.h"

namespace zeb {

ResultsWindow::ResultsWindow(const ResultsReportParts& report)
    : firstLine_(report.firstLine), secondLine_(report.secondLine), closingText_(report.closingText) {
    const std::vector<std::string>& lines = report.tableLines;
    for (const std::string& line : lines) tableBlock_ += line + "\r\n";
    const std::size_t rows = std::max<std::size_t>(lines.size() + 1, kMinRows);
    cells_.assign(rows, std::vector<std::string>(kColumns));
    for (std::size_t i = 0; i < lines.size(); ++i) {
        // Fields end at TAB, CR or LF; a line with more than five fields shows its first five.
        std::size_t column = 0, start = 0;
        const std::string& line = lines[i];
        while (column < kColumns && start <= line.size()) {
            std::size_t end = line.find_first_of("\t\r\n", start);
            if (end == std::string::npos) end = line.size();
            cells_[i][column++] = line.substr(start, end - start);
            if (end >= line.size() || line[end] != '\t') break;
            start = end + 1;
        }
    }
}

void ResultsWindow::setUncertainty(const std::string& text) {
    uncertaintyHeading_.clear();
    uncertaintyCells_.clear();
    uncertaintyNotes_.clear();
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) end = text.size();
        if (end > start) lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    if (lines.size() < 2) return;
    uncertaintyHeading_ = lines[0];
    std::size_t i = 1;
    for (; i < lines.size() && lines[i].find('\t') != std::string::npos; ++i) {
        std::vector<std::string> row(kColumns);
        std::size_t column = 0, start = 0;
        const std::string& line = lines[i];
        while (column < kColumns) {
            const std::size_t end = std::min(line.find('\t', start), line.size());
            row[column++] = line.substr(start, end - start);
            if (end >= line.size()) break;
            start = end + 1;
        }
        uncertaintyCells_.push_back(std::move(row));
    }
    uncertaintyNotes_.assign(lines.begin() + static_cast<std::ptrdiff_t>(i), lines.end());
}

std::string ResultsWindow::clipboardText() const {
    return firstLine_ + "\r\n\r\n" + tableBlock_ + "\r\n" + closingText_;
}

bool ResultsWindow::copyToClipboard(Platform& platform) const {
    if (!platform.setClipboardText(clipboardText())) {
        platform.inform(tx::CouldNotOpenClipboard, tx::CapResultsClipboardError, MsgIcon::Information);
        return false;
    }
    platform.inform(tx::ResultsCopied, tx::CapResultsCopied, MsgIcon::Information);
    return true;
}

std::vector<std::string> ResultsWindow::WrapText(const std::string& text, std::size_t width) {
    // Work on code points so that "µ" or "²" count as one character.
    std::vector<std::string> chars;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t start = i;
        DecodeUtf8(text, i);
        chars.push_back(text.substr(start, i - start));
    }
    std::vector<std::string> out;
    std::size_t pos = 0;
    const std::size_t n = chars.size();
    auto isBreak = [&](std::size_t k) { return k < n && (chars[k] == "\n" || (chars[k] == "\r" && k + 1 < n && chars[k + 1] == "\n")); };
    while (pos < n) {
        while (pos < n && chars[pos] == " ") ++pos;
        if (pos >= n) break;
        std::size_t k = pos;
        while (k < n && k - pos < width && !isBreak(k)) ++k;
        std::string line;
        if (isBreak(k) || k >= n) {
            for (std::size_t j = pos; j < k; ++j) line += chars[j];
            out.push_back(line);
            if (k < n) k += chars[k] == "\r" ? 2 : 1;
            pos = k;
            continue;
        }
        // 90 characters taken and the text goes on.
        std::size_t end = k;
        if (chars[k - 1] != " ") {
            std::size_t blank = k;
            for (std::size_t j = k; j-- > pos;)
                if (chars[j] == " ") {
                    blank = j;
                    break;
                }
            if (blank != k) end = blank;
        }
        for (std::size_t j = pos; j < end; ++j) line += chars[j];
        out.push_back(line);
        pos = end;
    }
    return out;
}

} // namespace zeb
