#include "plotwindow/qt/PlotWindowView.h"

#include "texts/CommonTexts.h"
#include "texts/SavedEvaluationTexts.h"
#include "texts/FileTexts.h"
#include "texts/FrameTexts.h"
#include "texts/PlotWindowTexts.h"
#include "widgets/qt/Resources.h"
#include "plotwindow/qt/PlotWindowHost.h"
#include "dialogs/qt/ResultsWindowView.h"
#include "plot/PlotWindowGeometry.h"
#include "plot/PlotLayout.h"
#include "dialogs/qt/ExportSelectionDialogView.h"
#include "plotwindow/DataExport.h"
#include "plotwindow/ChartCommands.h"
#include "plotwindow/PlotWindowOptions.h"
#include "plotwindow/qt/PrintChart.h"
#include "plotwindow/PointSelection.h"
#include "plot/SelectionGeometry.h"
#include "plot/ChartPrimitives.h"
#include "plot/DamageCanvas.h"
#include "plotwindow/SymbolOverlay.h"
#include "plotwindow/PlotWindow.h"
#include "plot/PlotLayout.h"
#include "plotwindow/PlotWindowChart.h"
#include "plotwindow/qt/ChartPicture.h"
#include "plotwindow/qt/FormFactorFitsView.h"
#include "plotwindow/qt/ResidualChartView.h"
#include "plot/ResidualChart.h"
#include "plot/qt/ChartRaster.h"
#include "platform/qt/QtPlatform.h"
#include "plotwindow/SavedEvaluationCommands.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QRegion>
#include <QTimer>

#include <algorithm>

namespace zeb {

class PlotWindowView::Core : public PlotWindow {
public:
    Core(Platform& platform, PlotWindowView& view) : PlotWindow(platform), view_(view) {}

protected:
    void Repaint() override {
        view_.picture_->invalidate();
        view_.update();
    }
    void RefreshCaption() override { view_.syncFromCore(); }

private:
    PlotWindowView& view_;
};

namespace {

constexpr int kPanelWidth = 130;

// The point-selection commands of the "&Edit" menu.
using SelectionHandler = SelectionOutcome (PointSelection::*)();
SelectionHandler SelectionCommand(const std::string& name) {
    if (name == "toggleChosenPoints") return &PointSelection::toggleChosenPoints;
    if (name == "activateAllPoints") return &PointSelection::activateAllPoints;
    if (name == "deactivateAllPoints") return &PointSelection::deactivateAllPoints;
    if (name == "pointSelectionMode") return &PointSelection::togglePointSelectionMode;
    return nullptr;
}

} // namespace

PlotWindowView::PlotWindowView(PlotWindowHost& frame, QtPlatform& platform, QWidget* parent)
    : QWidget(parent), frame_(frame), platform_(platform), core_(std::make_unique<Core>(platform, *this)),
      picture_(std::make_unique<ChartPicture>(*core_)) {
    InitGuiResources();
    setObjectName("PlotWindow");
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    resize(kInitialClientWidth, kInitialClientHeight);
    // No minimum size: "&Tile" fits any number of plot windows into the frame.
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0xF0, 0xF0, 0xF0));
    setPalette(pal);

    core_->setSettingsPath(frame.settingsPath());
    core_->onViewChanged = [this] { syncFromCore(); };
    core_->onCloseRequested = [this] {
        closeWithoutQuestion_ = true;
        QTimer::singleShot(0, this, [this] {
            if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) sub->close();
            else close();
        });
    };
    core_->onFrameFileCommands = [this](bool enabled) { frame_.setFileCommandsEnabled(enabled); };
    core_->anyLoadRunning = [this] { return frame_.anyLoadRunning(); };

    // The window's plot settings: the global defaults with the titles and lines of the settings file.
    core_->ReadWindowSettings(frame.defaults(), frame.settingsPath());
    selection_ = std::make_unique<PointSelection>(*core_);
    selection_->setC0Intercept(&core_->lineC0Record());
    export_ = std::make_unique<DataExport>(*core_, frame.saveDialog());
    export_->setC0Intercept(&core_->lineC0Record());
    export_->onRepaint = [this] {
        selection_->RefreshChosenSymbols();
        picture_->invalidate();
        update();
    };
    export_->onItemsChanged = [this] { syncFromCore(); };
    export_->onPostDeferredExport = [this] { QTimer::singleShot(0, this, [this] { run([this] { export_->runDeferredExport(); }); }); };
    export_->onAfterPaste = [this] {
        core_->PostLoadSetup();
        selection_->ResetDragState();
        selection_->RefreshChosenSymbols();
    };
    exportView_ = new ExportSelectionDialogView(export_->exportDialog(), this);

    buildMenus();
    buildPanel();
    syncFromCore();
}

