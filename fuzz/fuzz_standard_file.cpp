// Standard files (.TOL) through the standard-file helper of the review dialog.
#include "FuzzSupport.h"
#include "dialogs/TFormnStd.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string path = zeb::fuzz::InputPath("TOL");
    zeb::fuzz::WriteInput(path, data, size);
    zeb::ScriptedPlatform platform;
    zeb::TFormnStd form(platform);
    platform.openAnswers.push_back(path);
    form.BtnStdFileClick();
    form.EditNew = "1.332";
    form.BitBtnOkayClick();
    return 0;
}
