// TARN (PLT) and PLX files: every input is read in both modes. The last byte
// chooses the answers of the concentration table, so the corrected rewrite
// and the PLX export after a PLT file are fuzzed too.
#include "FuzzSupport.h"
#include "data/LoadErrors.h"
#include "data/PltPlxContent.h"
#include "data/ReadProblem.h"
#include "dialogs/LoadDialogs.h"
#include "dialogs/ConcentrationTableDialog.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto bytes = zeb::fuzz::Bytes(data, size);
    const std::uint8_t mode = size > 0 ? data[size - 1] : 0;
    {
        zeb::fuzz::Reading r(bytes, "/fuzz/input.plx");
        try {
            zeb::ReadPlxBytes(bytes, r.in);
        } catch (const zeb::EOvlConcAngle&) {
            // the grid limit goes to the load sequence, which reports it
        }
    }
    zeb::fuzz::Reading r(bytes, "/fuzz/input.plt");
    r.platform.dialogScripts.push_back([mode](zeb::ModalDialog& d) {
        auto& form = dynamic_cast<zeb::ConcentrationTableDialog&>(d);
        if (!(mode & 1)) return form.continueUnchanged();
        if (mode & 2) form.wavelengthField = "488";
        if (mode & 4 && form.cells.size() > 1) form.cells[1][1] = "2";
        if (mode & 8) form.sampleNameField = "Fuzz";
        form.applyChanges();
        if (mode & 16) form.abort();
    });
    r.platform.dialogScripts.push_back([mode](zeb::ModalDialog& d) {
        auto& form = dynamic_cast<zeb::ConcentrationTableDialog&>(d);
        if (mode & 32 && form.cells.size() > 1) form.cells[1][2] = "0.552";
        if (mode & 64) form.applyChanges();
        else form.continueUnchanged();
    });
    r.platform.saveAnswers.push_back("/fuzz/saved.plx");
    zeb::DialogConcentrationTable table(r.platform);
    int result = 0;
    try {
        result = zeb::ReadPltBytes(bytes, r.in, table);
    } catch (const zeb::EOvlConcAngle&) {
    }
    // A correction leaves a complete PLT file. It reads again unless the
    // correction scaled values out of the plausible ranges (a concentration
    // ten times larger makes Kc/R 1 mol/g into 10): then the reader names them.
    if (result == zeb::kLoadOk && r.files.replaceCount > 0) {
        zeb::PltPlxContent content;
        try {
            content = zeb::ParsePltPlx(r.files.contents, false, {});
        } catch (const zeb::ReadFailure&) {
            std::abort();
        }
        zeb::fuzz::Reading again(r.files.contents, "/fuzz/input.plt");
        zeb::KeepConcentrations keep;
        if (zeb::ReadPltBytes(again.files.contents, again.in, keep) != zeb::kLoadOk && !content.nothingLeft())
            std::abort();
    }
    return 0;
}
