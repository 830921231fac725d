// The record review dialog: shows the parameters of a record of a ZEB-7100
// record file while it is read and lets the user continue, correct them or
// abort the load. One instance per data window, filled anew for every record
// that needs a review. The form on screen only edits the texts below and calls
// the handlers; the logic writes corrected values into the reader's record.
#pragma once

#include "data/RecordLayout.h"
#include "data/RecordReview.h"
#include "platform/Platform.h"

#include <array>
#include <string>

namespace zeb {

class TFormPavo7100 : public ModalDialog {
public:
    explicit TFormPavo7100(Platform& platform) : platform_(platform) {}

    const char* dialogName() const override { return "TFormPavo7100"; }
    // "Continue without any change".
    void answerDefault() override { BtnIDC_WEITERClick(); }

    // Fills the fields from the record (record number 1-based). The two
    // places belong to the reader and receive the n-standard ratio and the
    // sample-name-changed flag. Until a button closes the dialog the answer
    // is Abort.
    void Fill(ZebRecord& record, int recordNumber, double& nStandardRatio, int& sampleNameChanged);
    // The button that closed the dialog.
    ReviewAnswer answer() const { return answer_; }

    // Field texts, named as the form's controls.
    std::string EditIDC_RECNR;
    std::string EditStandardName;
    std::string EditSolventName;
    std::string EditTemp;
    std::string EditIDC_RI_STAN;
    std::string EditIDC_RI_SOLVENT;
    std::string EditIDC_DNDC;
    std::string EditIDC_KONZ;
    std::string EditIDC_WAVEL;
    std::string EditIDC_RR_STAN;
    std::string EditIDC_VISK;
    std::string EditSampleName;
    bool EditSampleNameReadOnly = true;
    // Under the red warning: where the untouched file is kept before the first change.
    std::string LabelOriginal;

    // Buttons.
    void BtnIDC_WEITERClick();   // "&Continue without any change"
    void BtnIDC_AENDERNClick();  // "Ch&ange"
    void BtnIDC_ABBRUCHClick();  // "&Abort"
    void BtnHelpClick();
    // The n-standard field: entering arms it; a click or a change of its text
    // while armed opens the standard-file helper when the shown value is below 1.
    void EditIDC_RI_STANEnter() { nStdArmed_ = true; }
    void EditIDC_RI_STANClick() { nStdHelp(); }
    void EditIDC_RI_STANChange() {
        if (nStdArmed_) nStdHelp();
    }

    // The reader calls it once the dialog has returned: from then on the
    // reader's places are no longer written, whatever handler runs.
    void Release();

    bool closed() const { return closed_; }
    bool nStandardBelowOne() const { return nStandardBelowOne_; }

private:
    void close(ReviewAnswer answer);
    void nStdHelp();

    Platform& platform_;
    ZebRecord* record_ = nullptr;
    int recordNumber_ = 0;
    double* ratio_ = nullptr;
    int* nameChanged_ = nullptr;
    ReviewAnswer answer_ = ReviewAnswer::Abort;
    bool closed_ = true;
    bool nStandardBelowOne_ = false;
    bool nStdArmed_ = false;
    std::string shownSampleName_;
    // The texts as filled: a field the user did not touch keeps the record's exact value.
    std::array<std::string, 7> shown_;
    std::array<float, 7> original_{};
};

} // namespace zeb
