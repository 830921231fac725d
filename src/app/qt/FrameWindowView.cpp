#include "app/qt/FrameWindowView.h"

#include "texts/CommonTexts.h"
#include "texts/PlotWindowTexts.h"
#include "texts/SettingsTexts.h"
#include "texts/FileTexts.h"
#include "texts/FrameTexts.h"
#include "app/qt/HelpViewer.h"
#include "widgets/qt/MdiChild.h"
#include "widgets/qt/Resources.h"
#include "widgets/qt/SmallDialogs.h"
#include "app/WindowArrangement.h"
#include "app/WindowCaptions.h"
#include "platform/qt/ProgramFault.h"
#include "platform/qt/QtPlatform.h"
#include "settings/RecentFiles.h"
#include "plotwindow/SavedEvaluationCommands.h"
#include "settings/Profile.h"
#include "settings/SettingsFile.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDBusConnection>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionTitleBar>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>

namespace zeb {

FrameWindowView::FrameWindowView(QtPlatform& platform, std::string settingsPath, ChildFactory makeChild, QWidget* parent)
    : QMainWindow(parent), platform_(platform), core_(platform, std::move(settingsPath)),
      makeChild_(std::move(makeChild)) {
    InitGuiResources();
    UseHintColour();
    // The global defaults every new plot window copies.
    defaults_ = core_.ReadGlobalSettings();
    setObjectName("FrameWindow");
    setWindowTitle(tx::FrameCaption);
    setWindowIcon(QIcon(":/app/zebstat.svg"));
    mdi_ = new QMdiArea(this);
    mdi_->setObjectName("MdiArea");
    mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(mdi_);
    statusBar()->setObjectName("StatusBar");
    statusBar()->showMessage(QString());

    buildActions();
    buildMenus();
    buildToolBar();
    rebuildMenuBar();
    updateMenuState();

    platform_.setParentWidget(this);
    platform_.helpHandler = [this](int context) { showHelp(context); };
    connect(mdi_, &QMdiArea::subWindowActivated, this, [this] {
        rebuildMenuBar();
        updateMenuState();
    });
    qApp->installEventFilter(this);
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state == Qt::ApplicationActive) wakeEvent(WakeGuard::Event::AppActivated);
    });
    connectDesktopSignals();
    // Files dropped anywhere on the frame open as files given on the command line.
    setAcceptDrops(true);
    fitIntoScreen();
}

void FrameWindowView::fitIntoScreen() {
    const QScreen* s = screen();
    if (!s) {
        resize(kFrameWidth, kFrameHeight);
        return;
    }
    const QRect avail = s->availableGeometry();
    // The window system's frame is not known before the window is shown: room
    // is left for a usual one.
    const WindowRect r = FitFrame({avail.x(), avail.y(), avail.width(), avail.height()}, 8, 32, 8, 8);
    setGeometry(r.x, r.y, r.width, r.height);
}

// The plot windows in their stacking order (the top one stays on top), each
// a title bar's height right and down of the one before, all inside the area.
void FrameWindowView::cascadeWindows() {
    QList<QMdiSubWindow*> windows;
    for (QMdiSubWindow* w : mdi_->subWindowList(QMdiArea::StackingOrder)) {
        if (!w->isVisible() || w->isMinimized()) continue;
        if (w->isMaximized()) w->showNormal();
        windows << w;
    }
    if (windows.isEmpty()) return;
    const QRect area = mdi_->viewport()->rect();
    QStyleOptionTitleBar title;
    title.initFrom(windows.front());
    const int step = std::max(12, style()->pixelMetric(QStyle::PM_TitleBarHeight, &title, windows.front()));
    const QSize preferred = windows.front()->sizeHint();
    const std::vector<WindowRect> rects = CascadeWindows(static_cast<int>(windows.size()), area.width(), area.height(),
                                                         step, preferred.width(), preferred.height());
    for (qsizetype i = 0; i < windows.size(); ++i) {
        const WindowRect& r = rects[static_cast<std::size_t>(i)];
        windows[i]->setGeometry(r.x, r.y, r.width, r.height);
        windows[i]->raise();
    }
}