QSize PlotWindowView::sizeHint() const { return QSize(kInitialClientWidth, kInitialClientHeight); }

PlotWindowView::~PlotWindowView() {
    // The export dialog's form refers to the export logic, which goes with this
    // window's members: the form goes first.
    delete exportView_;
    exportView_ = nullptr;
}

PlotWindow& PlotWindowView::core() { return *core_; }

QAction* PlotWindowView::action(const QString& name) const {
    const auto it = actions_.find(name);
    return it == actions_.end() ? nullptr : it->second;
}

QMenu* PlotWindowView::addMenu(const char* title, const char* name) {
    auto* menu = new QMenu(title, this);
    menu->setObjectName(name);
    menus_ << menu;
    menuBar_ << menu->menuAction();
    return menu;
}

void PlotWindowView::run(const std::function<void()>& handler) {
    handler();
    // A calculation rebuilds the intercept records; a chosen c = 0 group keeps its mark.
    selection_->RefreshChosenSymbols();
    picture_->invalidate();
    keepCursorMark();
    syncFromCore();
    update();
}

// In the keyboard mode the cursor stays marked whatever is drawn again.
void PlotWindowView::keepCursorMark() {
    if (selection_->keyMode()) picture_->applyRedraws(selection_->CursorMark());
}

void PlotWindowView::runSelection(const std::function<SelectionOutcome()>& handler) {
    applySelection(handler);
    syncFromCore();
}

// A menu of the core's table: its items in table order, each with the
// handler the table names (the windows of the results, the residuals and the
// form-factor fits are the view's own).
void PlotWindowView::fillFromTable(PlotMenu which) {
    const PlotMenuInfo& info = PlotMenus()[static_cast<std::size_t>(which)];
    QMenu* menu = addMenu(info.title, info.name);
    for (const PlotMenuEntry& e : PlotMenuTable()) {
        if (e.menu != which || e.command == PlotMenuCommand::Submenu) continue;
        if (e.separatorBefore) menu->addSeparator();
        auto* a = new QAction(e.text->caption, this);
        a->setObjectName(e.name);
        if (*e.text->shortcut) a->setShortcut(QKeySequence(e.text->shortcut));
        a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        if (*e.text->hint) a->setStatusTip(e.text->hint);
        a->setCheckable(e.checkable);
        menu->addAction(a);
        addAction(a);  // the shortcut works while this window has the focus
        actions_[e.name] = a;
        std::function<void()> handler;
        if (e.command == PlotMenuCommand::Core && e.run) handler = [this, run = e.run] { run(*core_); };
        else if (e.item == PlotMenuItem::Results) handler = [this] { showResults(); };
        else if (e.item == PlotMenuItem::Residuals) handler = [this] { showResidualChart(); };
        else if (e.item == PlotMenuItem::FitFormFactors) handler = [this] { showFormFactorFits(); };
        if (handler) {
            handlers_[e.item] = handler;
            connect(a, &QAction::triggered, this, [this, handler] { run(handler); });
        } else {
            unavailable_.push_back(a);
        }
    }
}

// "&Save plot as WMF-file..." of the Edit menu and "Save plot as..." of the File menu.
void PlotWindowView::savePlotFile() {
    // PNG and PDF as the batch tool draws them; the PNG at the scale the chart has on the screen.
    ChartFileWriters writers;
    const QRect target = chartTarget();
    const double pixelsPerUnit = ScreenScale(target.width(), target.height()) * devicePixelRatioF();
    const QSize pixels(std::max(1, qRound(kLogicalWidth * pixelsPerUnit)), std::max(1, qRound(kLogicalHeight * pixelsPerUnit)));
    writers.png = [pixels](const std::string& path, const ChartInputs& in) { return SaveChartPng(in, path, pixels); };
    writers.pdf = [](const std::string& path, const ChartInputs& in) { return SaveChartPdf(in, path); };
    savePlotAs(*core_, platform_, writers);
}

