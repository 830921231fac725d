// The reader of ZEB-7100 record files. A first pass shows the review dialog
// for every new parameter set, applies the user's corrections and writes
// corrected records back in place, and collects the concentrations; a second
// pass stores q², Kc/R, the apparent diffusion coefficients and the excess
// scattering ratio of every record.
#include "app/texts/CommonTexts.h"
#include "app/texts/DataTexts.h"
#include "app/texts/FileTexts.h"
#include "data/FileAccess.h"
#include "data/LittleEndian.h"
#include "data/RecordCorrection.h"
#include "data/RecordLayout.h"
#include "data/Readers.h"
#include "data/TFitF.h"
#include "dialogs/TFormPavo7100.h"
#include "platform/Platform.h"

#include <cmath>
#include <cstring>
#include <vector>

namespace zeb {

namespace {

constexpr double kPi = 3.14159265359;
constexpr double kFourPi = 12.56637061436;
constexpr double kAvogadro = 6.022e23;

class RecordFileReader {
public:
    explicit RecordFileReader(TFitF& window)
        : window_(window), platform_(window.platform()), set_(window.set()), file_(window.currentPath()) {}

    int run();

private:
    enum class Review { Initial, Continued, Changed };

    bool readRecord(std::int64_t n, ZebRecord& record) const;
    bool writeRecord(std::int64_t n, const ZebRecord& record);
    int firstPass();
    int secondPass();
    void store(const ZebRecord& r);
    int columnOf(float concentration);
    void warnMissing();
    void put(int code, int column, int angle, double value) { set_.DPSetWert(code, column, angle, value, 0.0, 0.0); }

    TFitF& window_;
    Platform& platform_;
    MeasurementSet& set_;
    LockedFile file_;
    std::string data_;
    std::int64_t count_ = 0;  // data records are 2 .. count_ - 1

    // First pass.
    Review review_ = Review::Initial;
    RecordParameters oldSet_;
    RecordParameters newSet_;
    unsigned mask_ = 0;
    int sampleNameChanged_ = 0;
    double nStandardRatio_ = -1.0;
    std::string newSampleName_;
    bool haveLastRecord_ = false;
    ZebRecord lastRecord_;

    // Collected concentrations and the columns they became.
    std::vector<float> concentrations_;
    std::vector<float> temperatures_;
    std::vector<float> viscosities_;
    int firstColumn_ = 0;
    std::size_t lastFound_ = 0;

