// The standard-file helper of the record review dialog. The first versions of
// the correlator software logged the refractive index of the standard with a
// meaningless value below 1; this dialog fetches the value really used from
// the measurement's standard file (.TOL, third line) and yields the wrong and
// the correct value, whose ratio corrects Kc/R.
#pragma once

#include "platform/Platform.h"

#include <string>

namespace zeb {

class StandardIndexDialog : public ModalDialog {
public:
    enum class Result { Ok, Abort };

    explicit StandardIndexDialog(Platform& platform) : platform_(platform) {}

    const char* dialogName() const override { return "StandardIndexDialog"; }
    // Abort: the ratio stays as it was.
    void answerDefault() override { abort(); }

    std::string wrongIndexField = "-1";
    std::string correctedIndexField = "-1";

    // "Search for Standard File": the third line of the chosen file becomes the wrong value.
    void readStandardFile();
    void accept();
    void abort();

    double wrongValue = -1.0;
    double newValue = -1.0;
    Result result = Result::Abort;
    bool closed() const { return closed_; }

private:
    Platform& platform_;
    bool closed_ = false;
};

} // namespace zeb
