// The reader of TARN (PLT) and PLX files, from the bytes of the file, parsed
// whole (PltPlxContent); only a complete file reaches the
// concentration table and the window. A correction of a PLT file in the
// concentration table is written as a whole new file before the next dialog
// opens, the untouched original kept beside it.
#include "texts/CommonTexts.h"
#include "texts/FileTexts.h"
#include "texts/ReadCheckTexts.h"
#include "data/CFormat.h"
#include "data/ConcentrationTable.h"
#include "data/FileReplace.h"
#include "data/MeasurementSet.h"
#include "data/PltPlxContent.h"
#include "data/PltPlxWriter.h"
#include "data/ReaderFiles.h"
#include "data/Readers.h"
#include "platform/Platform.h"
#include "platform/PathName.h"

#include <algorithm>
#include <cmath>
#include <set>

namespace zeb {

namespace {

class PltPlxReader {
public:
    PltPlxReader(ReaderInput& in, bool plx, ConcentrationTable* table)
        : in_(in), platform_(in.platform), set_(in.set), path_(in.path), identity_(in.identity), plx_(plx),
          table_(table) {}

    int run(std::string_view bytes);

private:
    int pltDialogs();
    bool correctable();
    void correct(double newWavelengthNm, const std::string& newSample, const std::vector<double>& newConcentrations);
    bool writeCorrectedPlt();
    void revertCorrection();
    void store(MeasurementSet& set, int concBase, std::vector<int>& angleIndex, bool window);
    void storeLine(MeasurementSet& set, const std::array<double, 10>& values, int column, int angle, double q2,
                   bool window, bool kept);
    void scaleCorrectedColumns(MeasurementSet& set, const std::vector<int>& columns, const std::vector<int>& angleIndex);
    void warnMissing();
    std::string originalNote() const;

    ReaderInput& in_;
    Platform& platform_;
    MeasurementSet& set_;
    std::string path_;
    FileIdentity identity_;  // the file as last read or written
    bool plx_;
    ConcentrationTable* table_;  // PLT files only
    std::string_view bytes_;
    PltPlxContent content_;
    bool warned_ = false;

    int concBase_ = 0;
    std::vector<float> visc_;  // PLT: entered in the PLX form of the concentration table
    std::vector<float> temp_;
    std::vector<int> angleIndex_;