FrameWindowView::~FrameWindowView() {
    // The plot windows go with the frame, without their close questions.
    closing_ = true;
    disconnect(mdi_, nullptr, this, nullptr);
    for (QMdiSubWindow* w : mdi_->subWindowList()) {
        disconnect(w, nullptr, this, nullptr);
        if (auto* child = dynamic_cast<MdiChild*>(w->widget())) child->closeWithoutQuestion();
    }
    // Also a window closed but not yet deleted: it goes with the frame, which
    // must not be asked to rebuild its menus while it is being destroyed.
    for (QMdiSubWindow* w : mdi_->findChildren<QMdiSubWindow*>()) disconnect(w, nullptr, this, nullptr);
    qApp->removeEventFilter(this);
    platform_.helpHandler = nullptr;
}

void FrameWindowView::buildActions() {
    auto make = [this](const char* text, const char* hint, const char* name) {
        auto* a = new QAction(text, this);
        a->setObjectName(name);
        a->setStatusTip(hint);
        return a;
    };
    loadAction_ = make(tx::MenuLoadNewFile, tx::MenuLoadNewFileHint, "loadNewFile");
    loadAction_->setShortcut(QKeySequence("Ctrl+L"));
    connect(loadAction_, &QAction::triggered, this, &FrameWindowView::loadNewFile);
    openEvaluationAction_ = make(tx::MenuOpenEvaluation, tx::MenuOpenEvaluationHint, "openEvaluation");
    connect(openEvaluationAction_, &QAction::triggered, this, [this] { openEvaluation({}); });
    exitAction_ = make(tx::MenuExit, "", "exitProgram");
    exitAction_->setToolTip(tx::MenuExitHint);
    connect(exitAction_, &QAction::triggered, this, &QWidget::close);
    cascadeAction_ = make(tx::MenuCascade, tx::MenuCascadeHint, "cascadeWindows");
    connect(cascadeAction_, &QAction::triggered, this, &FrameWindowView::cascadeWindows);
    tileAction_ = make(tx::MenuTile, tx::MenuTileHint, "tileWindows");
    connect(tileAction_, &QAction::triggered, mdi_, &QMdiArea::tileSubWindows);
    arrangeAction_ = make(tx::MenuArrangeIcons, tx::MenuArrangeIconsHint, "arrangeIcons");
    connect(arrangeAction_, &QAction::triggered, this, [this] {
        // Minimised windows line up along the bottom of the frame.
        int x = 0;
        const int bottom = mdi_->viewport()->height();
        for (QMdiSubWindow* w : mdi_->subWindowList()) {
            if (!w->isMinimized()) continue;
            w->move(x, bottom - w->height());
            x += w->width();
        }
    });
    minimizeAction_ = make(tx::MenuMinimizeAll, tx::MenuMinimizeAllHint, "minimizeAllWindows");
    connect(minimizeAction_, &QAction::triggered, this, [this] {
        const auto windows = mdi_->subWindowList(QMdiArea::CreationOrder);
        for (auto it = windows.rbegin(); it != windows.rend(); ++it) (*it)->showMinimized();
    });
}

