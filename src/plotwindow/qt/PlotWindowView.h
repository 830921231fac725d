// The plot window: a thin view over the core PlotWindow. It builds the window's
// menus, the k controls and result fields at the left of the chart, paints the
// chart through the Qt canvas, forwards every menu, button, mouse and key event
// to the core's handlers and mirrors the core's state (check marks, enabled and
// visible flags, texts, caption) after each of them.
#pragma once

#include "widgets/qt/MdiChild.h"
#include "plotwindow/PlotMenu.h"

#include <QWidget>

#include <array>
#include <functional>
#include <map>
#include <vector>
#include <memory>

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

namespace zeb {

class PlotWindow;
class PlotWindowHost;
class PointSelection;
class DataExport;
struct SelectionOutcome;
struct SymbolRedraw;
class QtPlatform;
class ChartPicture;

class PlotWindowView : public QWidget, public MdiChild {
    Q_OBJECT
public:
    PlotWindowView(PlotWindowHost& frame, QtPlatform& platform, QWidget* parent = nullptr);
    ~PlotWindowView() override;

    PlotWindow& core();
    QAction* action(const QString& name) const;
    // Whether choosing the item runs a command (every item of the core's menu
    // table but the hidden "C&opy results" and the form-factor menu itself).
    bool hasHandler(PlotMenuItem item) const;

    // MdiChild
    QList<QAction*> childMenuBarActions() override { return menuBar_; }
    QMenu* childHelpMenu() override { return helpMenu_; }
    void setCOrder(int order) override;
    void deactivateDataRecord() override;
    void exportDataToClipboard() override;
    void pasteDataFromClipboard() override;
    void closeWithoutQuestion() override;
    void loadStateChanged() override { syncFromCore(); }
    void setFileToOpen(const std::string& path) override;
    bool awaitingFirstData() const override;
    void openEvaluationOnActivation(const OpenedEvaluation& evaluation) override;
    std::string ownCaption() const override { return ownCaption_; }
    std::string captionFile() const override { return captionFile_; }
    void showCaption(const std::string& caption) override;

    // Brings widgets, menus and caption in line with the core.
    void syncFromCore();
    // Where the chart goes in this widget.
    QRect chartTarget() const;
    PointSelection& selection() { return *selection_; }
    const ChartPicture& picture() const { return *picture_; }
    QSize sizeHint() const override;

signals:
    void captionChanged(const QString& caption);

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    class Core;
    void buildMenus();
    void buildPanel();
    void layoutPanel();
    QMenu* addMenu(const char* title, const char* name);
    void fillFromTable(PlotMenu menu);
    QWidget*& control(PlotWidget w) { return controls_[static_cast<std::size_t>(w)]; }
    void run(const std::function<void()>& handler);
    void showResults();
    void showResidualChart();
    void showFormFactorFits();
    void savePlotFile();
    // Dims the result fields and shows the hint while the results are out of date.
    void showResultsState();
    void firstActivation();
    // Runs a point-selection handler and carries out what it asks of the window.
    void applySelection(const std::function<SelectionOutcome()>& handler);
    // A selection command of the menus (it brings the picture up to date itself).
    void runSelection(const std::function<SelectionOutcome()>& handler);
    void keepCursorMark();
    // Chart logical units of a position in this widget; false outside the chart.
    bool toLogical(const QPointF& pos, double& x, double& y) const;
    void showStatus(const QString& text);
    // Whether a menu command may run now: the core's menu state, the export
    // items' state, and nothing but printer setup while a file is read.
    bool actionEnabled(const std::string& name) const;

    PlotWindowHost& frame_;
    QtPlatform& platform_;
    std::unique_ptr<Core> core_;
    std::unique_ptr<PointSelection> selection_;
    // The chart as last drawn, brought up to date where points changed, with
    // the marks of a drag or of the keyboard cursor.
    std::unique_ptr<ChartPicture> picture_;
    QList<QMenu*> menus_;
    QList<QAction*> menuBar_;
    std::unique_ptr<DataExport> export_;
    class ExportSelectionDialogView* exportView_ = nullptr;
    QMenu* helpMenu_ = nullptr;
    std::map<QString, QAction*> actions_;
    std::map<PlotMenuItem, std::function<void()>> handlers_;
    // Actions whose commands come with later work: shown, but disabled.
    std::vector<QAction*> unavailable_;
    QWidget* panel_ = nullptr;
    QLabel* kLabel_ = nullptr;
    QLineEdit* kField_ = nullptr;
    QPushButton* kSmaller_ = nullptr;
    QPushButton* kLarger_ = nullptr;
    std::array<QWidget*, kPlotWidgetCount> controls_{};  // the k controls and the result fields
    QLabel* outOfDate_ = nullptr;  // "Calculate (Ctrl+N) to update"
    QLabel* loadingLabel_ = nullptr;
    QPushButton* abortLoad_ = nullptr;
    std::unique_ptr<OpenedEvaluation> pendingEvaluation_;
    bool activated_ = false;
    bool closeWithoutQuestion_ = false;
    QList<QAction*> recentActions_;  // the recent files in the File menu
    bool ready_ = false;
    std::string ownCaption_;
    std::string captionFile_;
};

} // namespace zeb