bool PlotWindowView::hasHandler(PlotMenuItem item) const { return handlers_.count(item) != 0; }

void PlotWindowView::buildMenus() {
    auto fill = [this](QMenu* menu, const auto& items, auto&& handlerFor) {
        for (const tx::MenuText& item : items) {
            if (!item.name) {
                menu->addSeparator();
                continue;
            }
            auto* a = new QAction(item.caption, this);
            a->setObjectName(item.name);
            if (*item.shortcut) a->setShortcut(QKeySequence(item.shortcut));
            a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
            if (*item.hint) a->setStatusTip(item.hint);
            menu->addAction(a);
            addAction(a);  // the shortcut works while this window has the focus
            actions_[item.name] = a;
            std::function<void()> handler = handlerFor(QString(item.name));
            if (const auto command = SelectionCommand(item.name))
                connect(a, &QAction::triggered, this,
                        [this, command] { runSelection([this, command] { return (selection_.get()->*command)(); }); });
            else if (handler) connect(a, &QAction::triggered, this, [this, handler] { run(handler); });
            else unavailable_.push_back(a);
        }
    };
    PlotWindow& c = *core_;

    QMenu* fileMenu = addMenu(tx::MenuFile, "plotFileMenu");
    fill(fileMenu, tx::FileItems, [&](const QString& n) -> std::function<void()> {
        if (n == "loadNewFile") return [this] { frame_.loadNewFile(); };
        if (n == "addDataFile")
            return [this, &c] {
                // The chart is drawn from the data as they are and shown unchanged while the file is read.
                if (!picture_->valid() && isVisible()) repaint();
                c.addDataFile();
            };
        if (n == "exitWindow") return [&c] { c.exitWindow(); };
        if (n == "openEvaluation") return [this, &c] { frame_.openEvaluation(c.dataFolder()); };
        if (n == "saveEvaluation")
            return [this, &c] {
                if (const auto path = saveEvaluation(c, platform_))
                    showStatus(QString(tx::EvaluationSavedStatus) + QString::fromStdString(*path));
            };
        if (n == "savePlotAs") return [this] { savePlotFile(); };
        if (n == "printerSetup") return [this] { PrinterSetup(this); };
        if (n == "print") return [this] { PrintWindow(*core_, this); };
        return {};
    });
    // The recent files (as the settings file holds them when the menu opens)
    // stand after the load commands.
    connect(fileMenu, &QMenu::aboutToShow, this, [this, fileMenu] {
        qDeleteAll(recentActions_);
        recentActions_.clear();
        const QList<QAction*> recent = frame_.recentFileActions(fileMenu);
        if (recent.isEmpty()) return;
        QAction* before = action("printerSetup");
        fileMenu->insertActions(before, recent);
        recentActions_ = recent;
        recentActions_ << fileMenu->insertSeparator(before);
    });
    fill(addMenu(tx::MenuEdit, "plotEditMenu"), tx::EditItems, [&](const QString& n) -> std::function<void()> {
        if (n == "copyPlot") return [this] { copyPlotToClipboard(*core_, platform_); };
        if (n == "savePlot") return [this] { savePlotFile(); };
        if (DataExport::TagOf(n.toStdString()) >= 0) {
            const std::string item = n.toStdString();
            return [this, item] { export_->exportData(item); };
        }
        if (n == "pasteFromClipboard") return [this] { export_->pasteFromClipboard(); };
        return {};
    });
    fillFromTable(PlotMenu::PlotType);
    fillFromTable(PlotMenu::QDep);
    fillFromTable(PlotMenu::CDep);

    // "Plot-&Options" is a command of the menu bar itself.
    auto* options = new QAction(tx::MenuPlotOptions, this);
    options->setObjectName("plotOptions");
    options->setStatusTip("Plot options: ranges, symbols, titles, fonts, lines, weighting and smoothing");
    connect(options, &QAction::triggered, this, [this] { run([this] { openOptionsDialog(*core_, frame_.defaults()); }); });
    menuBar_ << options;
    actions_["plotOptions"] = options;

    fillFromTable(PlotMenu::Calculation);
    fillFromTable(PlotMenu::FormFactor);

    helpMenu_ = new QMenu(tx::MenuHelp, this);
    helpMenu_->setObjectName("plotHelpMenu");
    helpMenu_->addAction(tx::MenuIntroduction, this, [this] { frame_.showHelp(tx::HelpIntroduction); })
        ->setObjectName("helpIntroduction");
    helpMenu_->addAction(tx::MenuHelpContents, this, [this] { frame_.showHelp(tx::HelpContents); })
        ->setObjectName("helpContents");
    helpMenu_->addAction(tx::MenuFileFormat, this, [this] { frame_.showHelp(tx::HelpFileFormats); })
        ->setObjectName("helpFileFormats");
    helpMenu_->addAction(tx::MenuAbout, this, [this] { frame_.showAbout(); })->setObjectName("helpAbout");

    actions_["deactivateAllPoints"]->setVisible(false);
    actions_[MenuItemName(PlotMenuItem::CopyResults)]->setVisible(false);
    actions_["pointSelectionMode"]->setCheckable(true);
    for (QAction* a : unavailable_) {
        a->setEnabled(false);
        a->setStatusTip(a->statusTip().isEmpty() ? "Not available in this version"
                                                 : a->statusTip() + " (not available in this version)");
    }
}

