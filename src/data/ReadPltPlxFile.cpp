// The reader of TARN (PLT) and PLX files: header lines, number lists and the
// value table with one line per concentration and q², q² running fast.
#include "app/texts/CommonTexts.h"
#include "app/texts/FileTexts.h"
#include "data/FileText.h"
#include "data/PltPlxWriter.h"
#include "data/Readers.h"
#include "data/TFitF.h"
#include "data/TextLines.h"
#include "dialogs/TFormTarn1.h"
#include "platform/AtomicFile.h"
#include "platform/CodePage.h"
#include "platform/Platform.h"

#include <algorithm>
#include <cmath>
#include <set>

namespace zeb {

namespace {

// Longer lines are refused, never cut into wrong values.
constexpr std::size_t kMaxLineBytes = 1024;
constexpr std::size_t kSourceNameChars = 260;
constexpr int kPendingInterval = 25;  // values between two pending-message calls

// A header or list line that is missing or does not hold what it must.
struct BadFile {};

class PltPlxReader {
public:
    PltPlxReader(TFitF& window, bool plx)
        : window_(window), platform_(window.platform()), set_(window.set()), plx_(plx), lines_({}, 0) {}

    int run();

private:
    std::string line();
    int count();
    double leadingNumber();
    std::vector<double> numberList(int n);
    void pending();
    void header();
    int pltDialogs();
    void valueTable();
    void storeLine(const std::string& text, int column, int angle, double q2);
    void warnMissing();
    void rewriteCorrectedPlt();

    TFitF& window_;
    Platform& platform_;
    MeasurementSet& set_;
    bool plx_;
    std::string text_;
    TextLineReader lines_;
    int sincePending_ = 0;
    bool warned_ = false;

    int concBase_ = 0;
    int angleBase_ = 0;
    double temperatureK_ = 0;
    double wavelengthNm_ = 0;
    int nq_ = 0;
    int nc_ = 0;
    std::vector<double> q2_;
    std::vector<double> conc_;
    std::vector<double> concAsRead_;
    std::vector<float> visc_;
    std::vector<float> temp_;
    std::vector<std::string> source_;
    std::vector<int> angleIndex_;