void FrameWindowView::buildMenus() {
    fileMenu_ = new QMenu(tx::MenuFile, this);
    fileMenu_->setObjectName("fileMenu");
    fileMenu_->menuAction()->setStatusTip(tx::MenuFileHint);
    fillFileMenu();
    // The recent files as the settings file holds them when the menu opens.
    connect(fileMenu_, &QMenu::aboutToShow, this, &FrameWindowView::fillFileMenu);

    windowMenu_ = new QMenu(tx::MenuWindow, this);
    windowMenu_->setObjectName("windowMenu");
    windowMenu_->menuAction()->setStatusTip(tx::MenuWindowHint);
    connect(windowMenu_, &QMenu::aboutToShow, this, [this] {
        windowMenu_->clear();
        windowMenu_->addAction(cascadeAction_);
        windowMenu_->addAction(tileAction_);
        windowMenu_->addAction(arrangeAction_);
        windowMenu_->addAction(minimizeAction_);
        const auto windows = mdi_->subWindowList(QMdiArea::CreationOrder);
        if (!windows.isEmpty()) windowMenu_->addSeparator();
        int n = 1;
        for (QMdiSubWindow* w : windows) {
            QAction* a = windowMenu_->addAction(QString("&%1 %2").arg(n++).arg(w->windowTitle()));
            a->setCheckable(true);
            a->setChecked(w == mdi_->activeSubWindow());
            connect(a, &QAction::triggered, this, [this, w] { mdi_->setActiveSubWindow(w); });
        }
    });
    windowMenu_->addAction(cascadeAction_);

    helpMenu_ = new QMenu(tx::MenuHelp, this);
    helpMenu_->setObjectName("helpMenu");
    helpMenu_->menuAction()->setStatusTip(tx::MenuHelpHint);
    helpMenu_->addAction(tx::MenuIntroduction, this, [this] { showHelp(tx::HelpIntroduction); })
        ->setObjectName("helpIntroduction");
    helpMenu_->addAction(tx::MenuHelpContents, this, [this] { showHelp(tx::HelpContents); })
        ->setObjectName("helpContents");
    helpMenu_->addAction(tx::MenuFileFormat, this, [this] { showHelp(tx::HelpFileFormats); })
        ->setObjectName("helpFileFormats");
    helpMenu_->addAction(tx::MenuAbout, this, &FrameWindowView::showAbout)->setObjectName("helpAbout");
}

void FrameWindowView::fillFileMenu() {
    for (QAction* a : fileMenu_->actions())
        if (a->parent() == fileMenu_) a->deleteLater();
    fileMenu_->clear();
    fileMenu_->addAction(loadAction_);
    fileMenu_->addAction(openEvaluationAction_);
    fileMenu_->addSeparator();
    const QList<QAction*> recent = recentFileActions(fileMenu_);
    if (!recent.isEmpty()) {
        fileMenu_->addActions(recent);
        fileMenu_->addSeparator();
    }
    fileMenu_->addAction(exitAction_);
}

QList<QAction*> FrameWindowView::recentFileActions(QObject* parent) {
    QList<QAction*> actions;
    const std::vector<std::string> files = ReadRecentFiles(core_.settingsPath());
    const std::vector<std::string> captions = RecentFileCaptions(files);
    for (std::size_t i = 0; i < files.size(); ++i) {
        auto* a = new QAction(QString::fromStdString(captions[i]), parent);
        a->setObjectName(QString("recentFile%1").arg(i + 1));
        const QString path = QString::fromStdString(files[i]);
        a->setStatusTip(path);
        a->setEnabled(!core_.loadRunning());
        connect(a, &QAction::triggered, this, [this, path] { openFiles({path}); });
        actions << a;
    }
    return actions;
}

void FrameWindowView::openFiles(const QStringList& paths) {
    pendingFiles_ << paths;
    openNextFile();
}

bool FrameWindowView::canMakeChildren() {
    if (makeChild_) return true;
    ReportProgramFault(tx::NoPlotWindowFactory);
    return false;
}

QWidget* FrameWindowView::makeChild(bool dropPendingFiles) {
    try {
        return makeChild_(*this);
    } catch (const std::bad_alloc&) {
        // Before the message, which lets other events run: none of them opens the next file.
        if (dropPendingFiles) pendingFiles_.clear();
        platform_.inform(tx::NotEnoughMemoryForWindow, tx::CapInformation, MsgIcon::Stop);
        return nullptr;
    }
}

void FrameWindowView::openNextFile() {
    if (pendingFiles_.isEmpty() || closing_ || core_.loadRunning()) return;
    if (!canMakeChildren()) {
        pendingFiles_.clear();
        return;
    }
    if (startingChild_) {
        const auto* child = dynamic_cast<MdiChild*>(startingChild_.data());
        if (child && child->awaitingFirstData()) return;
    }
    const QString path = pendingFiles_.takeFirst();
    // A saved evaluation opens as "Open evaluation..." would open it.
    std::optional<OpenedEvaluation> evaluation;
    if (path.endsWith(QStringLiteral(".zeb"), Qt::CaseInsensitive)) {
        evaluation = PrepareEvaluation(platform_, path.toStdString());
        if (!evaluation) {
            QTimer::singleShot(0, this, &FrameWindowView::openNextFile);
            return;
        }
    }
    QWidget* child = makeChild(true);
    if (!child) return;
    if (auto* c = dynamic_cast<MdiChild*>(child)) {
        if (evaluation) c->openEvaluationOnActivation(*evaluation);
        else c->setFileToOpen(path.toStdString());
    }
    startingChild_ = child;
    addChild(child);
}