void PlotWindowView::buildPanel() {
    panel_ = new QWidget(this);
    panel_->installEventFilter(this);
    panel_->setObjectName("controlPanel");
    kLabel_ = new QLabel(tx::LabelK, panel_);
    kField_ = new QLineEdit(panel_);
    kLabel_->setBuddy(kField_);
    kField_->installEventFilter(this);
    kSmaller_ = new QPushButton(tx::ButtonKSmaller, panel_);
    kLarger_ = new QPushButton(tx::ButtonKLarger, panel_);
    connect(kSmaller_, &QPushButton::clicked, this, [this] { run([this] { core_->stepKDown(); }); });
    connect(kLarger_, &QPushButton::clicked, this, [this] { run([this] { core_->stepKUp(); }); });
    control(PlotWidget::KLabel) = kLabel_;
    control(PlotWidget::KField) = kField_;
    control(PlotWidget::KSmallerButton) = kSmaller_;
    control(PlotWidget::KLargerButton) = kLarger_;
    for (std::size_t i = 0; i < kResultLabels.size(); ++i) {
        control(kResultLabels[i]) = new QLabel(panel_);
        auto* edit = new QLineEdit(panel_);
        edit->setReadOnly(true);
        control(kResultFields[i]) = edit;
    }
    for (std::size_t i = 0; i < kPlotWidgetCount; ++i)
        controls_[i]->setObjectName(PlotWidgetName(static_cast<PlotWidget>(i)));
    outOfDate_ = new QLabel(panel_);
    outOfDate_->setObjectName("resultsOutOfDateLabel");
    outOfDate_->setWordWrap(true);
    outOfDate_->hide();
    loadingLabel_ = new QLabel(tx::LoadingFileLabel, this);
    loadingLabel_->setObjectName("loadingLabel");
    QFont bold = loadingLabel_->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.3);
    loadingLabel_->setFont(bold);
    abortLoad_ = new QPushButton(tx::AbortLoadingButton, this);
    abortLoad_->setObjectName("abortLoadButton");
    connect(abortLoad_, &QPushButton::clicked, this, [this] { core_->abortLoading(); });
    layoutPanel();
}