    bool corrected_ = false;  // PLT: wavelength, sample name or concentrations changed
    double r2_ = 1.0;         // PLT: (old wavelength / new wavelength)²
    bool savePlx_ = false;    // PLT: the user chose to save the data as a PLX file
};

std::string PltPlxReader::line() {
    std::string text;
    if (!lines_.next(text)) throw BadFile{};
    return text;
}

int PltPlxReader::count() {
    int n = 0;
    if (!LeadingInt(line(), n)) throw BadFile{};
    return n;
}

double PltPlxReader::leadingNumber() {
    double v = 0;
    if (!LeadingDouble(line(), v)) throw BadFile{};
    return v;
}

void PltPlxReader::pending() {
    if (++sincePending_ >= kPendingInterval) {
        sincePending_ = 0;
        platform_.processPendingMessages();
    }
}

// Values separated by blanks or commas; a new line is read whenever the
// values of the current one are used up. Every value must be a finite number.
std::vector<double> PltPlxReader::numberList(int n) {
    std::vector<double> values;
    values.reserve(static_cast<std::size_t>(n));
    while (static_cast<int>(values.size()) < n) {
        const std::string text = line();
        const auto fields = SplitFields(text, " ,\t");
        if (fields.empty()) throw BadFile{};
        for (auto field : fields) {
            if (static_cast<int>(values.size()) == n) break;
            double v = 0;
            if (!WholeDouble(field, v)) throw BadFile{};
            values.push_back(v);
            pending();
        }
    }
    return values;
}

void PltPlxReader::header() {
    set_.sampleName = TrimTrailingBlanks(Utf8Left(DecodeFileText(line()), 40));
    set_.solventName = Utf8Left(DecodeFileText(line()), MeasurementSet::kSolventNameChars);
    if (!plx_) {
        temperatureK_ = leadingNumber();
        count();  // number of wavelengths: always one
        wavelengthNm_ = leadingNumber();
        nq_ = count();
        if (nq_ + angleBase_ > MeasurementSet::kMaxLoadedAngles) throw EOvlConcAngle();
        if (nq_ < 1) throw BadFile{};
        q2_ = numberList(nq_);
        nc_ = count();
        if (nc_ + concBase_ > MeasurementSet::kMaxLoadedConc) throw EOvlConcAngle();
        if (nc_ < 1) throw BadFile{};
        conc_ = numberList(nc_);
        line();  // "Each line contains: ..."
        line();  // "Order: ..."
        visc_.assign(static_cast<std::size_t>(nc_), 0.0f);
        temp_.assign(static_cast<std::size_t>(nc_), static_cast<float>(temperatureK_));
        return;
    }
    nc_ = count();
    if (nc_ + concBase_ > MeasurementSet::kMaxLoadedConc) throw EOvlConcAngle();
    if (nc_ < 1) throw BadFile{};
    for (int i = 0; i < nc_; ++i) {
        const std::string text = line();
        double c = 0;
        const auto colon = text.find(':', 1);
        if (!LeadingDouble(text, c) || colon == std::string::npos) throw BadFile{};
        const auto start = text.find_first_not_of(' ', colon + 1);
        const std::string name = start == std::string::npos ? std::string() : text.substr(start);
        conc_.push_back(c);
        source_.push_back(Utf8Left(DecodeFileText(name), kSourceNameChars));
    }
    line();  // "viscosity values, ..."
    for (double v : numberList(nc_)) visc_.push_back(static_cast<float>(v));
    line();  // "temperature values, ..."
    for (double v : numberList(nc_)) temp_.push_back(static_cast<float>(v));
    nq_ = count();
    if (nq_ + angleBase_ > MeasurementSet::kMaxLoadedAngles) throw EOvlConcAngle();
    if (nq_ < 1) throw BadFile{};
    q2_ = numberList(nq_);
    line();  // "Each line contains: ..."
    line();  // "Order: ..."
}

// The concentration table, first to correct the file, then to complete it for a PLX file.
int PltPlxReader::pltDialogs() {
    concAsRead_ = conc_;
    {
        TFormTarn1 dialog(platform_);
        std::string sample = set_.sampleName;
        double wavelength = wavelengthNm_;
        dialog.Fill(conc_, visc_, TFormTarn1::Form::Plt, sample, wavelength, nc_, temp_);
        platform_.runModal(dialog);
        if (dialog.result() == TFormTarn1::Result::Abort) {
            set_.lastConcIndex = set_.savedConcIndex;
            set_.lastAngleIndex = set_.savedAngleIndex;
            return kLoadCancelled;
        }
        if (dialog.result() == TFormTarn1::Result::Ok) {
            r2_ = (wavelengthNm_ / wavelength) * (wavelengthNm_ / wavelength);
            for (double& q2 : q2_) q2 *= r2_;
            wavelengthNm_ = wavelength;
            set_.sampleName = sample;
            corrected_ = true;
        }
    }
    TFormTarn1 dialog(platform_);
    std::vector<double> conc = conc_;
    std::vector<float> visc = visc_, temp = temp_;
    std::string sample = set_.sampleName;
    double wavelength = wavelengthNm_;
    dialog.Fill(conc, visc, TFormTarn1::Form::Plx, sample, wavelength, nc_, temp);
    platform_.runModal(dialog);
    if (dialog.result() == TFormTarn1::Result::Ok) {
        savePlx_ = true;
        conc_ = conc;
        visc_ = visc;
        temp_ = temp;
    }
    return kLoadOk;
}

void PltPlxReader::warnMissing() {
    if (warned_) return;
    warned_ = true;
    platform_.inform(tx::MissingMeasurementValues, tx::CapInformationLower, MsgIcon::Information);
}

// One value line. Fields the line does not hold count as absent: a missing
// value (the warning) and no error. A field that is not a finite number
// counts as -1.
void PltPlxReader::storeLine(const std::string& text, int column, int angle, double q2) {
    const auto fields = SplitFields(text, " ,\t");
    auto put = [&](int code, double value) { set_.DPSetWert(code, column, angle, value, 0.0, 0.0); };
    put(kCodeQ2, q2);
    if (!plx_) put(kCodeWavelengthCm, wavelengthNm_ * 1e-7);
    static constexpr int kValueCodes[4] = {kCodeKcr, kCodeDappI, kCodeDappII, kCodeDappIII};
    static constexpr int kErrorCodes[4] = {kCodeKcrError, kCodeDappIError, kCodeDappIIError, kCodeDappIIIError};
    for (int k = 0; k < 10; ++k) {
        if (!window_.loading()) throw EAbortLoad();
        pending();
        const bool present = k < static_cast<int>(fields.size());
        double v = -1.0;
        const bool number = present && WholeDouble(fields[static_cast<std::size_t>(k)], v);
        if (present && !number) v = -1.0;
        if (k < 8 && k % 2 == 0) {
            if (v > 0.0) put(kValueCodes[k / 2], v);
            else warnMissing();
        } else if (k < 8) {
            if (number && v != 0.0) put(kErrorCodes[k / 2], v);
        } else if (present) {
            put(k == 8 ? kCodeRSample : kCodeRSampleError, v);
        }
    }
}

void PltPlxReader::valueTable() {
    for (int i = 0; i < nc_; ++i) {
        const int column = concBase_ + 1 + i;
        for (int j = 0; j < nq_; ++j) {
            const std::string text = line();
            storeLine(text, column, angleIndex_[static_cast<std::size_t>(j)], q2_[static_cast<std::size_t>(j)]);
        }
    }
}

// Applies the corrections of the concentration table to the new columns and
// writes the corrected data back into the PLT file.
void PltPlxReader::rewriteCorrectedPlt() {
    std::set<int> rows(angleIndex_.begin(), angleIndex_.end());  // a shared row is scaled once
    for (int i = 0; i < nc_; ++i) {
        const int column = concBase_ + 1 + i;
        double kcrFactor = r2_ * r2_;
        const double concFactor = conc_[static_cast<std::size_t>(i)] / concAsRead_[static_cast<std::size_t>(i)];
        if (std::isfinite(concFactor)) kcrFactor *= concFactor;
        for (int a : rows) {
            DataPoint* p = set_.cell(column, a);
            if (!p || p->hasData == 0) continue;
            p->kcr *= kcrFactor;
            p->kcrError *= kcrFactor;
            for (double* d : {&p->dappI, &p->dappIError, &p->dappII, &p->dappIIError, &p->dappIII, &p->dappIIIError})
                *d /= r2_;
        }
    }
    PltPlxWriteRequest request;
    request.mode = PltPlxMode::Plt;
    request.base = concBase_;
    request.temperatureK = temperatureK_;
    request.wavelengthNm = wavelengthNm_;
    request.fileName = window_.currentPath();
    request.angleIndices = angleIndex_;
    request.q2PerCm2 = q2_;
    WritePltPlxFile(platform_, set_, request);
}

int PltPlxReader::run() {
    const auto text = ReadWholeFile(window_.currentPath());
    if (!text) {
        platform_.beep();
        platform_.inform(tx::FileCannotBeOpened, tx::CapError, MsgIcon::Exclamation);
        return kLoadFailed;
    }
    text_ = *text;
    lines_ = TextLineReader(text_, kMaxLineBytes);
    concBase_ = std::max<int>(set_.lastConcIndex, 0);
    angleBase_ = std::max<int>(set_.lastAngleIndex, 0);
    try {
        header();
        if (!plx_) {
            if (const int r = pltDialogs(); r != kLoadOk) return r;
        }
        for (double q2 : q2_) angleIndex_.push_back(set_.AddQ2(q2));
        for (int i = 0; i < nc_; ++i) {
            const auto k = static_cast<std::size_t>(i);
            if (plx_) set_.AddConcentration(source_[k], temp_[k], visc_[k], conc_[k]);
            else if (savePlx_) set_.AddConcentration(std::nullopt, temp_[k], visc_[k], conc_[k]);
            else set_.AddConcentration(std::nullopt, 0.0f, 0.0f, conc_[k]);
        }
        valueTable();
    } catch (const BadFile&) {
        platform_.inform(tx::UnexpectedEndOfFile, tx::CapInformation, MsgIcon::Exclamation);
        return kLoadFailed;
    } catch (const EInternalError&) {
        return kLoadFailed;
    } catch (const EAbortLoad&) {
        return kLoadCancelled;
    }
    if (!plx_ && corrected_) rewriteCorrectedPlt();
    if (!plx_ && savePlx_) {
        PltPlxWriteRequest request;
        request.mode = PltPlxMode::Plx;
        request.base = concBase_;
        request.temperatureK = temperatureK_;
        request.wavelengthNm = wavelengthNm_;
        request.angleIndices = angleIndex_;
        request.q2PerCm2 = q2_;
        WritePltPlxFile(platform_, set_, request);
    }
    return kLoadOk;
}

} // namespace

int ReadPltFile(TFitF& window) { return PltPlxReader(window, false).run(); }
int ReadPlxFile(TFitF& window) { return PltPlxReader(window, true).run(); }

} // namespace zeb
