#include "dialogs/RecordReviewDialog.h"
#include "dialogs/FileNotes.h"

#include "texts/CommonTexts.h"
#include "texts/ImportDialogTexts.h"
#include "data/CFormat.h"
#include "data/RoundSig.h"
#include "dialogs/DialogNumber.h"
#include "dialogs/StandardIndexDialog.h"

#include <cmath>
#include <utility>
#include <limits>

namespace zeb {

namespace {

// Index of each adjustable field in the order Change reads them.
enum PavoField { kDndc, kConc, kNStd, kNSolv, kWavel, kRayleigh, kVisc, kFields };

} // namespace

void RecordReviewDialog::Fill(ZebRecord& record, int recordNumber, double& nStandardRatio, int& sampleNameChanged) {
    record_ = &record;
    recordNumber_ = recordNumber;
    ratio_ = &nStandardRatio;
    nameChanged_ = &sampleNameChanged;
    answer_ = ReviewAnswer::Abort;
    closed_ = false;
    standardIndexArmed_ = false;

    solventNameField = RecordNameText(record.solventName, kRecordNameBytes);
    standardNameField = RecordNameText(record.standardName, kRecordNameBytes);
    if (recordNumber == 2) {
        sampleNameField = RecordNameText(record.sampleName, kRecordSampleNameChars);
        shownSampleName_ = sampleNameField;
        sampleNameReadOnly = false;
    } else {
        sampleNameReadOnly = true;  // keeps the name of the first data record
    }
    temperatureField = CFormat("%.3f", double(record.temperatureK));
    recordNumberField = CFormat("%d", recordNumber);

    dndcField = CFormat("%.5E", RoundSig(record.dndcCm3PerG * 0.001, 5));
    concentrationField = CFormat("%.5f", RoundSig(record.concentrationGPerCm3 * 1000.0, 5));
    solventIndexField = CFormat("%.5f", RoundSig(record.nSolvent, 5));
    const double nStd = RoundSig(record.nStandard, 5);
    standardIndexField = CFormat("%.5f", nStd);
    standardRayleighField = CFormat("%.5E", RoundSig(record.rayleighStandardPerCm * 100.0, 5));
    viscosityField = CFormat("%.5E", RoundSig(record.viscosityMPas, 5));
    wavelengthField = CFormat("%.2f", RoundSig(record.wavelengthNm, 5));
    nStandardBelowOne_ = !(nStd >= 1.0);

    shown_ = {dndcField, concentrationField, standardIndexField, solventIndexField,
              wavelengthField, standardRayleighField, viscosityField};
    original_ = {record.dndcCm3PerG, record.concentrationGPerCm3, record.nStandard, record.nSolvent,
                 record.wavelengthNm, record.rayleighStandardPerCm, record.viscosityMPas};
}

void RecordReviewDialog::describeFile(const ReviewedFile& file) {
    FileNotes notes = NotesAbout(file);
    originalFileNote = std::move(notes.originalKept);
    cannotChangeNote = std::move(notes.cannotChange);
}

void RecordReviewDialog::close(ReviewAnswer answer) {
    if (closed_) return;
    answer_ = answer;
    closed_ = true;
}

void RecordReviewDialog::Release() {
    closed_ = true;
    record_ = nullptr;
    ratio_ = nullptr;
    nameChanged_ = nullptr;
}

void RecordReviewDialog::continueUnchanged() { close(ReviewAnswer::Continue); }
void RecordReviewDialog::abort() { close(ReviewAnswer::Abort); }
void RecordReviewDialog::showHelp() { platform_.showHelp(tx::ImportDialogHelpContext); }

void RecordReviewDialog::applyChanges() {
    if (!record_ || closed_ || !changeAvailable()) return;
    struct Target {
        const std::string* text;
        float* value;
        double scale;  // shown unit -> record unit
    };
    ZebRecord& r = *record_;
    const Target targets[kFields] = {
        {&dndcField, &r.dndcCm3PerG, 1000.0},
        {&concentrationField, &r.concentrationGPerCm3, 0.001},
        {&standardIndexField, &r.nStandard, 1.0},
        {&solventIndexField, &r.nSolvent, 1.0},
        {&wavelengthField, &r.wavelengthNm, 1.0},
        {&standardRayleighField, &r.rayleighStandardPerCm, 0.01},
        {&viscosityField, &r.viscosityMPas, 1.0},
    };
    for (int i = 0; i < kFields; ++i) {
        const Target& t = targets[i];
        // A field left as shown keeps the record's value, not its rounded display.
        if (*t.text == shown_[i]) {
            *t.value = original_[i];
            continue;
        }
        double v = 0;
        const bool ok = DialogNumber(*t.text, v) && v > 0.0 &&
                        v * t.scale <= std::numeric_limits<float>::max() &&
                        static_cast<float>(v * t.scale) > 0.0f;
        if (!ok) {
            platform_.inform(tx::InvalidFloatInput, tx::CapInformation, MsgIcon::Stop);
            return;
        }
        *t.value = static_cast<float>(v * t.scale);
    }
    if (recordNumber_ == 2 && nameChanged_) {
        if (sampleNameField != shownSampleName_) {
            r.sampleName = RecordNameField(sampleNameField, kRecordSampleNameChars);
            *nameChanged_ = 1;
        } else {
            *nameChanged_ = 0;
        }
        sampleNameReadOnly = true;
    }
    close(ReviewAnswer::Change);
}

void RecordReviewDialog::offerStandardIndexHelp() {
    standardIndexArmed_ = false;
    if (!nStandardBelowOne_ || closed_) return;
    StandardIndexDialog helper(platform_);
    platform_.runModal(helper);
    if (helper.result != StandardIndexDialog::Result::Ok) return;
    double ratio = -1.0;
    if (helper.newValue >= 0.0 && helper.wrongValue >= 0.0) ratio = helper.newValue / helper.wrongValue;
    if (!std::isfinite(ratio)) ratio = -1.0;  // a wrong value of 0 gives no ratio
    if (ratio_) *ratio_ = ratio;
    if (helper.newValue > 0.0) standardIndexField = helper.correctedIndexField;
}

} // namespace zeb