    // PLT: the values as read, and the correction made in the concentration table.
    PltPlxContent asRead_;
    bool corrected_ = false;
    double r2_ = 1.0;       // (old wavelength / new wavelength)²
    bool savePlx_ = false;  // the user chose to save the data as a PLX file
};

void PltPlxReader::warnMissing() {
    if (warned_) return;
    warned_ = true;
    platform_.inform(tx::MissingMeasurementValues, tx::CapInformationLower, MsgIcon::Information);
}

std::string PltPlxReader::originalNote() const {
    return CFormat(tx::OriginalKeptNote, FileNameOf(OriginalCopyPath(path_)).c_str());
}

// Write access is asked for only now that the user has chosen a correction.
bool PltPlxReader::correctable() {
    FileWriteResult r = in_.files.checkCorrectable(identity_);
    if (r.ok) r = in_.files.keepOriginal(bytes_);
    if (r.ok) return true;
    platform_.inform(CorrectionFailedText(path_, r), tx::CapInformation, MsgIcon::Exclamation);
    return false;
}

void PltPlxReader::correct(double newWavelengthNm, const std::string& newSample,
                           const std::vector<double>& newConcentrations) {
    r2_ = (content_.wavelengthNm / newWavelengthNm) * (content_.wavelengthNm / newWavelengthNm);
    for (double& q2 : content_.q2PerCm2) q2 *= r2_;
    content_.wavelengthNm = newWavelengthNm;
    content_.sampleName = newSample;
    content_.concentrationsGPerCm3 = newConcentrations;
    corrected_ = true;
}

void PltPlxReader::revertCorrection() {
    content_ = asRead_;
    r2_ = 1.0;
    corrected_ = false;
}

// The corrected data, stored into a set of their own, formatted as the writer
// formats a PLT file and written over the file as a whole.
bool PltPlxReader::writeCorrectedPlt() {
    MeasurementSet scratch(platform_);
    if (scratch.InitMeasurementSet() != 1) throw std::bad_alloc();
    scratch.defaultSourceName = path_;
    scratch.sampleName = content_.sampleName;
    scratch.solventName = content_.solventName;
    std::vector<int> rows;
    store(scratch, 0, rows, false);
    PltPlxWriteRequest request;
    request.mode = PltPlxMode::Plt;
    request.temperatureK = content_.temperatureK;
    request.wavelengthNm = content_.wavelengthNm;
    request.angleIndices = rows;
    request.q2PerCm2 = content_.q2PerCm2;
    const FileWriteResult r = in_.files.replace(FormatPltPlxFile(scratch, request), identity_);
    if (r.ok) {
        identity_ = r.identity;
        return true;
    }
    platform_.inform(CorrectionFailedText(path_, r), tx::CapInformation, MsgIcon::Exclamation);
    return false;
}

// The concentration table, first to correct the file, then to complete it for a PLX file.
int PltPlxReader::pltDialogs() {
    const int nc = static_cast<int>(content_.concentrationsGPerCm3.size());
    visc_.assign(static_cast<std::size_t>(nc), 0.0f);
    temp_.assign(static_cast<std::size_t>(nc), static_cast<float>(content_.temperatureK));
    asRead_ = content_;
    auto entries = [&] {
        return ConcentrationEntries{content_.concentrationsGPerCm3, visc_, temp_, content_.sampleName,
                                    content_.wavelengthNm};
    };
    {
        ConcentrationEntries shown = entries();
        // Whether a correction could be written is known before the table opens,
        // so that it can say so before the user chooses.
        ReviewedFile file{originalNote(), {}};
        if (const FileWriteResult w = in_.files.checkCorrectable(identity_); !w.ok) file.cannotChangeReason = w.reason;
        const TableAnswer answer = table_->correctPlt(shown, file);
        if (answer == TableAnswer::Abort) {
            set_.lastConcIndex = set_.savedConcIndex;
            set_.lastAngleIndex = set_.savedAngleIndex;
            return kLoadCancelled;
        }
        if (answer == TableAnswer::Ok && correctable()) {
            correct(shown.wavelengthNm, shown.sampleName, shown.concentrationsGPerCm3);
            // The correction is complete: it is written before the next dialog opens.
            if (!writeCorrectedPlt()) revertCorrection();
        }
    }
    set_.sampleName = content_.sampleName;
    ConcentrationEntries shown = entries();
    if (table_->completePlx(shown) == TableAnswer::Ok) {
        savePlx_ = true;
        content_.concentrationsGPerCm3 = shown.concentrationsGPerCm3;
        visc_ = shown.viscositiesMPas;
        temp_ = shown.temperaturesK;
    }
    return kLoadOk;
}

// One value line. Fields the line does not hold count as absent: a missing
// value (the warning) and no error.
void PltPlxReader::storeLine(MeasurementSet& set, const std::array<double, 10>& values, int column, int angle,
                             double q2, bool window, bool kept) {
    auto put = [&](ValueCode code, double value) { set.storeValue(code, column, angle, value, 0.0, 0.0); };
    put(kCodeQ2, q2);
    if (!plx_) put(kCodeWavelengthCm, content_.wavelengthNm * 1e-7);
    if (!kept) return;  // a line with a value no measurement can have: as if its values were missing
    static constexpr ValueCode kValueCodes[4] = {kCodeKcr, kCodeDappI, kCodeDappII, kCodeDappIII};
    static constexpr ValueCode kErrorCodes[4] = {kCodeKcrError, kCodeDappIError, kCodeDappIIError, kCodeDappIIIError};
    for (int k = 0; k < 10; ++k) {
        if (window && !in_.stillLoading()) throw EAbortLoad();
        const bool present = k < content_.valuesPerLine;
        const double v = present ? values[static_cast<std::size_t>(k)] : -1.0;
        if (k < 8 && k % 2 == 0) {
            if (v > 0.0) put(kValueCodes[k / 2], v);
            else if (window) warnMissing();
        } else if (k < 8) {
            if (present && v != 0.0) put(kErrorCodes[k / 2], v);
        } else if (present) {
            put(k == 8 ? kCodeRSample : kCodeRSampleError, v);
        }
    }
}

// The corrections of the concentration table: Kc/R by the wavelength⁴ and the
// concentration ratio, the apparent diffusion coefficients by the wavelength².
void PltPlxReader::scaleCorrectedColumns(MeasurementSet& set, const std::vector<int>& columns,
                                         const std::vector<int>& angleIndex) {
    std::set<int> rows(angleIndex.begin(), angleIndex.end());  // a shared row is scaled once
    rows.erase(-1);
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const int column = columns[i];
        if (column < 0) continue;
        double kcrFactor = r2_ * r2_;
        const double concFactor = content_.concentrationsGPerCm3[i] / asRead_.concentrationsGPerCm3[i];
        if (std::isfinite(concFactor)) kcrFactor *= concFactor;
        for (int a : rows) {
            DataPoint* p = set.cell(column, a);
            if (!p || p->hasData == 0) continue;
            p->kcr *= kcrFactor;
            p->kcrError *= kcrFactor;
            for (double* d : {&p->dappI, &p->dappIError, &p->dappII, &p->dappIIError, &p->dappIII, &p->dappIIIError})
                *d /= r2_;
        }
    }
}

// Stores the file's data into set: in the window only what a measurement can
// have (angle index and column -1 for what is left out); a corrected PLT
// file, which is rewritten, whole.
void PltPlxReader::store(MeasurementSet& set, int concBase, std::vector<int>& angleIndex, bool window) {
    const auto nq = content_.q2PerCm2.size();
    const auto nc = content_.concentrationsGPerCm3.size();
    angleIndex.clear();
    for (std::size_t j = 0; j < nq; ++j)
        angleIndex.push_back(!window || content_.q2Kept[j] ? set.AddQ2(content_.q2PerCm2[j], window) : -1);
    std::vector<int> columns;
    int next = concBase + 1;
    for (std::size_t k = 0; k < nc; ++k) {
        if (window && !content_.concentrationKept[k]) {
            columns.push_back(-1);
            continue;
        }
        const double c = content_.concentrationsGPerCm3[k];
        if (plx_) set.AddConcentration(content_.sourceNames[k], content_.temperaturesK[k], content_.viscositiesMPas[k], c);
        else if (savePlx_ && window) set.AddConcentration(std::nullopt, temp_[k], visc_[k], c);
        else set.AddConcentration(std::nullopt, 0.0f, 0.0f, c);
        columns.push_back(next++);
    }
    for (std::size_t i = 0; i < nc; ++i)
        for (std::size_t j = 0; j < nq; ++j) {
            if (columns[i] < 0 || angleIndex[j] < 0) continue;
            const std::size_t line = i * nq + j;
            storeLine(set, content_.values[line], columns[i], angleIndex[j], content_.q2PerCm2[j], window,
                      !window || content_.lineKept[line]);
        }
    if (corrected_) scaleCorrectedColumns(set, columns, angleIndex);
}

int PltPlxReader::run(std::string_view bytes) {
    bytes_ = bytes;
    set_.defaultSourceName = path_;
    concBase_ = std::max<int>(set_.lastConcIndex, 0);
    const int angleBase = std::max<int>(set_.lastAngleIndex, 0);
    // Room left in the window; compared with a file's counts without adding to them.
    const PltPlxRoom room{MeasurementSet::kMaxLoadedConc - concBase_, MeasurementSet::kMaxLoadedAngles - angleBase};
    try {
        content_ = ParsePltPlx(bytes_, plx_, room, [this] {
            platform_.processPendingMessages();
            if (!in_.stillLoading()) throw EAbortLoad();
        });
        if (!content_.notNumbers.empty())
            platform_.inform(ImpossibleValuesText(tx::NotNumbersCountAsMinusOne, path_, content_.notNumbers, "value", false),
                             tx::CapInformation, MsgIcon::Information);
        if (!content_.impossible.empty()) {
            platform_.inform(ImpossibleValuesText(tx::ImpossibleLineValues, path_, content_.impossible, "line",
                                                  content_.nothingLeft()),
                             tx::CapInformation, MsgIcon::Exclamation);
            if (content_.nothingLeft()) return kLoadFailed;
        }
        set_.sampleName = content_.sampleName;
        set_.solventName = content_.solventName;
        if (!plx_) {
            if (const int r = pltDialogs(); r != kLoadOk) return r;
        }
        store(set_, concBase_, angleIndex_, true);
    } catch (const ReadFailure& failure) {
        platform_.inform(ReadProblemText(failure.problem, path_), tx::CapInformation, MsgIcon::Exclamation);
        return kLoadFailed;
    } catch (const EInternalError&) {
        return kLoadFailed;
    } catch (const EAbortLoad&) {
        return kLoadCancelled;
    }
    if (!plx_ && savePlx_) {
        PltPlxWriteRequest request;
        request.mode = PltPlxMode::Plx;
        request.base = concBase_;
        request.temperatureK = content_.temperatureK;
        request.wavelengthNm = content_.wavelengthNm;
        // The rows loaded, with their q².
        std::vector<int> rows;
        for (std::size_t j = 0; j < angleIndex_.size(); ++j)
            if (angleIndex_[j] >= 0) {
                rows.push_back(angleIndex_[j]);
                request.q2PerCm2.push_back(content_.q2PerCm2[j]);
            }
        request.angleIndices = rows;
        in_.files.savePlx(platform_, set_, request);
    }
    return kLoadOk;
}

} // namespace

int ReadPltBytes(std::string_view bytes, ReaderInput& in, ConcentrationTable& table) {
    return PltPlxReader(in, false, &table).run(bytes);
}

int ReadPlxBytes(std::string_view bytes, ReaderInput& in) { return PltPlxReader(in, true, nullptr).run(bytes); }

} // namespace zeb
