// The results window: the heading lines and the result lines painted above and
// below a grid of the results table, with OK and "Results to &Clipboard"; with
// an uncertainty text, a section below them: its heading, a grid of the
// intervals and the notes and advice.
#pragma once

#include "dialogs/ResultsWindow.h"

#include <QDialog>

class QTableWidget;

namespace zeb {

class Platform;

class ResultsWindowView : public QDialog {
    Q_OBJECT
public:
    ResultsWindowView(const ResultsReportParts& results, Platform& platform, QWidget* parent = nullptr,
                      const std::string& uncertaintyText = {});
    const ResultsWindow& logic() const { return logic_; }
    QTableWidget* grid() const { return grid_; }
    QTableWidget* uncertaintyGrid() const { return uncertaintyGrid_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ResultsWindow logic_;
    Platform& platform_;
    QTableWidget* grid_;
    QTableWidget* uncertaintyGrid_ = nullptr;
    int sectionTop_ = 0;
};

} // namespace zeb