void FrameWindowView::dragEnterEvent(QDragEnterEvent* event) {
    const QMimeData* data = event->mimeData();
    if (data && data->hasUrls())
        for (const QUrl& url : data->urls())
            if (url.isLocalFile()) {
                event->acceptProposedAction();
                return;
            }
    event->ignore();
}

void FrameWindowView::dragMoveEvent(QDragMoveEvent* event) { event->acceptProposedAction(); }

void FrameWindowView::dropEvent(QDropEvent* event) {
    QStringList paths;
    if (const QMimeData* data = event->mimeData())
        for (const QUrl& url : data->urls())
            if (url.isLocalFile()) paths << url.toLocalFile();
    if (paths.isEmpty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    // Opened once the drop has ended: the load may show dialogs.
    QTimer::singleShot(0, this, [this, paths] { openFiles(paths); });
}

void FrameWindowView::buildToolBar() {
    QToolBar* bar = addToolBar("Tools");
    bar->setObjectName("ToolBar");
    bar->setMovable(false);
    bar->setIconSize(QSize(24, 24));
    auto button = [&](const char* name, const char* icon, const char* tip, auto slot) {
        auto* b = new QToolButton(bar);
        b->setObjectName(name);
        b->setIcon(QIcon(QString(":/app/") + icon));
        b->setToolTip(tip);
        b->setStatusTip(tip);
        b->setAutoRaise(true);
        connect(b, &QToolButton::clicked, this, slot);
        bar->addWidget(b);
        return b;
    };
    openBtn_ = button("OpenBtn", "open.svg", tx::TipOpen, [this] { loadNewFile(); });
    bar->addSeparator();
    cutBtn_ = button("CutBtn", "toggle.svg", tx::TipCut, [this] {
        if (MdiChild* c = activeChild()) c->deactivateDataRecord();
    });
    copyBtn_ = button("CopyBtn", "copy.svg", tx::TipCopy, [this] {
        if (MdiChild* c = activeChild()) c->exportDataToClipboard();
    });
    pasteBtn_ = button("PasteBtn", "paste.svg", tx::TipPaste, [this] {
        if (MdiChild* c = activeChild()) c->pasteDataFromClipboard();
    });
    bar->addSeparator();
    exitBtn_ = button("ExitBtn", "exit.svg", tx::TipExit, [this] { close(); });
}

MdiChild* FrameWindowView::activeChild() const {
    QMdiSubWindow* w = mdi_->activeSubWindow();
    return w ? dynamic_cast<MdiChild*>(w->widget()) : nullptr;
}

void FrameWindowView::rebuildMenuBar() {
    QMenuBar* bar = menuBar();
    bar->clear();
    MdiChild* child = activeChild();
    // The active plot window's menus take the place of the frame's File menu;
    // the Window menu stays and the plot window's Help menu replaces the frame's.
    loadAction_->setEnabled(child == nullptr && !core_.loadRunning());
    openEvaluationAction_->setEnabled(child == nullptr && !core_.loadRunning());
    if (child) {
        for (QAction* a : child->childMenuBarActions()) bar->addAction(a);
        bar->addMenu(windowMenu_);
        bar->addMenu(child->childHelpMenu());
    } else {
        bar->addMenu(fileMenu_);
        bar->addMenu(windowMenu_);
        bar->addMenu(helpMenu_);
    }
}

void FrameWindowView::updateMenuState() {
    core_.UpdateMenuState(static_cast<int>(mdi_->subWindowList().size()));
    cutBtn_->setEnabled(core_.enabled("CutBtn"));
    copyBtn_->setEnabled(core_.enabled("CopyBtn"));
    pasteBtn_->setEnabled(core_.enabled("PasteBtn"));
    cascadeAction_->setEnabled(core_.enabled("cascadeWindows"));
    tileAction_->setEnabled(core_.enabled("tileWindows"));
    arrangeAction_->setEnabled(core_.enabled("arrangeIcons"));
    minimizeAction_->setEnabled(core_.enabled("minimizeAllWindows"));
}

void FrameWindowView::loadNewFile() {
    // One file is read at a time in the whole program.
    if (core_.loadRunning() || !canMakeChildren()) return;
    if (QWidget* child = makeChild(false)) addChild(child);
}

void FrameWindowView::openEvaluation(const std::string& initialDir) {
    if (core_.loadRunning() || !canMakeChildren()) return;
    std::string dir = initialDir;
    if (dir.empty()) dir = GetPrivateProfileString(tx::SecSettings, tx::KeyDataPath, "", 259, core_.settingsPath());
    const auto opened = chooseEvaluationToOpen(platform_, dir);
    if (!opened || core_.loadRunning()) return;
    QWidget* child = makeChild(false);
    if (!child) return;
    if (auto* mdiChild = dynamic_cast<MdiChild*>(child)) mdiChild->openEvaluationOnActivation(*opened);
    addChild(child);
}

QMdiSubWindow* FrameWindowView::addChild(QWidget* child) {
    QMdiSubWindow* sub = mdi_->addSubWindow(child);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    // A new window opens with its client area at its preferred size (the plot
    // window: 728 x 515), or smaller where the frame has less room, and wholly
    // inside the window area.
    sub->adjustSize();
    const QSize room = mdi_->viewport()->size();
    if (room.isValid() && !room.isEmpty()) {
        sub->resize(sub->size().boundedTo(room));
        sub->move(std::clamp(sub->x(), 0, std::max(0, room.width() - sub->width())),
                  std::clamp(sub->y(), 0, std::max(0, room.height() - sub->height())));
    }
    connect(child, &QWidget::windowTitleChanged, this, &FrameWindowView::refreshCaptions);
    connect(sub, &QObject::destroyed, this, [this] {
        // The windows left may lose what told them apart, once this one is gone.
        QTimer::singleShot(0, this, &FrameWindowView::refreshCaptions);
        rebuildMenuBar();
        updateMenuState();
        QTimer::singleShot(0, this, &FrameWindowView::openNextFile);
    });
    sub->show();
    updateMenuState();
    rebuildMenuBar();
    return sub;
}

void FrameWindowView::refreshCaptions() {
    // Showing a caption changes a window's title, which calls this again.
    if (refreshingCaptions_ || closing_) return;
    refreshingCaptions_ = true;
    std::vector<MdiChild*> children;
    std::vector<WindowCaption> own;
    for (QMdiSubWindow* w : mdi_->subWindowList(QMdiArea::CreationOrder))
        if (auto* child = dynamic_cast<MdiChild*>(w->widget())) {
            children.push_back(child);
            own.push_back({child->ownCaption(), child->captionFile()});
        }
    const std::vector<std::string> shown = DistinctCaptions(own);
    for (std::size_t i = 0; i < children.size(); ++i) children[i]->showCaption(shown[i]);
    refreshingCaptions_ = false;
}

void FrameWindowView::showHelp(int context) {
    // A modal dialog blocks every window but its own children: help asked for
    // while one is open opens as its child (and goes with it), so that it can
    // be scrolled, followed and closed while the dialog waits.
    QWidget* modal = QApplication::activeModalWidget();
    if (modal && modal != help_) {
        auto* viewer = modal->findChild<HelpViewer*>(QString(), Qt::FindDirectChildrenOnly);
        if (!viewer) viewer = new HelpViewer(modal);
        viewer->showContext(context);
        return;
    }
    if (!help_) help_ = new HelpViewer(this);
    help_->showContext(context);
}

void FrameWindowView::setFileCommandsEnabled(bool enabled) {
    core_.FileCommandsEnabled(enabled);
    updateMenuState();
    const bool free = !core_.loadRunning();
    fileMenu_->setEnabled(free);
    loadAction_->setEnabled(free && !activeChild());
    openEvaluationAction_->setEnabled(free && !activeChild());
    openBtn_->setEnabled(free);
    for (QMdiSubWindow* w : mdi_->subWindowList())
        if (auto* child = dynamic_cast<MdiChild*>(w->widget())) child->loadStateChanged();
    // A load has ended: the next file given from outside, once the window
    // has taken the data of this one.
    if (free && !pendingFiles_.isEmpty()) QTimer::singleShot(0, this, &FrameWindowView::openNextFile);
}

void FrameWindowView::showStatus(const QString& text) {
    statusBar()->showMessage(text);
    statusBar()->repaint();
}

void FrameWindowView::showAbout() {
    AboutBox box(this);
    box.exec();
}

void FrameWindowView::wakeEvent(WakeGuard::Event event) { core_.OtherInput(event); }

void FrameWindowView::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (core_.firstActivationPending()) {
        // Qt's clipboard takes any mime type; registering the exchange format cannot fail here.
        if (!core_.activate([] { return true; })) close();
    }
}