    bool warned_ = false;
};

bool RecordFileReader::readRecord(std::int64_t n, ZebRecord& record) const {
    const auto offset = static_cast<std::uint64_t>(n - 1) * kRecordBytes;
    if (n < 1 || offset + kRecordBytes > data_.size()) return false;
    record = DecodeRecord(reinterpret_cast<const std::uint8_t*>(data_.data()) + offset);
    return true;
}

bool RecordFileReader::writeRecord(std::int64_t n, const ZebRecord& record) {
    const auto bytes = EncodeRecord(record);
    const auto offset = static_cast<std::uint64_t>(n - 1) * kRecordBytes;
    if (!file_.writeAt(offset, bytes.data(), bytes.size())) return false;
    std::memcpy(data_.data() + offset, bytes.data(), bytes.size());
    return true;
}

void RecordFileReader::warnMissing() {
    if (warned_) return;
    warned_ = true;
    platform_.inform(tx::MissingMeasurementValues, tx::CapInformationLower, MsgIcon::Information);
}

int RecordFileReader::run() {
    if (!file_.ok()) {
        platform_.beep();
        platform_.inform(tx::FileCannotBeOpened, tx::CapError, MsgIcon::Exclamation);
        return kLoadFailed;
    }
    const std::uint64_t size = file_.size();
    file_.readAll(data_);  // a short read shows up as records that cannot be read
    if (data_.size() >= 4 && data_.compare(0, 4, "SOLU") == 0) {
        platform_.inform(tx::RecordFileIsDosAscii, tx::CapError, MsgIcon::None);
        return kLoadFailed;
    }
    const auto records = static_cast<std::int64_t>(size / kRecordBytes);  // a partial last record is ignored
    if (records < 2) {
        platform_.inform(tx::NoDataRecord, tx::CapInformation, MsgIcon::Exclamation);
        return kLoadFailed;
    }
    if (data_.size() < kRecordBytes) {
        platform_.inform(tx::UnexpectedEndOfFile, tx::CapInformation, MsgIcon::Exclamation);
        return kLoadFailed;
    }
    count_ = le::getI16(reinterpret_cast<const std::uint8_t*>(data_.data()) + 4);
    if (count_ - 1 != records) {
        platform_.inform(tx::RecordCountInconsistent, tx::CapInformation, MsgIcon::Exclamation);
        count_ = records + 1;
    }

    try {
        if (const int r = firstPass(); r != kLoadOk) return r;
        if (haveLastRecord_) set_.sampleName = RecordNameText(lastRecord_.sampleName, kRecordSampleNameChars);
        firstColumn_ = set_.lastConcIndex < 0 ? 1 : set_.lastConcIndex + 1;
        for (std::size_t k = 0; k < concentrations_.size(); ++k)
            set_.AddConcentration(std::nullopt, temperatures_[k], viscosities_[k], concentrations_[k]);
        if (const int r = secondPass(); r != kLoadOk) return r;
        set_.MarkLoadedPoints();
    } catch (const EOvlConcAngle&) {
        platform_.beep();
        platform_.inform(tx::TooManyConcOrAngles, tx::CapError, MsgIcon::Exclamation);
        return kLoadFailed;
    } catch (const EInternalError&) {
        return kLoadFailed;
    } catch (const EAbortLoad&) {
        return kLoadCancelled;
    }
    return kLoadOk;
}

int RecordFileReader::firstPass() {
    TFormPavo7100& dialog = window_.reviewDialog();
    for (std::int64_t n = 2; n <= count_ - 1; ++n) {
        ZebRecord record;
        if (!readRecord(n, record)) {
            platform_.inform(tx::UnexpectedEndTrying, tx::CapInformation, MsgIcon::Exclamation);
            break;
        }
        const RecordParameters params = ParametersOf(record);
        bool silent = review_ == Review::Continued;
        if (review_ == Review::Changed && params.concentrationGPerCm3 == oldSet_.concentrationGPerCm3)
            silent = SameParameterSet(params, oldSet_);

        if (silent) {
            if (review_ == Review::Changed) ApplyChange(record, mask_, oldSet_, newSet_, nStandardRatio_);
        } else {
            oldSet_ = params;
            int result = TFormPavo7100::kResultAbort;
            dialog.Fill(record, static_cast<int>(n), nStandardRatio_, sampleNameChanged_, result);
            platform_.runModal(dialog);
            dialog.Release();
            platform_.processPendingMessages();
            if (result == TFormPavo7100::kResultContinue) {
                review_ = Review::Continued;
            } else if (result == TFormPavo7100::kResultChange) {
                review_ = Review::Changed;
                newSet_ = ParametersOf(record);  // the dialog wrote the edited values
                mask_ = ChangeMask(oldSet_, newSet_);
                SetParameters(record, oldSet_);
                ApplyChange(record, mask_, oldSet_, newSet_, nStandardRatio_);
                if (n == 2 && sampleNameChanged_)
                    newSampleName_ = record.sampleName.substr(0, kRecordSampleNameChars);
            } else {
                set_.lastConcIndex = set_.savedConcIndex;
                set_.lastAngleIndex = set_.savedAngleIndex;
                return kLoadCancelled;
            }
        }

        if ((mask_ != 0 && review_ == Review::Changed) || sampleNameChanged_) {
            if (sampleNameChanged_) {
                record.sampleName = newSampleName_;
                record.sampleName.resize(kRecordNameBytes, ' ');
            }
            if (!writeRecord(n, record)) {
                platform_.inform(tx::WriteErrorDiskSpace, tx::CapInformation, MsgIcon::Exclamation);
                return kLoadFailed;
            }
        }

        const float c = record.concentrationGPerCm3;
        if (std::isfinite(c) && columnOf(c) < 0) {
            concentrations_.push_back(c);
            temperatures_.push_back(record.temperatureK);
            viscosities_.push_back(record.viscosityMPas);
        }
        lastRecord_ = record;
        haveLastRecord_ = true;
    }
    return kLoadOk;
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
    for (std::int64_t n = 2; n <= count_ - 1; ++n) {
        ZebRecord record;
        if (!readRecord(n, record)) {
            platform_.inform(tx::UnexpectedEndOfFile, tx::CapInformation, MsgIcon::Exclamation);
            return kLoadFailed;
        }
        store(record);
        if (++done % 5 == 0) platform_.processPendingMessages();
        if (!window_.loading()) throw EAbortLoad();
    }
    return kLoadOk;
}

void RecordFileReader::store(const ZebRecord& r) {
    const double lambdaNm = r.wavelengthNm;
    const double n = r.nSolvent;
    const double theta = std::floor(r.angleDeg * 10.0 + 0.5) * 0.1;  // the angle to 0.1°
    const double q = std::sin(theta * kPi / 360.0) * (kFourPi * n / lambdaNm) * 1e7;
    const double q2 = q * q;
    const int position = std::isfinite(r.concentrationGPerCm3) ? columnOf(r.concentrationGPerCm3) : -1;
    // A record whose position in the grid cannot be computed holds no usable value.
    if (!std::isfinite(q2) || position < 0) {
        warnMissing();
        return;
    }
    const int a = set_.AddQ2(q2);
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
        if (std::isfinite(ratio) && std::isfinite(ratioError)) {
            put(kCodeRSample, col, a, ratio);
            put(kCodeRSampleError, col, a, ratioError);
        }
        put(kCodeNSolvent, col, a, n);
    } else {
        warnMissing();
    }
    if (std::isfinite(kcr)) put(kCodeKcrError, col, a, kcrError != 0.0 ? kcrError : 0.01 * kcr);

    static constexpr int kValueCodes[3] = {kCodeDappI, kCodeDappII, kCodeDappIII};
    static constexpr int kErrorCodes[3] = {kCodeDappIError, kCodeDappIIError, kCodeDappIIIError};
    for (int i = 0; i < 3; ++i) {
        const double d = r.dapp[i];
        const double e = std::isfinite(r.dappError[i]) ? r.dappError[i] : 0.0;
        if (d > 0.0 && std::isfinite(d)) put(kValueCodes[i], col, a, d);
        else warnMissing();
        if (std::isfinite(d)) put(kErrorCodes[i], col, a, e != 0.0 ? e : 0.01 * d);
    }
}

} // namespace

int ReadRecordFile(TFitF& window) { return RecordFileReader(window).run(); }

} // namespace zeb
