// TARN (PLT) and PLX files: every input is read in both modes. The last byte
// chooses the answers of the concentration table, so the corrected rewrite
// and the PLX export after a PLT file are fuzzed too.
#include "FuzzSupport.h"
#include "data/FileReplace.h"
#include "data/LoadErrors.h"
#include "data/Readers.h"
#include "dialogs/TFormTarn1.h"

#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string plt = zeb::fuzz::InputPath("plt");
    static const std::string plx = zeb::fuzz::InputPath("plx");
    static const std::string saved = zeb::fuzz::InputPath("saved.plx");
    const std::uint8_t mode = size > 0 ? data[size - 1] : 0;

    zeb::fuzz::WriteInput(plx, data, size);
    {
        zeb::fuzz::Window w(plx);
        try {
            zeb::ReadPlxFile(w.window);
        } catch (const zeb::EOvlConcAngle&) {
            // the grid limit goes to the load sequence, which reports it
        }
    }
    zeb::fuzz::WriteInput(plt, data, size);
    std::remove(zeb::OriginalCopyPath(plt).c_str());
    zeb::fuzz::Window w(plt);
    w.platform.dialogScripts.push_back([mode](zeb::ModalDialog& d) {
        auto& form = dynamic_cast<zeb::TFormTarn1&>(d);
        if (!(mode & 1)) return form.BtnContinueClick();
        if (mode & 2) form.EditWaveLength = "488";
        if (mode & 4 && form.StrGrid1.size() > 1) form.StrGrid1[1][1] = "2";
        if (mode & 8) form.EditSampleName = "Fuzz";
        form.BtnChangeClick();
        if (mode & 16) form.BtnAbortClick();
    });
    w.platform.dialogScripts.push_back([mode](zeb::ModalDialog& d) {
        auto& form = dynamic_cast<zeb::TFormTarn1&>(d);
        if (mode & 32 && form.StrGrid1.size() > 1) form.StrGrid1[1][2] = "0.552";
        if (mode & 64) form.BtnChangeClick();
        else form.BtnContinueClick();
    });
    w.platform.saveAnswers.push_back(saved);
    try {
        zeb::ReadPltFile(w.window);
    } catch (const zeb::EOvlConcAngle&) {
    }
    return 0;
}