void PlotWindowView::layoutPanel() {
    const int margin = 6, width = kPanelWidth - 2 * margin;
    const int rowHeight = kField_->sizeHint().height();
    panel_->setGeometry(0, 0, kPanelWidth, height());
    int y = 10;
    kLabel_->setGeometry(margin, y, width, kLabel_->sizeHint().height());
    y += kLabel_->sizeHint().height() + 2;
    kField_->setGeometry(margin, y, width, rowHeight);
    y += rowHeight + 4;
    const int half = (width - 4) / 2;
    kSmaller_->setGeometry(margin, y, half, kSmaller_->sizeHint().height());
    kLarger_->setGeometry(margin + half + 4, y, half, kLarger_->sizeHint().height());
    y += kSmaller_->sizeHint().height() + 18;
    for (std::size_t i = 0; i < kResultLabels.size(); ++i) {
        QWidget* label = control(kResultLabels[i]);
        label->setGeometry(margin, y, width, label->sizeHint().height());
        y += label->sizeHint().height() + 2;
        control(kResultFields[i])->setGeometry(margin, y, width, rowHeight);
        y += rowHeight + 12;
    }
    outOfDate_->setGeometry(margin, y, width, outOfDate_->heightForWidth(width));
    const QRect target = chartTarget();
    loadingLabel_->adjustSize();
    loadingLabel_->move(target.x() + (target.width() - loadingLabel_->width()) / 2, target.y() + target.height() / 3);
    abortLoad_->adjustSize();
    abortLoad_->move(target.x() + (target.width() - abortLoad_->width()) / 2,
                     loadingLabel_->y() + loadingLabel_->height() + 16);
}

QRect PlotWindowView::chartTarget() const {
    const ScreenTarget t = ChartScreenTarget(width(), height());
    return QRect(t.x, t.y, t.width, t.height);
}

bool PlotWindowView::actionEnabled(const std::string& name) const {
    const PlotWindow& c = *core_;
    // While a file is read only "Printer Setup..." stays (and help, "Abort Loading").
    if (!c.commandAvailable(name)) return false;
    if (const auto item = MenuItemNamed(name); item && !c.menuItem(*item).enabled) return false;
    if (name == "loadNewFile" || name == "addDataFile") return c.menuEnabled(name);
    if (name == "openEvaluation") return c.menuEnabled("loadNewFile") && !c.loadBlocked();
    if (name == "saveEvaluation") return !c.awaitingFirstData();
    if (DataExport::TagOf(name) >= 0) return export_->itemsEnabled();
    if (name == MenuItemName(PlotMenuItem::Calculate)) return selection_->calculateEnabled();
    return true;
}

void PlotWindowView::syncFromCore() {
    const PlotWindow& c = *core_;
    for (const PlotMenuEntry& e : PlotMenuTable()) {
        QAction* a = action(e.name);
        if (!a) continue;
        const MenuItemState& state = c.menuItem(e.item);
        a->setChecked(state.checked);
        a->setVisible(state.visible);
    }
    for (const auto& [name, a] : actions_)
        if (std::find(unavailable_.begin(), unavailable_.end(), a) == unavailable_.end())
            a->setEnabled(actionEnabled(name.toStdString()));
    // A menu whose every item is disabled (while a file is read: all but File)
    // is disabled itself; the form-factor menu follows the core.
    for (QMenu* m : menus_) {
        bool any = false;
        for (QAction* a : m->actions()) any = any || (!a->isSeparator() && a->isVisible() && a->isEnabled());
        bool enabled = any || !c.loading();
        const std::string name = m->objectName().toStdString();
        if (const auto item = MenuItemNamed(name)) enabled = enabled && c.menuItem(*item).enabled && c.commandAvailable(name);
        m->menuAction()->setEnabled(enabled);
    }

    // The captions of the k label and buttons stay as built (they carry the mnemonics).
    for (std::size_t i = 0; i < kPlotWidgetCount; ++i) {
        const auto which = static_cast<PlotWidget>(i);
        const WidgetState& state = c.widget(which);
        QWidget* w = controls_[i];
        w->setVisible(state.visible);
        w->setEnabled(state.enabled);
        if (which == PlotWidget::KLabel || which == PlotWidget::KSmallerButton || which == PlotWidget::KLargerButton)
            continue;
        const QString text = QString::fromStdString(state.text);
        if (auto* label = qobject_cast<QLabel*>(w)) label->setText(text);
        else if (auto* edit = qobject_cast<QLineEdit*>(w); edit && !edit->hasFocus()) edit->setText(text);
    }
    // k can be changed only when no file is read.
    for (QWidget* w : {static_cast<QWidget*>(kField_), static_cast<QWidget*>(kSmaller_), static_cast<QWidget*>(kLarger_)})
        if (!c.commandAvailable(w->objectName().toStdString())) w->setEnabled(false);
    // The keyboard point-select mode hides the k input and disables "&Calculate".
    if (!selection_->kControlsVisible())
        for (QWidget* w : {static_cast<QWidget*>(kLabel_), static_cast<QWidget*>(kField_),
                           static_cast<QWidget*>(kSmaller_), static_cast<QWidget*>(kLarger_)})
            w->setVisible(false);
    if (QAction* a = action("pointSelectionMode")) a->setChecked(selection_->menuChecked());
    // The export selection dialog changes the chosen concentrations: not while a file is read.
    if (exportView_) exportView_->setEnabled(!c.loading());
    const DataWindow::ViewState& v = c.view();
    loadingLabel_->setVisible(v.loadingLabelVisible);
    abortLoad_->setVisible(v.abortLoadingVisible);
    if (v.hourglassCursor) setCursor(Qt::WaitCursor);
    else unsetCursor();
    ready_ = !c.awaitingFirstData() && !c.loading();
    // The window's own caption; the frame may show another one (showCaption).
    if (v.caption != ownCaption_ || v.captionFile != captionFile_) {
        ownCaption_ = v.caption;
        captionFile_ = v.captionFile;
        showCaption(ownCaption_);
    }
    showResultsState();
    layoutPanel();
}

