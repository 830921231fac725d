// The data window: owns the measurement set of one window and the load
// sequence that fills it. The plot window's logic (PlotWindow) derives from it.
//
// Seams for the views and for the plot window:
// - view(): caption, the "Loading File ! Please Wait !" label, the "Abort Loading"
//   button, the hourglass cursor and the close request; menuEnabled() the
//   enabled state of "loadNewFile" and "addDataFile". The Qt window
//   mirrors them whenever onViewChanged fires.
// - onFrameFileCommands(bool): the main window enables or disables its File
//   menu and Open button (disabled while a file is read).
// - onCloseRequested(): the window must close now, without asking (first load
//   failed or cancelled). User closes go through mayClose().
// - makeRecordReview() / makeConcentrationTable(): the dialogs that review a
//   record file and complete a PLT file while it is read; the plot window
//   overrides them.
// - PrepareAfterFirstLoad() / AfterLoad(): the plot window overrides them. The
//   first runs once after the first successful load (return false and the
//   window closes); the second after every successful load (calculation, redraw).
// - setSettingsPath(): the settings file where "DataPath" in section "Settings"
//   and the recent files are read and written; with an empty path neither the
//   data directory nor the files opened are remembered.
// - Loading is exclusive: while a file is read, commandAvailable() is false for
//   every command of the window except those that neither read nor change its
//   data, results or chart (AvailableWhileLoading), and the handlers refuse to
//   run. anyLoadRunning (the main window answers) keeps a window from starting
//   a load while another window reads a file.
#pragma once

#include "data/FileAccess.h"
#include "data/LoadErrors.h"
#include "data/MeasurementLoader.h"
#include "data/MeasurementSet.h"
#include "data/Readers.h"

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace zeb {

class ConcentrationTable;
class Platform;
class RecordReview;

class DataWindow {
public:
    using EOvlConcAngle = zeb::EOvlConcAngle;
    using EInternalError = zeb::EInternalError;
    using EAbortLoad = zeb::EAbortLoad;
    using EGeneralFailure = zeb::EGeneralFailure;

    explicit DataWindow(Platform& platform);
    virtual ~DataWindow();
    DataWindow(const DataWindow&) = delete;
    DataWindow& operator=(const DataWindow&) = delete;

    Platform& platform() { return platform_; }
    MeasurementSet& set() { return set_; }
    const MeasurementSet& set() const { return set_; }

    // Handlers of the window.
    // First activation: creates the set and the review dialog and loads the first file.
    void activate();
    // "&Add data file...": loads one more file; restores the previous data when it fails.
    // Returns the load's result (refused while loading or before the first data: -3).
    int addDataFile();
    // "Abort Loading": the running reader stops at its next poll.
    void abortLoading() { loading_ = false; }
    // True when the window may close now (asks unless it still awaits its first data).
    bool mayClose();
    // "E&xit ": closes the window when mayClose agrees.
    void exitWindow();

    // Asks for a file and reads it: 1 success, -1 failure, -3 cancelled.
    // Every file read successfully goes to the head of the recent files.
    int LoadDataFile();
    // The next load reads this file without asking (a file given on the
    // command line, dropped on the frame or chosen from the recent files);
    // everything else of the load is as when the file is chosen in the dialog.
    void setFileToOpen(std::string path) { fileToOpen_ = std::move(path); }
    // The next loads read these files, in this order, instead of asking for a
    // file (opening a saved evaluation); each load takes one.
    void giveFilesToLoad(const std::vector<std::string>& paths) { givenPaths_.assign(paths.begin(), paths.end()); }

    // The files whose data the window holds, in the order they were loaded, each
    // with its identity as the load left it (a record file is corrected during
    // its load), so that a later change of the file can be told.
    const std::vector<LoadedFile>& loadedFiles() const { return loader_.files(); }
    // Concentration columns that came from loaded files (more in the set: pasted data).
    int concentrationsFromFiles() const { return loader_.concentrationsFromFiles(); }

    struct ViewState {
        std::string caption;
        std::string captionFile;  // the file the caption names
        bool loadingLabelVisible = true;   // "Loading File ! Please Wait !"
        bool abortLoadingVisible = true;   // "Abort Loading"
        bool hourglassCursor = false;
        bool closeRequested = false;
    };
    const ViewState& view() const { return view_; }
    bool menuEnabled(const std::string& item) const;

    // Commands that stay available while a file is read: "Abort Loading",
    // "Printer Setup..." and the help items.
    static bool AvailableWhileLoading(const std::string& command);
    // False while a file is read, except for the commands above; the two load
    // items also while another window reads a file.
    bool commandAvailable(const std::string& command) const;
    // A file is read in this window or (as far as anyLoadRunning tells) in another.
    bool loadBlocked() const;
    std::function<bool()> anyLoadRunning;

    std::function<void(bool enabled)> onFrameFileCommands;
    std::function<void()> onCloseRequested;
    std::function<void()> onViewChanged;

    // A file is being read.
    bool loading() const { return loading_; }
    bool awaitingFirstData() const { return awaitingFirstData_; }
    // The file being read (or read last) and its extension in upper case.
    const std::string& currentPath() const { return loader_.currentPath(); }
    const std::string& currentExtension() const { return loader_.currentExtension(); }
    // The record review of this window (made on first use, kept for the
    // window's life: it remembers what it showed of earlier records).
    RecordReview& recordReview();

    void setSettingsPath(std::string path) { settingsPath_ = std::move(path); }
    const std::string& settingsPath() const { return settingsPath_; }

protected:
    virtual bool PrepareAfterFirstLoad() { return true; }
    // The review of record files and the concentration table of PLT files.
    // The plot window gives its dialogs; without them every file is taken as
    // it is (Continue, Ignore).
    virtual std::unique_ptr<RecordReview> makeRecordReview();
    virtual std::unique_ptr<ConcentrationTable> makeConcentrationTable();
    virtual void AfterLoad() {}

    void setMenuEnabled(const std::string& item, bool enabled);
    void requestClose();
    void viewChanged();
    void frameFileCommands(bool enabled);

    Platform& platform_;
    MeasurementSet set_;

private:
    LoadAnswers loadAnswers();

    MeasurementLoader loader_;
    bool loading_ = false;
    bool awaitingFirstData_ = true;
    bool activated_ = false;
    std::string settingsPath_;
    std::string fileToOpen_;
    ViewState view_;
    std::map<std::string, bool> menuEnabled_;
    std::unique_ptr<RecordReview> recordReview_;
    std::deque<std::string> givenPaths_;
};

} // namespace zeb
