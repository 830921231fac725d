// What a plot window needs of the frame it lives in: the settings file and the
// global defaults, the program-wide load state, the frame's commands that the
// window's own menus offer as well, and the status bar. The frame implements
// it; the plot window knows nothing else of the frame.
#pragma once

#include <QList>
#include <QString>

#include <string>

class QAction;
class QObject;

namespace zeb {

struct FrameSaveDialog;
struct GlobalDefaults;

class PlotWindowHost {
public:
    virtual const std::string& settingsPath() const = 0;
    // The global defaults every new plot window copies ("Save to INI file"
    // writes them) and the save dialog of the exports, shared by all windows.
    virtual GlobalDefaults& defaults() = 0;
    virtual FrameSaveDialog& saveDialog() = 0;

    // Whether a file is being read anywhere in the program: one at a time.
    virtual bool anyLoadRunning() const = 0;
    // The load sequence disables the frame's file commands while it reads.
    virtual void setFileCommandsEnabled(bool enabled) = 0;

    // "&Load new file... " and "Open evaluation..." of the frame (the latter
    // starting in initialDir).
    virtual void loadNewFile() = 0;
    virtual void openEvaluation(const std::string& initialDir) = 0;
    // The entries of the recent files for the window's File menu, newest first.
    virtual QList<QAction*> recentFileActions(QObject* parent) = 0;
    virtual void showHelp(int context) = 0;
    virtual void showAbout() = 0;
    // A text in the frame's status bar, shown at once.
    virtual void showStatus(const QString& text) = 0;

protected:
    ~PlotWindowHost() = default;
};

} // namespace zeb
