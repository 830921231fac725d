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

    // The window's wrapping of a painted text into lines of at most `width` characters.
    static std::vector<std::string> WrapText(const std::string& text, std::size_t width = kWrapCharacters);

private:
    std::string firstLine_, secondLine_, tableBlock_, closingText_;
    std::vector<std::vector<std::string>> cells_;
};

} // namespace zeb
