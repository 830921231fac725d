// The frame window: a multi-document area holding the plot windows, the frame's
// menus, tool bar and status bar. Its decisions are those of the core FrameWindow.
#pragma once

#include "app/FrameWindow.h"
#include "app/WakeGuard.h"
#include "plotwindow/DataExport.h"
#include "plotwindow/qt/PlotWindowHost.h"
#include "settings/PlotSettings.h"

#include <QMainWindow>
#include <QPointer>
#include <QStringList>

#include <functional>
#include <memory>

class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QAction;
class QToolButton;

namespace zeb {

class QtPlatform;
class HelpViewer;
class MdiChild;

class FrameWindowView : public QMainWindow, public PlotWindowHost {
    Q_OBJECT
public:
    // Makes a plot window of this frame (the program's makes a PlotWindowView).
    using ChildFactory = std::function<QWidget*(FrameWindowView&)>;
    // A frame without makeChild opens no window: each attempt is reported as a
    // fault of the program.
    FrameWindowView(QtPlatform& platform, std::string settingsPath, ChildFactory makeChild, QWidget* parent = nullptr);
    ~FrameWindowView() override;

    FrameWindow& core() { return core_; }
    QMdiArea* mdiArea() const { return mdi_; }
    QtPlatform& platform() { return platform_; }

    // "&Load new file... ": a new plot window that loads at once.
    void loadNewFile() override;
    // "Open evaluation...": asks for a saved evaluation (starting in initialDir,
    // else the data folder) and opens it in a new plot window.
    void openEvaluation(const std::string& initialDir) override;
    // Adds a plot window to the frame and shows it.
    QMdiSubWindow* addChild(QWidget* child);
    // Opens each file in a plot window of its own, as "&Load new file... " would
    // with the file chosen (files given on the command line, dropped on the
    // frame, chosen from the recent files). One file is read at a time: each
    // window opens when the one before has read its file.
    void openFiles(const QStringList& paths);
    // The entries of the recent files for a File menu (the frame's and each
    // plot window's), newest first; empty when no file was opened yet.
    QList<QAction*> recentFileActions(QObject* parent) override;

    void showHelp(int context) override;
    // "&Cascade": every plot window wholly inside the window area, however many.
    void cascadeWindows();
    // The frame at its start size, or smaller where its screen has less room
    // (done at creation; again after the frame was put on another screen).
    void fitIntoScreen();
    // The global defaults (read at start, written by "Save to INI file") and the
    // frame's save dialog of the exports.
    GlobalDefaults& defaults() override { return defaults_; }
    FrameSaveDialog& saveDialog() override { return saveDialog_; }
    // The load sequence disables the File menu and the Open button while a file
    // is read; every plot window's load commands follow.
    void setFileCommandsEnabled(bool enabled) override;
    void showAbout() override;
    // PlotWindowHost
    const std::string& settingsPath() const override { return core_.settingsPath(); }
    bool anyLoadRunning() const override { return core_.loadRunning(); }
    void showStatus(const QString& text) override;
    // A wake-related event from the desktop (also used by tests).
    void wakeEvent(WakeGuard::Event event);

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private slots:
    void onPrepareForSleep(bool starting) {
        if (starting) wakeEvent(WakeGuard::Event::SuspendRequest);
    }
    void onScreenSaverActive(bool active) {
        if (active) wakeEvent(WakeGuard::Event::ScreenSaver);
    }

private:
    void buildActions();
    void buildMenus();
    void buildToolBar();
    void rebuildMenuBar();
    // Tells plot windows of the same name apart in their captions (and so in the Window menu).
    void refreshCaptions();
    void updateMenuState();
    MdiChild* activeChild() const;
    void connectDesktopSignals();
    void openNextFile();
    void fillFileMenu();
    // Whether plot windows can be made; when not, says so (a fault of the program).
    bool canMakeChildren();
    // A new plot window; null when there was no memory for it (said, after
    // dropping the files still to be opened when dropPendingFiles).
    QWidget* makeChild(bool dropPendingFiles);

    QtPlatform& platform_;
    FrameWindow core_;
    ChildFactory makeChild_;
    QMdiArea* mdi_;
    HelpViewer* help_ = nullptr;
    QMenu* fileMenu_ = nullptr;
    QMenu* windowMenu_ = nullptr;
    QMenu* helpMenu_ = nullptr;
    QAction* loadAction_ = nullptr;
    QAction* openEvaluationAction_ = nullptr;
    QAction* exitAction_ = nullptr;
    QAction* cascadeAction_ = nullptr;
    QAction* tileAction_ = nullptr;
    QAction* arrangeAction_ = nullptr;
    QAction* minimizeAction_ = nullptr;
    QToolButton* openBtn_ = nullptr;
    QToolButton* cutBtn_ = nullptr;
    QToolButton* copyBtn_ = nullptr;
    QToolButton* pasteBtn_ = nullptr;
    QToolButton* exitBtn_ = nullptr;
    bool closing_ = false;
    bool refreshingCaptions_ = false;
    QStringList pendingFiles_;
    QPointer<QWidget> startingChild_;  // the window that reads the file opened last
    GlobalDefaults defaults_;
    FrameSaveDialog saveDialog_;
};

} // namespace zeb