void PlotWindowView::showCaption(const std::string& caption) {
    const QString text = QString::fromStdString(caption);
    if (windowTitle() == text) return;
    setWindowTitle(text);
    emit captionChanged(text);
}

void PlotWindowView::showResultsState() {
    const PlotWindow& c = *core_;
    const bool stale = c.resultsOutOfDate();
    for (const auto& row : {kResultLabels, kResultFields})
        for (PlotWidget w : row) control(w)->setEnabled(c.widget(w).enabled && !stale);
    outOfDate_->setText(QString::fromStdString(c.resultsOutOfDateHint()));
    outOfDate_->resize(outOfDate_->width(), outOfDate_->heightForWidth(outOfDate_->width()));
    outOfDate_->setVisible(stale && c.widget(kResultFields[0]).visible);
}

void PlotWindowView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (activated_) return;
    activated_ = true;
    // The first load runs once the window is on the screen.
    QTimer::singleShot(0, this, [this] { firstActivation(); });
}

void PlotWindowView::openEvaluationOnActivation(const OpenedEvaluation& evaluation) {
    pendingEvaluation_ = std::make_unique<OpenedEvaluation>(evaluation);
}

void PlotWindowView::firstActivation() {
    if (pendingEvaluation_) {
        const auto evaluation = std::move(pendingEvaluation_);
        // A file that did not load leaves no half-opened evaluation behind.
        if (!OpenEvaluationInWindow(*core_, *evaluation) && !core_->view().closeRequested) {
            closeWithoutQuestion_ = true;
            QTimer::singleShot(0, this, [this] {
                if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) sub->close();
                else close();
            });
        }
    } else {
        core_->activate();
    }
    selection_->ResetDragState();
    picture_->invalidate();
    syncFromCore();
    update();
}

bool PlotWindowView::toLogical(const QPointF& pos, double& x, double& y) const {
    const QRect target = chartTarget();
    if (target.width() <= 0 || target.height() <= 0) return false;
    const double scale = ScreenScale(target.width(), target.height());
    x = (pos.x() - target.x()) / scale;
    y = (pos.y() - target.y()) / scale;
    return QRectF(target).contains(pos);
}

void PlotWindowView::showStatus(const QString& text) {
    frame_.showStatus(text);
}

