// The load sequence of the data window: the file dialog, the remembered data
// directory, the checks before a reader runs, the dispatch by extension, the
// first load of a new window, "&Add data file..." with its rollback, and
// closing the window.
#include "texts/CommonTexts.h"
#include "texts/DataTexts.h"
#include "texts/FileTexts.h"
#include "texts/ReadCheckTexts.h"
#include "texts/SettingsTexts.h"
#include "data/ConcentrationTable.h"
#include "data/FileAccess.h"
#include "data/ReaderFiles.h"
#include "data/Readers.h"
#include "data/RecordReview.h"
#include "data/TFitF.h"
#include "platform/Platform.h"
#include "settings/Profile.h"
#include "settings/RecentFiles.h"

#include <cctype>
#include <sys/stat.h>
#include <filesystem>
#include <new>

namespace zeb {

namespace {

constexpr std::size_t kDataPathChars = 259;

struct PathParts {
    std::string directory;  // with its trailing slash
    std::string name;       // without the extension
    std::optional<std::string> extension;  // without the dot
};

PathParts splitPath(const std::string& path) {
    PathParts parts;
    const auto slash = path.find_last_of('/');
    parts.directory = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    std::string file = slash == std::string::npos ? path : path.substr(slash + 1);
    const auto dot = file.rfind('.');
    if (dot != std::string::npos) {
        parts.extension = file.substr(dot + 1);
        file.resize(dot);
    }
    parts.name = file;
    return parts;
}

std::string upper(std::string s) {
    for (char& ch : s) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    return s;
}

std::string absolutePath(const std::string& path) {
    std::error_code ec;
    const auto absolute = std::filesystem::absolute(path, ec);
    return ec ? path : absolute.lexically_normal().string();
}

} // namespace

int TFitF::LoadDataFile() {
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
    int result = kLoadFailed;
    try {
        if (!set_.initialised() && set_.InitMeasurementSet() != 1) throw std::bad_alloc();
        result = loadChosenFile(*chosen);
    } catch (const EOvlConcAngle&) {
        platform_.beep();
        platform_.inform(tx::TooManyConcOrAngles, tx::CapError, MsgIcon::Exclamation);
        result = kLoadFailed;
    } catch (const EInternalError&) {
        result = kLoadFailed;  // the store has shown its message
    } catch (const EAbortLoad&) {
        result = kLoadCancelled;
    } catch (const std::bad_alloc&) {
        platform_.inform(tx::ErrorAllocationMemory, tx::CapError, MsgIcon::Exclamation);
        result = kLoadFailed;
    }
    if (result == kLoadOk && !settingsPath_.empty()) RememberRecentFile(currentPath_, settingsPath_);
    frameFileCommands(true);
    loading_ = false;
    return result;
}

int TFitF::loadChosenFile(const std::string& chosen) {
    const std::string path = absolutePath(chosen);
    // Reading needs read access only: a file on a read-only medium loads.
    if (const int error = ReadAccessError(path)) {
        platform_.beep();
        platform_.inform(std::string(tx::FileCannotBeOpened) + "\n" + path + ": " + SystemReason(error), tx::CapError,
                         MsgIcon::Exclamation);
        return kLoadFailed;
    }
    const PathParts parts = splitPath(path);
    if (!parts.extension) {
        platform_.inform(tx::ExtensionMissing, tx::CapInformation, MsgIcon::Exclamation);
        return kLoadFailed;
    }
    setCurrentPath(path);
    currentExtension_ = upper(*parts.extension);
    // The directory is remembered also when the file is refused below.
    if (!settingsPath_.empty())
        WritePrivateProfileString(tx::SecSettings, tx::KeyDataPath, parts.directory, settingsPath_);
    if (awaitingFirstData_) {
        view_.caption = parts.name;
        view_.hourglassCursor = true;
        viewChanged();
    }
    const std::string& ext = currentExtension_;
    if (ext != "STA" && ext != "DAT" && ext != "PLT" && ext != "PLX" && ext != "ASC") {
        platform_.beep();
        platform_.inform(tx::UnknownFileFormat, tx::CapError, MsgIcon::Information);
        return kLoadFailed;
    }
    const auto first = ReadFirstBytes(path, 4);
    if (!first) {
        platform_.beep();
        platform_.inform(std::string(tx::FileCannotBeOpened) + "\n" + path + ": the file holds fewer than 4 bytes",
                         tx::CapError, MsgIcon::Exclamation);
        return kLoadFailed;
    }
    if (*first == "DASC" || *first == "DBIN" || *first == "ZEB-") {
        platform_.beep();
        platform_.inform(tx::NoSlsData, tx::CapError, MsgIcon::Exclamation);
        return kLoadFailed;
    }
    return dispatch();
}

// The file is read once, read-only, up to the largest file of its format;
// the reader gets its bytes.
int TFitF::dispatch() {
    const std::string& ext = currentExtension_;
    const std::uint64_t maxBytes = ext == "STA" || ext == "DAT" ? kMaxRecordFileBytes
                                   : ext == "ASC"               ? kMaxAscFileBytes
                                                                : kMaxPltPlxFileBytes;
    FileBytes file = ReadFileBytes(currentPath_, maxBytes);
    if (file.status == FileBytes::Status::TooLarge) {
        platform_.beep();
        platform_.inform(std::string(tx::FileTooLarge) + "\n" + TooLargeDetail(currentPath_, file, maxBytes),
                         tx::CapError, MsgIcon::Exclamation);
        return kLoadFailed;
    }
    if (!file.ok()) {
        platform_.beep();
        platform_.inform(std::string(tx::FileCannotBeOpened) + "\n" + CannotReadDetail(currentPath_, file),
                         tx::CapError, MsgIcon::Exclamation);
        return kLoadFailed;
    }
    return readCurrentFile(std::move(file.bytes), file.identity);
}

int TFitF::readCurrentFile(std::string bytes, const FileIdentity& identity) {
    DiskFiles files(currentPath_);
    ReaderInput in{currentPath_, identity, set_, platform_, files, [this] { return loading_; }};
    const std::string& ext = currentExtension_;
    if (ext == "STA" || ext == "DAT") return ReadRecordBytes(std::move(bytes), in, recordReview());
    if (ext == "PLT") {
        const std::unique_ptr<ConcentrationTable> table = makeConcentrationTable();
        KeepConcentrations keep;
        return ReadPltBytes(bytes, in, table ? *table : keep);
    }
    if (ext == "PLX") return ReadPlxBytes(bytes, in);
    return ReadAscBytes(bytes, in);
}

void TFitF::recordLoadedFile() {
    LoadedFile file{currentPath_, std::nullopt};
    struct stat st {};
    if (::stat(currentPath_.c_str(), &st) == 0) file.identity = IdentityOf(st);
    loadedFiles_.push_back(std::move(file));
    concentrationsFromFiles_ = set_.lastConcIndex;
}

void TFitF::FormActivate() {
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
    recordLoadedFile();
    AfterLoad();
}

int TFitF::ID_DATEI_DAZULADENClick() {
    // A second load while one runs (here or in another window), or before the
    // window holds data, is refused.
    if (loadBlocked() || awaitingFirstData_ || view_.closeRequested) return kLoadCancelled;
    set_.savedConcIndex = set_.lastConcIndex;
    set_.savedAngleIndex = set_.lastAngleIndex;
    const std::string sampleName = set_.sampleName;
    const std::string solventName = set_.solventName;
    setMenuEnabled("ID_DATEI_LADEN", false);
    setMenuEnabled("ID_DATEI_DAZULADEN", false);
    frameFileCommands(false);
    view_.abortLoadingVisible = true;
    loading_ = true;
    viewChanged();

    const int result = LoadDataFile();
    if (result > 0) {
        recordLoadedFile();
        AfterLoad();
    } else {
        // The window keeps exactly the data it had before.
        set_.lastConcIndex = set_.savedConcIndex;
        set_.lastAngleIndex = set_.savedAngleIndex;
        set_.sampleName = sampleName;
        set_.solventName = solventName;
    }
    setMenuEnabled("ID_DATEI_LADEN", true);
    setMenuEnabled("ID_DATEI_DAZULADEN", true);
    frameFileCommands(true);
    view_.abortLoadingVisible = false;
    viewChanged();
    return result;
}

bool TFitF::FormCloseQuery() {
    if (loading_) return false;
    if (awaitingFirstData_) return true;
    return platform_.message(tx::CloseWindowReally, tx::CapZebStat, MsgButtons::YesNo, MsgIcon::Question,
                             MsgAnswer::No) == MsgAnswer::Yes;
}

void TFitF::ID_DATEI_BEENDENClick() {
    if (FormCloseQuery()) requestClose();
}

} // namespace zeb
