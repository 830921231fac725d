#include "dialogs/TFormPavo7100.h"

#include "texts/CommonTexts.h"
#include "texts/ImportDialogTexts.h"
#include "data/CFormat.h"
#include "data/RoundSig.h"
#include "dialogs/DialogNumber.h"
#include "dialogs/TFormnStd.h"

#include <cmath>
#include <limits>

namespace zeb {

namespace {

// Index of each adjustable field in the order Change reads them.
enum PavoField { kDndc, kConc, kNStd, kNSolv, kWavel, kRayleigh, kVisc, kFields };

} // namespace

void TFormPavo7100::Fill(ZebRecord& record, int recordNumber, double& nStandardRatio, int& sampleNameChanged) {
    record_ = &record;
    recordNumber_ = recordNumber;
    ratio_ = &nStandardRatio;
    nameChanged_ = &sampleNameChanged;
    answer_ = ReviewAnswer::Abort;
    closed_ = false;
    nStdArmed_ = false;

    EditSolventName = RecordNameText(record.solventName, kRecordNameBytes);
    EditStandardName = RecordNameText(record.standardName, kRecordNameBytes);
    if (recordNumber == 2) {
        EditSampleName = RecordNameText(record.sampleName, kRecordSampleNameChars);
        shownSampleName_ = EditSampleName;
        EditSampleNameReadOnly = false;
    } else {
        EditSampleNameReadOnly = true;  // keeps the name of the first data record
    }
    EditTemp = CFormat("%.3f", double(record.temperatureK));
    EditIDC_RECNR = CFormat("%d", recordNumber);

    EditIDC_DNDC = CFormat("%.5E", RoundSig(record.dndcCm3PerG * 0.001, 5));
    EditIDC_KONZ = CFormat("%.5f", RoundSig(record.concentrationGPerCm3 * 1000.0, 5));
    EditIDC_RI_SOLVENT = CFormat("%.5f", RoundSig(record.nSolvent, 5));
    const double nStd = RoundSig(record.nStandard, 5);
    EditIDC_RI_STAN = CFormat("%.5f", nStd);
    EditIDC_RR_STAN = CFormat("%.5E", RoundSig(record.rayleighStandardPerCm * 100.0, 5));
    EditIDC_VISK = CFormat("%.5E", RoundSig(record.viscosityMPas, 5));
    EditIDC_WAVEL = CFormat("%.2f", RoundSig(record.wavelengthNm, 5));
    nStandardBelowOne_ = !(nStd >= 1.0);

    shown_ = {EditIDC_DNDC, EditIDC_KONZ, EditIDC_RI_STAN, EditIDC_RI_SOLVENT,
              EditIDC_WAVEL, EditIDC_RR_STAN, EditIDC_VISK};
    original_ = {record.dndcCm3PerG, record.concentrationGPerCm3, record.nStandard, record.nSolvent,
                 record.wavelengthNm, record.rayleighStandardPerCm, record.viscosityMPas};
}

void TFormPavo7100::close(ReviewAnswer answer) {
    if (closed_) return;
    answer_ = answer;
    closed_ = true;
}

void TFormPavo7100::Release() {
    closed_ = true;
    record_ = nullptr;
    ratio_ = nullptr;
    nameChanged_ = nullptr;
}

void TFormPavo7100::BtnIDC_WEITERClick() { close(ReviewAnswer::Continue); }
void TFormPavo7100::BtnIDC_ABBRUCHClick() { close(ReviewAnswer::Abort); }
void TFormPavo7100::BtnHelpClick() { platform_.showHelp(tx::ImportDialogHelpContext); }

void TFormPavo7100::BtnIDC_AENDERNClick() {
    if (!record_ || closed_) return;
    struct Target {
        const std::string* text;
        float* value;
        double scale;  // shown unit -> record unit
    };
    ZebRecord& r = *record_;
    const Target targets[kFields] = {
        {&EditIDC_DNDC, &r.dndcCm3PerG, 1000.0},
        {&EditIDC_KONZ, &r.concentrationGPerCm3, 0.001},
        {&EditIDC_RI_STAN, &r.nStandard, 1.0},
        {&EditIDC_RI_SOLVENT, &r.nSolvent, 1.0},
        {&EditIDC_WAVEL, &r.wavelengthNm, 1.0},
        {&EditIDC_RR_STAN, &r.rayleighStandardPerCm, 0.01},
        {&EditIDC_VISK, &r.viscosityMPas, 1.0},
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
        if (EditSampleName != shownSampleName_) {
            r.sampleName = RecordNameField(EditSampleName, kRecordSampleNameChars);
            *nameChanged_ = 1;
        } else {
            *nameChanged_ = 0;
        }
        EditSampleNameReadOnly = true;
    }
    close(ReviewAnswer::Change);
}

void TFormPavo7100::nStdHelp() {
    nStdArmed_ = false;
    if (!nStandardBelowOne_ || closed_) return;
    TFormnStd helper(platform_);
    platform_.runModal(helper);
    if (helper.result != TFormnStd::Result::Ok) return;
    double ratio = -1.0;
    if (helper.newValue >= 0.0 && helper.wrongValue >= 0.0) ratio = helper.newValue / helper.wrongValue;
    if (!std::isfinite(ratio)) ratio = -1.0;  // a wrong value of 0 gives no ratio
    if (ratio_) *ratio_ = ratio;
    if (helper.newValue > 0.0) EditIDC_RI_STAN = helper.EditNew;
}

} // namespace zeb