// Runs a selection handler and brings the picture up to date. When the handler
// only changed the look of some points (the chart is otherwise the same), just
// their parts of the kept picture are drawn again: the picture is the one a
// full drawing gives, and a click on the largest grid stays within one frame.
// The red marks of a drag or of the keyboard cursor are drawn over it; a
// handler that asks for the whole plot to be drawn again (release, Esc,
// choosing) takes them all away.
void PlotWindowView::applySelection(const std::function<SelectionOutcome()>& handler) {
    const bool patchable = picture_->valid() && ChartReady(*core_) && core_->screenLayout() &&
                           !core_->formFactor().viewShown;
    const PointLooks before = patchable ? CapturePointLooks(*core_) : PointLooks{};
    const SelectionOutcome outcome = handler();
    if (outcome.statusText) showStatus(QString::fromStdString(*outcome.statusText));
    if (outcome.cursor) setCursor(*outcome.cursor == MouseCursorShape::Cross ? Qt::CrossCursor : Qt::ArrowCursor);
    if (outcome.preparePoints) {
        core_->PreparePoints(1);
        if (outcome.recalculate) core_->calculate();
        selection_->RefreshChosenSymbols();
        picture_->invalidate();
    } else if (patchable) {
        const LookChanges changes = CompareLooks(*core_, before, CapturePointLooks(*core_));
        if (changes.intercepts) picture_->invalidate();
        else
            for (const GridPoint& p : changes.points) picture_->damage(SymbolExtent(*core_, p.c, p.a));
        if (outcome.repaint) picture_->clearMarks();  // the keyboard cursor comes back below
    } else if (outcome.repaint || !outcome.redraws.empty()) {
        picture_->invalidate();
    }
    picture_->applyRedraws(outcome.redraws);
    keepCursorMark();
    if (outcome.exportFieldText) export_->exportDialog().ChosenListChanged();
    if (outcome.keyModeChanged || outcome.preparePoints) syncFromCore();
    else showResultsState();
    update();
}

void PlotWindowView::mouseMoveEvent(QMouseEvent* event) {
    double x = 0, y = 0;
    const PlotLayout* layout = core_->screenLayout();
    if (!ready_ || !layout) return;
    // Outside the chart too: the handler finds the mouse off the data area.
    toLogical(event->position(), x, y);
    const SelectionMapping m = SelectionMapping::From(*layout, core_->axes());
    applySelection([&] { return selection_->FormMouseMove(x, y, m); });
}

void PlotWindowView::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    if (ready_) applySelection([this] { return selection_->FormMouseLeave(); });
}

void PlotWindowView::mousePressEvent(QMouseEvent* event) {
    double x = 0, y = 0;
    const PlotLayout* layout = core_->screenLayout();
    if (event->button() != Qt::LeftButton || !ready_ || !layout) return;
    toLogical(event->position(), x, y);
    const SelectionMapping m = SelectionMapping::From(*layout, core_->axes());
    applySelection([&] { return selection_->FormMouseDown(x, y, m); });
}

void PlotWindowView::mouseReleaseEvent(QMouseEvent* event) {
    double x = 0, y = 0;
    const PlotLayout* layout = core_->screenLayout();
    if (event->button() != Qt::LeftButton || !ready_ || !layout) return;
    toLogical(event->position(), x, y);
    const SelectionMapping m = SelectionMapping::From(*layout, core_->axes());
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    applySelection([&] { return selection_->FormMouseUp(x, y, m, ctrl); });
}

void PlotWindowView::keyPressEvent(QKeyEvent* event) {
    if (!selection_->keyMode()) {
        if (event->key() == Qt::Key_Escape && selection_->drag().dragging) {
            applySelection([this] { return selection_->cancelDrag(); });
            return;
        }
        QWidget::keyPressEvent(event);
        return;
    }
    SelectionKey key = SelectionKey::Other;
    switch (event->key()) {
    case Qt::Key_Left: key = SelectionKey::Left; break;
    case Qt::Key_Right: key = SelectionKey::Right; break;
    case Qt::Key_Up: key = SelectionKey::Up; break;
    case Qt::Key_Down: key = SelectionKey::Down; break;
    case Qt::Key_Return:
    case Qt::Key_Enter: key = SelectionKey::Enter; break;
    case Qt::Key_Space: key = SelectionKey::Space; break;
    case Qt::Key_Escape: key = SelectionKey::Escape; break;
    default: QWidget::keyPressEvent(event); return;
    }
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    applySelection([&] { return selection_->keyPressed(key, ctrl); });
}

void PlotWindowView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    picture_->invalidate();
    keepCursorMark();
    layoutPanel();
}

