// ZEB-7100 record files. The last byte of the input (inside the partial tail
// the reader ignores, or in the last record) also chooses how the review is
// answered, so corrections and the whole-file rewrites with the original kept
// are fuzzed too.
#include "FuzzSupport.h"
#include "data/RecordLayout.h"
#include "dialogs/LoadDialogs.h"
#include "dialogs/RecordReviewDialog.h"
#include "dialogs/StandardIndexDialog.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto bytes = zeb::fuzz::Bytes(data, size);
    zeb::fuzz::Reading r(bytes, "/fuzz/input.sta");
    const std::uint8_t mode = size > 0 ? data[size - 1] : 0;
    if (mode & 1) {
        for (int i = 0; i < 8; ++i) {
            r.platform.dialogScripts.push_back([mode, i](zeb::ModalDialog& d) {
                if (auto* helper = dynamic_cast<zeb::StandardIndexDialog*>(&d)) {
                    helper->wrongIndexField = i % 2 ? "1.33" : "0";
                    helper->correctedIndexField = "1,332";
                    return helper->accept();
                }
                auto& form = dynamic_cast<zeb::RecordReviewDialog&>(d);
                if (mode & 2) form.concentrationField = i % 2 ? "2,5" : "0.5";
                if (mode & 4) form.wavelengthField = "514.5";
                if (mode & 8) form.sampleNameField = "Fuzz \xc3\xa4";
                if (mode & 16) {
                    form.standardIndexEntered();
                    form.standardIndexClicked();
                    form.standardIndexField = "1.33";
                }
                if (mode & 32) form.standardRayleighField = "garbage";
                form.applyChanges();
                if (mode & 64) form.abort();
            });
        }
    }
    zeb::DialogRecordReview review(r.platform);
    zeb::ReadRecordBytes(std::string(bytes), r.in, review);
    // A correction rewrites records in place: the file keeps its size, and the
    // original is kept unchanged before the first one.
    if (r.files.replaceCount > 0) {
        if (r.files.contents.size() != size || !r.files.original || *r.files.original != bytes) std::abort();
    }
    return 0;
}
