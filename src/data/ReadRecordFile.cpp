// The reader of ZEB-7100 record files, from the bytes of the file. The bytes
// are checked before anything of them is shown: a file that is
// no record file is refused, records with impossible values are named and left
// out. A first pass shows the review dialog for every new parameter set and
// applies the user's corrections to the records in memory; each correction is
// written as a whole new file when its records are complete (before the next
// dialog opens, or at the end of the pass), the untouched original kept beside
// the file. A second pass stores q², Kc/R, the apparent diffusion coefficients
// and the excess scattering ratio of every record.
#include "texts/CommonTexts.h"
#include "texts/DataTexts.h"
#include "texts/FileTexts.h"
#include "texts/ReadCheckTexts.h"
#include "data/CFormat.h"
#include "data/FileReplace.h"
#include "data/LittleEndian.h"
#include "data/MeasurementSet.h"
#include "data/PlausibleRanges.h"
#include "data/ReadProblem.h"
#include "data/ReaderFiles.h"
#include "data/Readers.h"
#include "data/RecordCorrection.h"
#include "data/RecordFileCheck.h"
#include "data/RecordLayout.h"
#include "data/RecordReview.h"
#include "platform/Platform.h"
#include "platform/PathName.h"

#include <bit>
#include <cmath>
#include <cstring>
#include <unordered_map>
#include <vector>

namespace zeb {

namespace {

constexpr double kPi = 3.14159265359;
constexpr double kFourPi = 12.56637061436;
constexpr double kAvogadro = 6.022e23;

class RecordFileReader {
public:
    RecordFileReader(std::string bytes, ReaderInput& in, RecordReview& review)
        : in_(in), platform_(in.platform), set_(in.set), review_(review), path_(in.path),
          identity_(in.identity), disk_(std::move(bytes)) {}

    int run();

private:
    enum class State { Initial, Continued, Changed };

    int checkFile();
    const std::uint8_t* bytesOf(std::int64_t n) const;
    ZebRecord recordAt(std::int64_t n) const;
    void putRecord(std::int64_t n, const ZebRecord& record);
    int firstPass();
    bool correctable();
    std::string cannotChangeReason();
    void commit();
    void giveUpCorrections();
    void collect();
    int secondPass();
    void store(const ZebRecord& r);
    int columnOf(float concentration);
    std::pair<double, int> rowOf(const ZebRecord& r);
    void warnMissing();
    void put(ValueCode code, int column, int angle, double value) { set_.storeValue(code, column, angle, value, 0.0, 0.0); }

    ReaderInput& in_;
    Platform& platform_;
    MeasurementSet& set_;
    RecordReview& review_;
    std::string path_;

    FileIdentity identity_;  // the file as last read or written
    std::string disk_;       // its bytes
    std::string work_;       // the bytes with the corrections made so far; empty while there are none
    bool dirty_ = false;     // work_ holds corrections not yet written
    int writable_ = 0;       // 0 not asked yet, 1 yes, -1 no
    std::int64_t count_ = 0;  // data records are 2 .. count_ - 1
    std::vector<bool> impossible_;  // per record number

    // First pass.
    State state_ = State::Initial;
    RecordParameters oldSet_;
    RecordParameters newSet_;
    unsigned mask_ = 0;
    int sampleNameChanged_ = 0;
    double nStandardRatio_ = -1.0;
    std::string newSampleName_;

    // Collected concentrations and the columns they became.
    std::vector<float> concentrations_;
    std::vector<float> temperatures_;
    std::vector<float> viscosities_;
    int firstColumn_ = 0;
    std::size_t lastFound_ = 0;

    // q² and its row for each angle, wavelength and solvent index met (their
    // bits): the records of every concentration repeat the angles, and while
    // the file is stored no row changes but by appending another value.
    struct RowKey {
        std::uint32_t angle, wavelength, nSolvent;
        bool operator==(const RowKey&) const = default;
    };
    struct RowKeyHash {
        std::size_t operator()(const RowKey& k) const {
            return (std::size_t{k.angle} * 0x9E3779B97F4A7C15u) ^ (std::size_t{k.wavelength} * 0xC2B2AE3D27D4EB4Fu) ^
                   k.nSolvent;
        }
    };
    std::unordered_map<RowKey, std::pair<double, int>, RowKeyHash> rows_;

