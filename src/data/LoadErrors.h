// The exceptions that end a load. They are nested in the data window as
// DataWindow::EOvlConcAngle and so on; they live here so that the measurement set
// can raise them without knowing the window.
#pragma once

#include <stdexcept>

namespace zeb {

struct LoadError : std::runtime_error {
    using std::runtime_error::runtime_error;
};
// More than 99 concentrations or 135 q² values in one window.
struct EOvlConcAngle : LoadError {
    EOvlConcAngle() : LoadError("grid limit exceeded") {}
};
// A store was refused; the message has been shown already.
struct EInternalError : LoadError {
    EInternalError() : LoadError("store refused") {}
};
// The user pressed Abort Loading.
struct EAbortLoad : LoadError {
    EAbortLoad() : LoadError("loading aborted") {}
};
// A PLX file name without the .PLX extension.
struct EGeneralFailure : LoadError {
    EGeneralFailure() : LoadError("general failure") {}
};

} // namespace zeb
