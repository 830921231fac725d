// The information dialog of the reflection correction: a point's counter angle
// lies outside the measured angles; the user chooses to extrapolate the
// concentration's q² polynomial there or to skip the point, once or for the
// rest of the concentration.
#pragma once

#include "platform/Platform.h"

#include <string>

namespace zeb {

class ReflectionNoticeDialog : public ModalDialog {
public:
    // Modal results of the four buttons.
    static constexpr int kExtrapolate = 1;
    static constexpr int kExtrapolateAll = 5;
    static constexpr int kSkip = 2;
    static constexpr int kSkipAll = 7;

    ReflectionNoticeDialog();

    const char* dialogName() const override { return "ReflectionNoticeDialog"; }
    // The safe choice: skip this point (nothing is extrapolated).
    void answerDefault() override { skip(); }

    // Before each showing: the memo for the point's angle θ (degrees), the
    // concentration (g/cm³) in concentrationField, no result yet.
    void Prepare(double thetaDeg, double concentrationGPerCm3);

    void extrapolate() { modalResult = kExtrapolate; }
    void extrapolateAll() { modalResult = kExtrapolateAll; }
    void skip() { modalResult = kSkip; }
    void skipAll() { modalResult = kSkipAll; }

    // The five lines with their two angle placeholders, joined with CR LF.
    const std::string& memoTemplate() const { return template_; }

    std::string explanation;
    std::string concentrationField;
    int modalResult = 0;  // 0 while open or when closed without a button

private:
    std::string template_;
};

} // namespace zeb