void PlotWindowView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect target = chartTarget();
    const QColor window = palette().color(QPalette::Window);
    if (ready_ && target.width() > 2 && target.height() > 2) {
        // The chart's picture is opaque and covers its target but for part of
        // a pixel at the right and bottom edges: the window's colour goes
        // around it (on a large chart filling beneath it costs as much as
        // drawing it).
        for (const QRect& r : QRegion(rect()).subtracted(QRegion(target.adjusted(1, 1, -1, -1))))
            painter.fillRect(r, window);
    } else {
        painter.fillRect(rect(), window);
    }
    if (!ready_) {
        // While a file is added the window keeps showing its chart as it was
        // (the set is being filled and is not drawn).
        if (core_->loading() && !core_->awaitingFirstData() && !picture_->image().isNull()) {
            const QImage& kept = picture_->image();
            painter.drawImage(target.topLeft(), kept);
            painter.setPen(QPen(Qt::black, 1));
            painter.drawRect(QRect(target.topLeft(), kept.deviceIndependentSize().toSize()).adjusted(0, 0, -1, -1));
        }
        return;
    }
    if (target.width() <= 0 || target.height() <= 0) return;
    picture_->paint(painter, target, devicePixelRatioF());
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(target.adjusted(0, 0, -1, -1));
}

void PlotWindowView::closeEvent(QCloseEvent* event) {
    if (closeWithoutQuestion_ || core_->mayClose()) {
        event->accept();
        return;
    }
    event->ignore();
}

bool PlotWindowView::eventFilter(QObject* watched, QEvent* event) {
    // The mouse moving from the chart onto the fields at its left leaves the data area.
    if (watched == panel_ && event->type() == QEvent::Enter && ready_)
        applySelection([this] { return selection_->FormMouseLeave(); });
    if (watched == kField_) {
        if (event->type() == QEvent::FocusIn) {
            core_->kFieldEntered();
        } else if (event->type() == QEvent::FocusOut) {
            core_->setWidgetText(PlotWidget::KField, kField_->text().toStdString());
            run([this] { core_->kFieldLeft(); });
        } else if (event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
                core_->setWidgetText(PlotWidget::KField, kField_->text().toStdString());
                run([this] { core_->kFieldKeyDown(13); });
                // The field keeps the focus: it shows the k in use (also after a refusal), ready to be typed over.
                kField_->setText(QString::fromStdString(core_->widget(PlotWidget::KField).text));
                kField_->selectAll();
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

void PlotWindowView::showResults() {
    ResultsWindowView results(core_->results().report, platform_, this, core_->uncertaintyText());
    results.exec();
}

void PlotWindowView::showResidualChart() {
    std::unique_ptr<ResidualChart> chart = core_->residualChart();
    if (!chart) return;
    ResidualChartView window(std::move(chart), this);
    window.exec();
}

void PlotWindowView::showFormFactorFits() {
    std::optional<FormFactorFitTable> fits = core_->fitFormFactors();
    if (!fits) return;
    FormFactorFitsView window(std::move(*fits), this);
    window.exec();
}

void PlotWindowView::setCOrder(int order) {
    const auto chosen = FitOrderFromNumber(order);
    if (!chosen) return;
    const PlotMenuEntry& e = MenuEntry(COrderItem(*chosen));
    if (!core_->commandAvailable(e.name)) return;
    run([this, &e] { e.run(*core_); });
}

void PlotWindowView::deactivateDataRecord() {
    if (QAction* a = action("toggleChosenPoints"); a && a->isEnabled()) a->trigger();
}

void PlotWindowView::exportDataToClipboard() {
    if (QAction* a = action("copyDataToClipboard"); a && a->isEnabled()) a->trigger();
}

void PlotWindowView::pasteDataFromClipboard() {
    if (QAction* a = action("pasteFromClipboard"); a && a->isEnabled()) a->trigger();
}

void PlotWindowView::setFileToOpen(const std::string& path) { core_->setFileToOpen(path); }

bool PlotWindowView::awaitingFirstData() const { return core_->awaitingFirstData(); }

void PlotWindowView::closeWithoutQuestion() {
    closeWithoutQuestion_ = true;
    core_->abortLoading();
}

} // namespace zeb
