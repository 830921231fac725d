// The load sequence of the data window: the file dialog, the remembered data
// directory, the first load of a new window, "&Add data file..." and closing
// the window. The reading itself is the measurement loader's.
#include "texts/CommonTexts.h"
#include "texts/DataTexts.h"
#include "texts/FileTexts.h"
#include "texts/ReadCheckTexts.h"
#include "texts/SettingsTexts.h"
#include "data/ConcentrationTable.h"
#include "data/RecordReview.h"
#include "data/DataWindow.h"
#include "platform/PathName.h"
#include "platform/Platform.h"
#include "settings/Profile.h"
#include "settings/RecentFiles.h"

namespace zeb {

namespace {

constexpr std::size_t kDataPathChars = 259;

} // namespace

LoadAnswers DataWindow::loadAnswers() {
    LoadAnswers answers;
    answers.review = &recordReview();
    answers.concentrationTable = [this] { return makeConcentrationTable(); };
    answers.stillLoading = [this] { return loading_; };
    answers.onReading = [this](const std::string& path) {
        // The folder is remembered also when the file is refused after this.
        if (!settingsPath_.empty())
            WritePrivateProfileString(tx::SecSettings, tx::KeyDataPath, path.substr(0, path.find_last_of('/') + 1),
                                      settingsPath_);
        if (awaitingFirstData_) {
            std::string name = FileNameOf(path);
            if (const auto dot = name.rfind('.'); dot != std::string::npos) name.resize(dot);
            view_.caption = name;
            view_.captionFile = path;
            view_.hourglassCursor = true;
            viewChanged();
        }
    };
    return answers;
}

int DataWindow::LoadDataFile() {
    std::optional<std::string> chosen;
    if (!fileToOpen_.empty()) {
        chosen = std::move(fileToOpen_);
        fileToOpen_.clear();
    } else if (!givenPaths_.empty()) {
        chosen = givenPaths_.front();
        givenPaths_.pop_front();
    } else {
        std::string dataPath;
        if (!settingsPath_.empty())
            dataPath = GetPrivateProfileString(tx::SecSettings, tx::KeyDataPath, "", kDataPathChars, settingsPath_);
        FileDialogRequest request;
        request.filter = tx::LoadFileFilter;
        request.filterIndex = 1;
        request.initialDir = dataPath;
        request.mustExist = true;
        chosen = platform_.openFileName(request);
    }
    if (!chosen) {
        loading_ = false;
        return kLoadCancelled;
    }

    frameFileCommands(false);
    loading_ = true;
    const int result = LoadResultNumber(loader_.load(*chosen, loadAnswers()));
    if (result == kLoadOk && !settingsPath_.empty()) RememberRecentFile(currentPath(), settingsPath_);
    frameFileCommands(true);
    loading_ = false;
    return result;
}

void DataWindow::activate() {
    if (activated_) return;
    activated_ = true;
    if (set_.InitMeasurementSet() != 1) {
        platform_.inform(tx::NotEnoughMemoryForLoading, tx::CapInformation, MsgIcon::Exclamation);
        requestClose();
        return;
    }
    recordReview();
    const int result = LoadDataFile();
    awaitingFirstData_ = result < 1;
    if (awaitingFirstData_) {
        requestClose();
        return;
    }
    view_.hourglassCursor = false;
    view_.loadingLabelVisible = false;
    view_.abortLoadingVisible = false;
    viewChanged();
    if (!PrepareAfterFirstLoad()) {
        requestClose();
        return;
    }
    AfterLoad();
}

int DataWindow::addDataFile() {
    // A second load while one runs (here or in another window), or before the
    // window holds data, is refused.
    if (loadBlocked() || awaitingFirstData_ || view_.closeRequested) return kLoadCancelled;
    setMenuEnabled("loadNewFile", false);
    setMenuEnabled("addDataFile", false);
    frameFileCommands(false);
    view_.abortLoadingVisible = true;
    loading_ = true;
    viewChanged();

    // A file that does not load leaves the window exactly the data it had before.
    const int result = LoadDataFile();
    if (result > 0) AfterLoad();
    setMenuEnabled("loadNewFile", true);
    setMenuEnabled("addDataFile", true);
    frameFileCommands(true);
    view_.abortLoadingVisible = false;
    viewChanged();
    return result;
}

bool DataWindow::mayClose() {
    if (loading_) return false;
    if (awaitingFirstData_) return true;
    return platform_.message(tx::CloseWindowReally, tx::CapZebStat, MsgButtons::YesNo, MsgIcon::Question,
                             MsgAnswer::No) == MsgAnswer::Yes;
}

void DataWindow::exitWindow() {
    if (mayClose()) requestClose();
}

} // namespace zeb
