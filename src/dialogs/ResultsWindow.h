// The results window's logic: the pieces of the results of a calculation (its
// heading lines, the table and the closing result lines); the table as a grid
// of fields; the painted texts wrapped at 90 characters; and the copy to the
// clipboard.
#pragma once

#include "analysis/EvaluationResults.h"

#include <string>
#include <vector>

namespace zeb {

class Platform;

class ResultsWindow {
public:
    static constexpr int kColumns = 5;
    static constexpr int kMinRows = 15;
    static constexpr std::size_t kWrapCharacters = 90;

    explicit ResultsWindow(const ResultsReportParts& report);

    const std::string& firstLine() const { return firstLine_; }
    const std::string& secondLine() const { return secondLine_; }
    const std::string& tableBlock() const { return tableBlock_; }
    const std::string& closingText() const { return closingText_; }

    // Rows of the grid (the header row first); at least 15, empty cells "".
    int rowCount() const { return static_cast<int>(cells_.size()); }
    const std::string& cell(int column, int row) const { return cells_[row][column]; }

    // "Results to &Clipboard": first line, an empty line, the table, an empty
    // line and the closing text; then the confirmation. Returns true when copied.
    bool copyToClipboard(Platform& platform) const;
    std::string clipboardText() const;

    // The section about the uncertainty of the results, from its text (a
    // heading line, a tab-separated table whose first line names the columns,
    // then lines of notes and advice); "" leaves the window without it.
    void setUncertainty(const std::string& text);
    bool hasUncertainty() const { return !uncertaintyCells_.empty(); }
    const std::string& uncertaintyHeading() const { return uncertaintyHeading_; }
    // Rows of the section's table, the header row first.
    int uncertaintyRowCount() const { return static_cast<int>(uncertaintyCells_.size()); }
    const std::string& uncertaintyCell(int column, int row) const { return uncertaintyCells_[row][column]; }
    const std::vector<std::string>& uncertaintyNotes() const { return uncertaintyNotes_; }

    // The window's wrapping of a painted text into lines of at most `width` characters.
    static std::vector<std::string> WrapText(const std::string& text, std::size_t width = kWrapCharacters);

private:
    std::string firstLine_, secondLine_, tableBlock_, closingText_;
    std::vector<std::vector<std::string>> cells_;
    std::string uncertaintyHeading_;
    std::vector<std::vector<std::string>> uncertaintyCells_;
    std::vector<std::string> uncertaintyNotes_;
};

} // namespace zeb