    bool warned_ = false;
};

const std::uint8_t* RecordFileReader::bytesOf(std::int64_t n) const {
    const std::string& current = work_.empty() ? disk_ : work_;
    return reinterpret_cast<const std::uint8_t*>(current.data()) + static_cast<std::size_t>(n - 1) * kRecordBytes;
}

ZebRecord RecordFileReader::recordAt(std::int64_t n) const { return DecodeRecord(bytesOf(n)); }

void RecordFileReader::putRecord(std::int64_t n, const ZebRecord& record) {
    const auto bytes = EncodeRecord(record);
    if (work_.empty()) work_ = disk_;
    std::memcpy(work_.data() + static_cast<std::size_t>(n - 1) * kRecordBytes, bytes.data(), bytes.size());
    dirty_ = true;
}

void RecordFileReader::warnMissing() {
    if (warned_) return;
    warned_ = true;
    platform_.inform(tx::MissingMeasurementValues, tx::CapInformationLower, MsgIcon::Information);
}

// Everything that is known from the bytes alone, before a dialog opens.
int RecordFileReader::checkFile() {
    if (disk_.size() >= 4 && disk_.compare(0, 4, "SOLU") == 0) {
        platform_.inform(tx::RecordFileIsDosAscii, tx::CapError, MsgIcon::None);
        return kLoadFailed;
    }
    const auto records = static_cast<std::int64_t>(disk_.size() / kRecordBytes);  // a partial last record is ignored
    if (records < 2) {
        platform_.inform(tx::NoDataRecord, tx::CapInformation, MsgIcon::Exclamation);
        return kLoadFailed;
    }
    if (const auto foreign = FindForeignRecord(disk_, records)) {
        const long long n = foreign->record;
        const std::string where =
            n > 0 ? CFormat(", record %lld (bytes %lld to %lld): ", n, (n - 1) * 198, n * 198 - 1) : std::string(": ");
        platform_.inform(std::string(tx::NotARecordFile) + "\n" + path_ + where + foreign->what, tx::CapError,
                         MsgIcon::Exclamation);
        return kLoadFailed;
    }
    count_ = le::getI16(reinterpret_cast<const std::uint8_t*>(disk_.data()) + 4);
    if (count_ - 1 != records) {
        platform_.inform(tx::RecordCountInconsistent, tx::CapInformation, MsgIcon::Exclamation);
        count_ = records + 1;
    }
    impossible_.assign(static_cast<std::size_t>(count_), false);
    const auto bad = FindImpossibleRecords(disk_, records);
    if (!bad.empty()) {
        std::vector<std::string> items;
        for (const RecordProblem& p : bad) {
            items.push_back(CFormat("record %lld: ", static_cast<long long>(p.record)) + p.what);
            impossible_[static_cast<std::size_t>(p.record)] = true;
        }
        const bool nothingLeft = static_cast<std::int64_t>(bad.size()) == records - 1;
        platform_.inform(ImpossibleValuesText(tx::ImpossibleRecordValues, path_, items, "record", nothingLeft),
                         tx::CapInformation, MsgIcon::Exclamation);
        if (nothingLeft) return kLoadFailed;
    }
    return kLoadOk;
}

int RecordFileReader::run() {
    if (const int r = checkFile(); r != kLoadOk) return r;
    try {
        if (const int r = firstPass(); r != kLoadOk) return r;
        collect();
        firstColumn_ = set_.lastConcIndex < 0 ? 1 : set_.lastConcIndex + 1;
        for (std::size_t k = 0; k < concentrations_.size(); ++k)
            set_.AddConcentration(std::nullopt, temperatures_[k], viscosities_[k], concentrations_[k]);
        if (const int r = secondPass(); r != kLoadOk) return r;
        set_.MarkLoadedPoints();
    } catch (const EOvlConcAngle& tooMany) {
        platform_.beep();
        platform_.inform(tx::TooManyConcOrAngles + tooMany.detail, tx::CapError, MsgIcon::Exclamation);
        return kLoadFailed;
    } catch (const EInternalError&) {
        return kLoadFailed;
    } catch (const EAbortLoad&) {
        return kLoadCancelled;
    }
    return kLoadOk;
}

// Write access is asked for only when the user has chosen a correction; the
// untouched original is kept before the first one.
bool RecordFileReader::correctable() {
    if (writable_ == 0) {
        FileWriteResult r = in_.files.checkCorrectable(identity_);
        if (r.ok) r = in_.files.keepOriginal(disk_);
        writable_ = r.ok ? 1 : -1;
        if (!r.ok)
            platform_.inform(CorrectionFailedText(path_, r), tx::CapInformation, MsgIcon::Exclamation);
    }
    return writable_ == 1;
}

// Why a change the user might choose now could not be written ("" when it
// could), for the review to say before the user chooses.
std::string RecordFileReader::cannotChangeReason() {
    if (writable_ == 1) return {};
    const FileWriteResult r = in_.files.checkCorrectable(identity_);
    return r.ok ? std::string() : r.reason;
}

// No more corrections in this file: what is on disk is what is loaded.
void RecordFileReader::giveUpCorrections() {
    work_.clear();
    dirty_ = false;
    state_ = State::Continued;
    mask_ = 0;
    sampleNameChanged_ = 0;
}

// The corrected records, complete, replace the file as a whole.
void RecordFileReader::commit() {
    if (!dirty_) return;
    const FileWriteResult r = in_.files.replace(work_, identity_);
    if (r.ok) {
        disk_ = std::move(work_);
        work_.clear();
        identity_ = r.identity;
        dirty_ = false;
        return;
    }
    platform_.inform(CorrectionFailedText(path_, r), tx::CapInformation, MsgIcon::Exclamation);
    giveUpCorrections();
}

int RecordFileReader::firstPass() {
    ReviewedFile file;
    file.originalNote = CFormat(tx::OriginalKeptNote, FileNameOf(OriginalCopyPath(path_)).c_str());
    for (std::int64_t n = 2; n <= count_ - 1; ++n) {
        // After "Continue without any change" the records pass untouched
        // unless the sample name was changed.
        if (state_ == State::Continued && !sampleNameChanged_) continue;
        ZebRecord record = recordAt(n);
        const RecordParameters params = ParametersOf(record);
        auto silentNow = [&] {
            if (state_ == State::Continued) return true;
            if (state_ == State::Changed && params.concentrationGPerCm3 == oldSet_.concentrationGPerCm3)
                return SameParameterSet(params, oldSet_);
            return false;
        };
        bool silent = silentNow();
        const bool impossible = impossible_[static_cast<std::size_t>(n)];
        if (!silent && !impossible) {
            commit();  // the records of the last correction are complete
            silent = silentNow();
        }
        bool corrected = false;
        if (silent || impossible) {
            // A record that is not loaded still follows the correction of its parameter set.
            if (silent && state_ == State::Changed) {
                ApplyChange(record, mask_, oldSet_, newSet_, nStandardRatio_);
                corrected = mask_ != 0;
            }
        } else {
            oldSet_ = params;
            file.cannotChangeReason = cannotChangeReason();
            const ReviewAnswer answer =
                review_.review(record, static_cast<int>(n), nStandardRatio_, sampleNameChanged_, file);
            if (answer == ReviewAnswer::Continue) {
                state_ = State::Continued;
            } else if (answer == ReviewAnswer::Change) {
                state_ = State::Changed;
                newSet_ = ParametersOf(record);  // the review wrote the edited values
                mask_ = ChangeMask(oldSet_, newSet_);
                const bool renamed = n == 2 && sampleNameChanged_;
                if ((mask_ != 0 || renamed) && !correctable()) {
                    record = recordAt(n);  // as it was
                    giveUpCorrections();
                } else {
                    SetParameters(record, oldSet_);
                    ApplyChange(record, mask_, oldSet_, newSet_, nStandardRatio_);
                    corrected = mask_ != 0;
                    if (renamed) newSampleName_ = record.sampleName.substr(0, kRecordSampleNameChars);
                }
            } else {
                set_.lastConcIndex = set_.savedConcIndex;
                set_.lastAngleIndex = set_.savedAngleIndex;
                return kLoadCancelled;
            }
        }
        // Once the sample name was changed every later record carries the new name.
        if (sampleNameChanged_) {
            record.sampleName = newSampleName_;
            record.sampleName.resize(kRecordNameBytes, ' ');
            corrected = true;
        }
        if (corrected) putRecord(n, record);
    }
    commit();
    return kLoadOk;
}

// The concentrations of the loaded records, in the order of the file, as the
// passes leave them; the sample name of the last loaded record.
void RecordFileReader::collect() {
    std::int64_t last = 0;
    ZebRecord record;
    for (std::int64_t n = 2; n <= count_ - 1; ++n) {
        if (impossible_[static_cast<std::size_t>(n)]) continue;
        DecodeRecordNumbers(bytesOf(n), record);
        const float c = record.concentrationGPerCm3;
        if (columnOf(c) < 0) {
            concentrations_.push_back(c);
            temperatures_.push_back(record.temperatureK);
            viscosities_.push_back(record.viscosityMPas);
        }
        last = n;
    }
    if (last > 0) set_.sampleName = RecordNameText(recordAt(last).sampleName, kRecordSampleNameChars);
}

// The position of a collected concentration (exact comparison), or -1.
int RecordFileReader::columnOf(float concentration) {
    if (lastFound_ < concentrations_.size() && concentrations_[lastFound_] == concentration)
        return static_cast<int>(lastFound_);
    for (std::size_t k = 0; k < concentrations_.size(); ++k) {
        if (concentrations_[k] == concentration) {
            lastFound_ = k;
            return static_cast<int>(k);
        }
    }
    return -1;
}

int RecordFileReader::secondPass() {
    std::int64_t done = 0;
    ZebRecord record;  // store reads the numbers only
    for (std::int64_t n = 2; n <= count_ - 1; ++n) {
        if (!impossible_[static_cast<std::size_t>(n)]) {
            DecodeRecordNumbers(bytesOf(n), record);
            store(record);
        }
        if (++done % 5 == 0) platform_.processPendingMessages();
        if (!in_.stillLoading()) throw EAbortLoad();
    }
    return kLoadOk;
}

std::pair<double, int> RecordFileReader::rowOf(const ZebRecord& r) {
    const RowKey key{std::bit_cast<std::uint32_t>(r.angleDeg), std::bit_cast<std::uint32_t>(r.wavelengthNm),
                     std::bit_cast<std::uint32_t>(r.nSolvent)};
    if (const auto found = rows_.find(key); found != rows_.end()) return found->second;
    const double lambdaNm = r.wavelengthNm;
    const double n = r.nSolvent;
    const double theta = std::floor(r.angleDeg * 10.0 + 0.5) * 0.1;  // the angle to 0.1°
    const double q = std::sin(theta * kPi / 360.0) * (kFourPi * n / lambdaNm) * 1e7;
    const double q2 = q * q;
    const std::pair<double, int> row{q2, set_.AddQ2(q2)};
    rows_.emplace(key, row);
    return row;
}

void RecordFileReader::store(const ZebRecord& r) {
    const double lambdaNm = r.wavelengthNm;
    const double n = r.nSolvent;
    const auto [q2, a] = rowOf(r);
    const int position = columnOf(r.concentrationGPerCm3);
    const int col = firstColumn_ + position;
    const double c = r.concentrationGPerCm3;
    put(kCodeQ2, col, a, q2);
    put(kCodeWavelengthCm, col, a, lambdaNm * 1e-7);

    const double kcr = r.kcr;
    const double kcrError = std::isfinite(r.kcrError) ? r.kcrError : 0.0;
    if (kcr > 0.0 && std::isfinite(kcr)) {
        put(kCodeKcr, col, a, kcr);
        const double k = n * r.dndcCm3PerG * 2.0 * kPi / (lambdaNm * lambdaNm * 1e-14);
        const double ratio = k * k * c / (kcr * kAvogadro);
        const double ratioError = kcrError != 0.0 ? ratio * kcrError / kcr : 0.01 * ratio;
        // Computed from values each in its range, R may still lie outside its own: it is not known then.
        if (Plausible(Quantity::RSample, ratio) && PlausibleError(Quantity::RSample, ratio, ratioError)) {
            put(kCodeRSample, col, a, ratio);
            put(kCodeRSampleError, col, a, ratioError);
        }
        put(kCodeNSolvent, col, a, n);
    } else {
        warnMissing();
    }
    if (std::isfinite(kcr)) put(kCodeKcrError, col, a, kcrError != 0.0 ? kcrError : 0.01 * kcr);

    static constexpr ValueCode kValueCodes[3] = {kCodeDappI, kCodeDappII, kCodeDappIII};
    static constexpr ValueCode kErrorCodes[3] = {kCodeDappIError, kCodeDappIIError, kCodeDappIIIError};
    for (int i = 0; i < 3; ++i) {
        const double d = r.dapp[i];
        const double e = std::isfinite(r.dappError[i]) ? r.dappError[i] : 0.0;
        if (d > 0.0 && std::isfinite(d)) put(kValueCodes[i], col, a, d);
        else warnMissing();
        if (std::isfinite(d)) put(kErrorCodes[i], col, a, e != 0.0 ? e : 0.01 * d);
    }
}

} // namespace

int ReadRecordBytes(std::string bytes, ReaderInput& in, RecordReview& review) {
    in.set.defaultSourceName = in.path;
    return RecordFileReader(std::move(bytes), in, review).run();
}

} // namespace zeb