void FrameWindowView::closeEvent(QCloseEvent* event) {
    if (closing_ || core_.mayClose()) {
        closing_ = true;
        for (QMdiSubWindow* w : mdi_->subWindowList())
            if (auto* child = dynamic_cast<MdiChild*>(w->widget())) child->closeWithoutQuestion();
        event->accept();
        return;
    }
    event->ignore();
}

bool FrameWindowView::eventFilter(QObject* watched, QEvent* event) {
    // Only input aimed at this frame's windows and its dialogs is guarded.
    switch (event->type()) {
    case QEvent::KeyPress: {
        if (!watched->isWidgetType()) break;
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->isAutoRepeat()) break;
        const bool ctrl = key->modifiers() & Qt::ControlModifier;
        int vk = 0;
        if (key->key() == Qt::Key_F4) vk = FrameWindow::kKeyF4;
        else if (key->key() == Qt::Key_F6) vk = FrameWindow::kKeyF6;
        else vk = 1;  // any other key
        // Nothing acts behind a modal dialog or an open menu.
        const bool modal = QApplication::activeModalWidget() != nullptr || QApplication::activePopupWidget() != nullptr;
        switch (core_.KeyDown(vk, ctrl, modal)) {
        case FrameWindow::KeyAction::COrder4:
            if (MdiChild* c = activeChild()) c->setCOrder(4);
            return true;
        case FrameWindow::KeyAction::COrderNo:
            if (MdiChild* c = activeChild()) c->setCOrder(0);
            return true;
        case FrameWindow::KeyAction::Swallow: return true;
        case FrameWindow::KeyAction::Pass: break;
        }
        break;
    }
    case QEvent::ShortcutOverride: {
        // Ctrl+F4 / Ctrl+F6 would close or cycle the sub-windows: claim them.
        auto* key = static_cast<QKeyEvent*>(event);
        if ((key->modifiers() & Qt::ControlModifier) && (key->key() == Qt::Key_F4 || key->key() == Qt::Key_F6) &&
            core_.childWindowCount() > 0) {
            event->accept();
            return false;
        }
        break;
    }
    case QEvent::MouseButtonPress: {
        if (!watched->isWidgetType()) break;
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && core_.OtherInput(WakeGuard::Event::LeftButtonDown)) return true;
        break;
    }
    case QEvent::Shortcut:
        if (core_.OtherInput(WakeGuard::Event::Command)) return true;
        break;
    default: break;
    }
    return QMainWindow::eventFilter(watched, event);
}

void FrameWindowView::connectDesktopSignals() {
    // What the desktop announces: the login manager's "about to sleep" and the
    // screen saver's activation. Without these services nothing is guarded.
    QDBusConnection::systemBus().connect("org.freedesktop.login1", "/org/freedesktop/login1",
                                         "org.freedesktop.login1.Manager", "PrepareForSleep", this,
                                         SLOT(onPrepareForSleep(bool)));
    QDBusConnection::sessionBus().connect("org.freedesktop.ScreenSaver", "/org/freedesktop/ScreenSaver",
                                          "org.freedesktop.ScreenSaver", "ActiveChanged", this,
                                          SLOT(onScreenSaverActive(bool)));
}

} // namespace zeb
