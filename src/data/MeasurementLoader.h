// Reading measurement files into one set, without a window: the first file
// starts the set, every further file adds its concentrations to it ("Load new
// file..." and "Add data file..." of a plot window, the files of a batch run,
// a Python script's measurement).
//
// A file is named by its path and read read-only, at most up to the largest
// file of its format; the extension chooses the reader (.sta, .dat, .plt, .plx,
// .asc, in any case). What the reading asks is answered through LoadAnswers: the
// review of record files and the concentration table of PLT files (the window's
// dialogs; without them every file is taken as it is), and whether the load may
// go on. Every message goes to the platform as it arises: the window shows a
// message box, the batch tool prints it, a ScriptedPlatform keeps it as data.
// A file that fails or is cancelled leaves the set with exactly the data it
// had before. A file added to data of another sample (its sample name,
// solvent, wavelength or temperature differs) is told in a message; its data
// are added all the same.
#pragma once

#include "data/FileAccess.h"
#include "data/MeasurementSet.h"
#include "texts/Message.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zeb {

class ConcentrationTable;
class Platform;
class ReaderFiles;
class RecordReview;

// The outcome of reading one file.
enum class LoadOutcome {
    Loaded,     // the file's data are in the set
    Failed,     // refused or unreadable; a message has said why
    Cancelled,  // the user aborted (review dialog, concentration table, "Abort Loading")
};

// The number the load sequence has always answered: 1 loaded, -1 failed, -3 cancelled.
int LoadResultNumber(LoadOutcome outcome);

// What the reading of a file asks, answered.
struct LoadAnswers {
    // The review of record files; none: "Continue without any change".
    RecordReview* review = nullptr;
    // The concentration table of a PLT file, made when one is read; none (or
    // a null table): the file's values are kept and no PLX file is saved.
    std::function<std::unique_ptr<ConcentrationTable>()> concentrationTable;
    // Polled while the data are stored; false stops the load ("Abort Loading").
    std::function<bool()> stillLoading;
    // Called once the file's name has passed its checks, before its format is
    // looked at: the window takes its caption and remembers the folder.
    std::function<void(const std::string& path)> onReading;
};

// A file whose data a set holds, with its identity as the load left it (a
// record file is corrected during its load), so that a later change can be told.
struct LoadedFile {
    std::string path;                       // absolute
    std::optional<FileIdentity> identity;   // empty when the file could not be examined
};

class MeasurementLoader {
public:
    // set receives the data (initialised on the first load); platform takes the
    // messages and answers the questions.
    MeasurementLoader(MeasurementSet& set, Platform& platform);

    // Reads the file at path (made absolute) into the set.
    LoadOutcome load(const std::string& path, const LoadAnswers& answers = {});
    // The same from bytes already in memory: path names the file in messages and
    // chooses the reader by its extension; corrections go to files.
    LoadOutcome loadBytes(const std::string& path, std::string bytes, const FileIdentity& identity,
                          ReaderFiles& files, const LoadAnswers& answers = {});

    // The files loaded, in order.
    const std::vector<LoadedFile>& files() const { return files_; }
    // Concentration columns that came from loaded files (more in the set: pasted data).
    int concentrationsFromFiles() const { return concentrationsFromFiles_; }
    // The file being read (or read last); its extension in upper case.
    const std::string& currentPath() const { return currentPath_; }
    const std::string& currentExtension() const { return currentExtension_; }

private:
    LoadOutcome guarded(const std::function<LoadOutcome()>& read);
    std::optional<LoadOutcome> checkName(const std::string& path, const LoadAnswers& answers);
    LoadOutcome readBytes(std::string bytes, const FileIdentity& identity, ReaderFiles& files,
                          const LoadAnswers& answers);
    std::string otherSampleLines(const std::string& sampleBefore, const std::string& solventBefore,
                                 int concentrationsBefore) const;

    MeasurementSet& set_;
    Platform& platform_;
    std::vector<LoadedFile> files_;
    int concentrationsFromFiles_ = 0;
    std::string currentPath_;
    std::string currentExtension_;
};

// A measurement loaded from files, owning its set. The set tells its later
// messages (after the load) to `messages`.
struct LoadedMeasurement {
    MessageLog messages;
    MeasurementSet set{messages};
    std::vector<LoadedFile> files;
    LoadOutcome outcome = LoadOutcome::Failed;
    std::string failedFile;  // the file that failed or was cancelled
    bool loaded() const { return outcome == LoadOutcome::Loaded; }
};

// Loads the files into one set, the first as the set's first load and the
// others added, stopping at the first that fails or is cancelled. The messages
// go to the platform (a ScriptedPlatform keeps them; its questions take their
// default answers).
std::unique_ptr<LoadedMeasurement> LoadMeasurement(const std::vector<std::string>& paths, Platform& platform,
                                                   const LoadAnswers& answers = {});

} // namespace zeb
