// What the frame needs of a plot window inside it: its menus (which take the
// place of the frame's File and Edit menus while it is active), the commands of
// the tool bar and of Ctrl+F4 / Ctrl+F6, and a way to close it without asking.
#pragma once

#include <QList>

#include <string>

class QAction;
class QMenu;

namespace zeb {

struct OpenedEvaluation;

class MdiChild {
public:
    virtual ~MdiChild() = default;
    // The entries of the menu bar in order, without the Help menu: the menus'
    // own actions, and plain commands such as "Plot-&Options".
    virtual QList<QAction*> childMenuBarActions() = 0;
    virtual QMenu* childHelpMenu() = 0;
    virtual void setCOrder(int order) = 0;  // 0 = "no"
    virtual void deactivateDataRecord() = 0;   // "De-/Activate data"
    virtual void exportDataToClipboard() = 0;  // "Export data to clipboard"
    virtual void pasteDataFromClipboard() = 0; // "Paste data from clipboard"
    // The frame is closing: close without the close question.
    virtual void closeWithoutQuestion() = 0;
    // A load started or ended somewhere in the program: the window's load
    // commands follow.
    virtual void loadStateChanged() = 0;
    // The window's first load reads this file instead of asking for one (set
    // before the window is shown).
    virtual void setFileToOpen(const std::string& path) = 0;
    // True until the window holds the data of its first load.
    virtual bool awaitingFirstData() const = 0;
    // Set before the window is shown: its first load opens this saved
    // evaluation (its files and settings) instead of asking for a file.
    virtual void openEvaluationOnActivation(const OpenedEvaluation& evaluation) = 0;
    // The window's own caption and the file it names (empty until it has one).
    virtual std::string ownCaption() const = 0;
    virtual std::string captionFile() const = 0;
    // The caption the frame shows for the window: its own, or one that tells
    // it apart from a window of the same name (see WindowCaptions.h).
    virtual void showCaption(const std::string& caption) = 0;
};

} // namespace zeb
