// The exceptions that end a load. They are nested in the data window as
// DataWindow::EOvlConcAngle and so on; they live here so that the measurement set
// can raise them without knowing the window.
#pragma once

#include <stdexcept>
#include <string>

namespace zeb {

struct LoadError : std::runtime_error {
    using std::runtime_error::runtime_error;
};
// More than 99 concentrations or 135 q² values in one window. The detail says
// which limit and by how much, as a line that follows the message's text.
struct EOvlConcAngle : LoadError {
    explicit EOvlConcAngle(std::string detailLine) : LoadError("grid limit exceeded"), detail(std::move(detailLine)) {}
    std::string detail;
};
// "The file holds 150 angle values, 15 more than the 135 there is room for."
std::string GridLimitDetail(const char* values, double count, int room);
// A file that takes the data past the limit, found as its values are stored.
std::string GridLimitReachedDetail(const char* values, int limit);
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
