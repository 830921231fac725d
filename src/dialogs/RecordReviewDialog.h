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

class RecordReviewDialog : public ModalDialog {
public:
    explicit RecordReviewDialog(Platform& platform) : platform_(platform) {}

    const char* dialogName() const override { return "RecordReviewDialog"; }
    // "Continue without any change".
    void answerDefault() override { continueUnchanged(); }

    // Fills the fields from the record (record number 1-based). The two
    // places belong to the reader and receive the n-standard ratio and the
    // sample-name-changed flag. Until a button closes the dialog the answer
    // is Abort.
    void Fill(ZebRecord& record, int recordNumber, double& nStandardRatio, int& sampleNameChanged);
    // The button that closed the dialog.
    ReviewAnswer answer() const { return answer_; }

    // Field texts, named as the form's controls.
    std::string recordNumberField;
    std::string standardNameField;
    std::string solventNameField;
    std::string temperatureField;
    std::string standardIndexField;
    std::string solventIndexField;
    std::string dndcField;
    std::string concentrationField;
    std::string wavelengthField;
    std::string standardRayleighField;
    std::string viscosityField;
    std::string sampleNameField;
    bool sampleNameReadOnly = true;
    // Under the red warning: where the untouched file is kept before the first
    // change, or, for a file that cannot take a change, why not.
    std::string originalFileNote;
    std::string cannotChangeNote;
    // Takes the notes about the file from the reader (after Fill).
    void describeFile(const ReviewedFile& file);
    // "Ch&ange" is offered only when the change can be written.
    bool changeAvailable() const { return cannotChangeNote.empty(); }

    // Buttons.
    void continueUnchanged();   // "&Continue without any change"
    void applyChanges();  // "Ch&ange"
    void abort();  // "&Abort"
    void showHelp();
    // The n-standard field: entering arms it; a click or a change of its text
    // while armed opens the standard-file helper when the shown value is below 1.
    void standardIndexEntered() { standardIndexArmed_ = true; }
    void standardIndexClicked() { offerStandardIndexHelp(); }
    void standardIndexChanged() {
        if (standardIndexArmed_) offerStandardIndexHelp();
    }

    // The reader calls it once the dialog has returned: from then on the
    // reader's places are no longer written, whatever handler runs.
    void Release();

    bool closed() const { return closed_; }
    bool nStandardBelowOne() const { return nStandardBelowOne_; }

private:
    void close(ReviewAnswer answer);
    void offerStandardIndexHelp();

    Platform& platform_;
    ZebRecord* record_ = nullptr;
    int recordNumber_ = 0;
    double* ratio_ = nullptr;
    int* nameChanged_ = nullptr;
    ReviewAnswer answer_ = ReviewAnswer::Abort;
    bool closed_ = true;
    bool nStandardBelowOne_ = false;
    bool standardIndexArmed_ = false;
    std::string shownSampleName_;
    // The texts as filled: a field the user did not touch keeps the record's exact value.
    std::array<std::string, 7> shown_;
    std::array<float, 7> original_{};
};

} // namespace zeb
