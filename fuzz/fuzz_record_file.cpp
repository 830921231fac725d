// ZEB-7100 record files. The last byte of the input (inside the partial tail
// the reader ignores, or in the last record) also chooses how the review is
// answered, so corrections and the whole-file rewrites with the original kept
// beside the file are fuzzed too.
#include "FuzzSupport.h"
#include "data/FileReplace.h"
#include "data/Readers.h"
#include "dialogs/TFormPavo7100.h"
#include "dialogs/TFormnStd.h"

#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string path = zeb::fuzz::InputPath("sta");
    zeb::fuzz::WriteInput(path, data, size);
    std::remove(zeb::OriginalCopyPath(path).c_str());
    zeb::fuzz::Window w(path);
    const std::uint8_t mode = size > 0 ? data[size - 1] : 0;
    if (mode & 1) {
        for (int i = 0; i < 8; ++i) {
            w.platform.dialogScripts.push_back([mode, i](zeb::ModalDialog& d) {
                if (auto* helper = dynamic_cast<zeb::TFormnStd*>(&d)) {
                    helper->EditWrong = i % 2 ? "1.33" : "0";
                    helper->EditNew = "1,332";
                    return helper->BitBtnOkayClick();
                }
                auto& form = dynamic_cast<zeb::TFormPavo7100&>(d);
                if (mode & 2) form.EditIDC_KONZ = i % 2 ? "2,5" : "0.5";
                if (mode & 4) form.EditIDC_WAVEL = "514.5";
                if (mode & 8) form.EditSampleName = "Fuzz \xc3\xa4";
                if (mode & 16) {
                    form.EditIDC_RI_STANEnter();
                    form.EditIDC_RI_STANClick();
                    form.EditIDC_RI_STAN = "1.33";
                }
                if (mode & 32) form.EditIDC_RR_STAN = "garbage";
                form.BtnIDC_AENDERNClick();
                if (mode & 64) form.BtnIDC_ABBRUCHClick();
            });
        }
    }
    zeb::ReadRecordFile(w.window);
    return 0;
}
