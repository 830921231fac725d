// The checks before a reader runs (read access, the extension, the first
// bytes, the size), the dispatch by extension, the grid limit and memory, and
// the rollback of a file that did not load.
#include "data/MeasurementLoader.h"

#include "data/ConcentrationTable.h"
#include "data/ReaderFiles.h"
#include "data/Readers.h"
#include "data/RecordReview.h"
#include "platform/PathName.h"
#include "platform/Platform.h"
#include "texts/CommonTexts.h"
#include "texts/DataTexts.h"
#include "texts/FileTexts.h"
#include "texts/ReadCheckTexts.h"

#include <sys/stat.h>

#include "data/CFormat.h"

#include <cctype>
#include <cmath>
#include <filesystem>
#include <new>

namespace zeb {

namespace {

std::string upper(std::string s) {
    for (char& ch : s) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    return s;
}

std::string absolutePath(const std::string& path) {
    std::error_code ec;
    const auto absolute = std::filesystem::absolute(path, ec);
    return ec ? path : absolute.lexically_normal().string();
}

// The extension without its dot, when the file name has one.
std::optional<std::string> extensionOf(const std::string& path) {
    const std::string name = FileNameOf(path);
    const auto dot = name.rfind('.');
    if (dot == std::string::npos) return std::nullopt;
    return name.substr(dot + 1);
}

bool isRecordFile(const std::string& ext) { return ext == "STA" || ext == "DAT"; }

std::uint64_t largestFileOf(const std::string& ext) {
    return isRecordFile(ext) ? kMaxRecordFileBytes : ext == "ASC" ? kMaxAscFileBytes : kMaxPltPlxFileBytes;
}

} // namespace

int LoadResultNumber(LoadOutcome outcome) {
    switch (outcome) {
    case LoadOutcome::Loaded: return kLoadOk;
    case LoadOutcome::Cancelled: return kLoadCancelled;
    case LoadOutcome::Failed: break;
    }
    return kLoadFailed;
}

MeasurementLoader::MeasurementLoader(MeasurementSet& set, Platform& platform) : set_(set), platform_(platform) {}

namespace {

std::string withoutTrailingBlanks(std::string s) {
    while (!s.empty() && (s.back() == ' ' || s.back() == '\0')) s.pop_back();
    return s;
}

// The wavelengths (nm) of the points with data of concentrations from..to.
std::vector<double> wavelengthsNm(const MeasurementSet& set, int from, int to) {
    std::vector<double> out;
    for (int c = from; c <= to; ++c)
        for (int a = 1; a <= set.lastAngleIndex; ++a)
            if (const DataPoint* p = set.cell(c, a); p && p->hasData != 0 && p->wavelengthCm > 0.0) {
                const double nm = p->wavelengthCm * 1e7;
                bool known = false;
                for (double w : out) known = known || std::fabs(w - nm) <= 0.05;
                if (!known) out.push_back(nm);
            }
    return out;
}

std::vector<double> temperaturesK(const MeasurementSet& set, int from, int to) {
    std::vector<double> out;
    for (int c = from; c <= to; ++c) {
        const double t = set.temperature[static_cast<std::size_t>(c)];
        bool known = t <= 0.0;  // unknown
        for (double k : out) known = known || std::fabs(k - t) <= 0.05;
        if (!known) out.push_back(t);
    }
    return out;
}

// A value of the added file that none of the earlier data has: "wavelength
// 532 nm (before: 632.8 nm)".
void compare(const std::vector<double>& added, const std::vector<double>& before, const char* what, const char* unit,
             std::string& lines) {
    if (before.empty()) return;
    for (double v : added) {
        bool known = false;
        for (double b : before) known = known || std::fabs(b - v) <= 0.05;
        if (!known) {
            lines += CFormat("\n%s %.7g %s (before: %.7g %s)", what, v, unit, before.front(), unit);
            return;
        }
    }
}

} // namespace

// What a file added to data tells of another sample: the lines of the message,
// empty when sample name, solvent, wavelength and temperature agree (a value
// one of the two leaves open agrees).
std::string MeasurementLoader::otherSampleLines(const std::string& sampleBefore, const std::string& solventBefore,
                                                int concentrationsBefore) const {
    std::string lines;
    const std::string sample = withoutTrailingBlanks(set_.sampleName), before = withoutTrailingBlanks(sampleBefore);
    if (!sample.empty() && !before.empty() && sample != before)
        lines += "\nsample name \"" + sample + "\" (before: \"" + before + "\")";
    const std::string solvent = withoutTrailingBlanks(set_.solventName), solventWas = withoutTrailingBlanks(solventBefore);
    if (!solvent.empty() && !solventWas.empty() && solvent != solventWas)
        lines += "\nsolvent \"" + solvent + "\" (before: \"" + solventWas + "\")";
    compare(wavelengthsNm(set_, concentrationsBefore + 1, set_.lastConcIndex), wavelengthsNm(set_, 1, concentrationsBefore),
            "wavelength", "nm", lines);
    compare(temperaturesK(set_, concentrationsBefore + 1, set_.lastConcIndex), temperaturesK(set_, 1, concentrationsBefore),
            "temperature", "K", lines);
    return lines;
}

LoadOutcome MeasurementLoader::guarded(const std::function<LoadOutcome()>& read) {
    // A file added to data keeps them when it fails: the set is put back as it was.
    const bool adding = !files_.empty();
    const std::string sampleName = set_.sampleName;
    const std::string solventName = set_.solventName;
    const int concentrationsBefore = set_.lastConcIndex;
    if (adding) {
        set_.savedConcIndex = set_.lastConcIndex;
        set_.savedAngleIndex = set_.lastAngleIndex;
    }
    LoadOutcome outcome = LoadOutcome::Failed;
    try {
        if (!set_.initialised() && set_.InitMeasurementSet() != 1) throw std::bad_alloc();
        outcome = read();
    } catch (const EOvlConcAngle& tooMany) {
        platform_.beep();
        platform_.inform(tx::TooManyConcOrAngles + tooMany.detail, tx::CapError, MsgIcon::Exclamation);
        outcome = LoadOutcome::Failed;
    } catch (const EInternalError&) {
        outcome = LoadOutcome::Failed;  // the set has shown its message
    } catch (const EAbortLoad&) {
        outcome = LoadOutcome::Cancelled;
    } catch (const std::bad_alloc&) {
        platform_.inform(tx::ErrorAllocationMemory, tx::CapError, MsgIcon::Exclamation);
        outcome = LoadOutcome::Failed;
    }
    if (outcome == LoadOutcome::Loaded) {
        LoadedFile file{currentPath_, std::nullopt};
        struct stat st {};
        if (::stat(currentPath_.c_str(), &st) == 0) file.identity = IdentityOf(st);
        files_.push_back(std::move(file));
        concentrationsFromFiles_ = set_.lastConcIndex;
        // Files of different samples in one evaluation are told; the load goes on.
        if (adding)
            if (const std::string lines = otherSampleLines(sampleName, solventName, concentrationsBefore); !lines.empty())
                platform_.inform(std::string(tx::AddedFileOfAnotherSample) + "\n" + currentPath_ + lines,
                                 tx::CapInformation, MsgIcon::Information);
    } else if (adding) {
        set_.lastConcIndex = set_.savedConcIndex;
        set_.lastAngleIndex = set_.savedAngleIndex;
        set_.sampleName = sampleName;
        set_.solventName = solventName;
    }
    return outcome;
}

std::optional<LoadOutcome> MeasurementLoader::checkName(const std::string& path, const LoadAnswers& answers) {
    const std::optional<std::string> ext = extensionOf(path);
    if (!ext) {
        platform_.inform(tx::ExtensionMissing, tx::CapInformation, MsgIcon::Exclamation);
        return LoadOutcome::Failed;
    }
    currentPath_ = path;
    set_.defaultSourceName = path;
    currentExtension_ = upper(*ext);
    if (answers.onReading) answers.onReading(path);
    const std::string& e = currentExtension_;
    if (!isRecordFile(e) && e != "PLT" && e != "PLX" && e != "ASC") {
        platform_.beep();
        platform_.inform(tx::UnknownFileFormat, tx::CapError, MsgIcon::Information);
        return LoadOutcome::Failed;
    }
    return std::nullopt;
}

LoadOutcome MeasurementLoader::load(const std::string& given, const LoadAnswers& answers) {
    MessageFileScope named(platform_, given);
    return guarded([&] {
        const std::string path = absolutePath(given);
        // Reading needs read access only: a file on a read-only medium loads.
        // The file is opened once: its first bytes are looked at, then it is read.
        FileForReading opened(path);
        if (const int error = opened.error()) {
            platform_.beep();
            platform_.inform(std::string(tx::FileCannotBeOpened) + "\n" + path + ": " + SystemReason(error),
                             tx::CapError, MsgIcon::Exclamation);
            return LoadOutcome::Failed;
        }
        if (const auto refused = checkName(path, answers)) return *refused;
        const auto first = opened.firstBytes(4);
        if (!first) {
            platform_.beep();
            platform_.inform(std::string(tx::FileCannotBeOpened) + "\n" + path + ": the file holds fewer than 4 bytes",
                             tx::CapError, MsgIcon::Exclamation);
            return LoadOutcome::Failed;
        }
        if (*first == "DASC" || *first == "DBIN" || *first == "ZEB-") {
            platform_.beep();
            platform_.inform(tx::NoSlsData, tx::CapError, MsgIcon::Exclamation);
            return LoadOutcome::Failed;
        }
        // The file is read once, read-only, up to the largest file of its format.
        const std::uint64_t maxBytes = largestFileOf(currentExtension_);
        FileBytes file = opened.readAll(maxBytes);
        if (file.status == FileBytes::Status::TooLarge) {
            platform_.beep();
            platform_.inform(std::string(tx::FileTooLarge) + "\n" + TooLargeDetail(path, file, maxBytes),
                             tx::CapError, MsgIcon::Exclamation);
            return LoadOutcome::Failed;
        }
        if (!file.ok()) {
            platform_.beep();
            platform_.inform(std::string(tx::FileCannotBeOpened) + "\n" + CannotReadDetail(path, file), tx::CapError,
                             MsgIcon::Exclamation);
            return LoadOutcome::Failed;
        }
        DiskFiles files(path);
        return readBytes(std::move(file.bytes), file.identity, files, answers);
    });
}

LoadOutcome MeasurementLoader::loadBytes(const std::string& path, std::string bytes, const FileIdentity& identity,
                                         ReaderFiles& files, const LoadAnswers& answers) {
    MessageFileScope named(platform_, path);
    return guarded([&] {
        if (const auto refused = checkName(path, answers)) return *refused;
        if (bytes.size() < 4) {
            platform_.beep();
            platform_.inform(std::string(tx::FileCannotBeOpened) + "\n" + path + ": the file holds fewer than 4 bytes",
                             tx::CapError, MsgIcon::Exclamation);
            return LoadOutcome::Failed;
        }
        const std::string_view first(bytes.data(), 4);
        if (first == "DASC" || first == "DBIN" || first == "ZEB-") {
            platform_.beep();
            platform_.inform(tx::NoSlsData, tx::CapError, MsgIcon::Exclamation);
            return LoadOutcome::Failed;
        }
        if (bytes.size() > largestFileOf(currentExtension_)) {
            FileBytes file;
            file.status = FileBytes::Status::TooLarge;
            file.sizeBytes = bytes.size();
            platform_.beep();
            platform_.inform(std::string(tx::FileTooLarge) + "\n" +
                                 TooLargeDetail(path, file, largestFileOf(currentExtension_)),
                             tx::CapError, MsgIcon::Exclamation);
            return LoadOutcome::Failed;
        }
        return readBytes(std::move(bytes), identity, files, answers);
    });
}

LoadOutcome MeasurementLoader::readBytes(std::string bytes, const FileIdentity& identity, ReaderFiles& files,
                                         const LoadAnswers& answers) {
    ReaderInput in{currentPath_, identity, set_, platform_, files, answers.stillLoading};
    const std::string& ext = currentExtension_;
    int result = kLoadFailed;
    if (isRecordFile(ext)) {
        ContinueReview continueReview;
        result = ReadRecordBytes(std::move(bytes), in, answers.review ? *answers.review : continueReview);
    } else if (ext == "PLT") {
        const std::unique_ptr<ConcentrationTable> table =
            answers.concentrationTable ? answers.concentrationTable() : nullptr;
        KeepConcentrations keep;
        result = ReadPltBytes(bytes, in, table ? *table : keep);
    } else if (ext == "PLX") {
        result = ReadPlxBytes(bytes, in);
    } else {
        result = ReadAscBytes(bytes, in);
    }
    return result == kLoadOk ? LoadOutcome::Loaded : result == kLoadCancelled ? LoadOutcome::Cancelled
                                                                             : LoadOutcome::Failed;
}

std::unique_ptr<LoadedMeasurement> LoadMeasurement(const std::vector<std::string>& paths, Platform& platform,
                                                   const LoadAnswers& answers) {
    auto measurement = std::make_unique<LoadedMeasurement>();
    // While the files are read the set tells the platform, in order with the readers.
    measurement->set.tellMessagesTo(platform);
    MeasurementLoader loader(measurement->set, platform);
    measurement->outcome = paths.empty() ? LoadOutcome::Failed : LoadOutcome::Loaded;
    for (const std::string& path : paths) {
        measurement->outcome = loader.load(path, answers);
        if (!measurement->loaded()) {
            measurement->failedFile = path;
            break;
        }
    }
    measurement->set.tellMessagesTo(measurement->messages);
    measurement->files = loader.files();
    return measurement;
}

} // namespace zeb
