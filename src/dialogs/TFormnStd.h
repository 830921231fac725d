// The standard-file helper of the record review dialog. The first versions of
// the correlator software logged the refractive index of the standard with a
// meaningless value below 1; this dialog fetches the value really used from
// the measurement's standard file (.TOL, third line) and yields the wrong and
// the correct value, whose ratio corrects Kc/R.
#pragma once

#include "platform/Platform.h"

#include <string>

namespace zeb {

class TFormnStd : public ModalDialog {
public:
    enum class Result { Ok, Abort };

    explicit TFormnStd(Platform& platform) : platform_(platform) {}

    const char* dialogName() const override { return "TFormnStd"; }
    // Abort: the ratio stays as it was.
    void answerDefault() override { BitBtnAbortClick(); }

    std::string EditWrong = "-1";
    std::string EditNew = "-1";

    // "Search for Standard File": the third line of the chosen file becomes the wrong value.
    void BtnStdFileClick();
    void BitBtnOkayClick();
    void BitBtnAbortClick();

    double wrongValue = -1.0;
    double newValue = -1.0;
    Result result = Result::Abort;
    bool closed() const { return closed_; }

private:
    Platform& platform_;
    bool closed_ = false;
};

} // namespace zeb
