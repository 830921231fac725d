// The question of the reflection correction when a counter angle lies outside
// the measured angles: extrapolate or skip, for this point or for the rest of
// the concentration.
#pragma once

#include "dialogs/ReflectionNoticeDialog.h"
#include "dialogs/qt/FormView.h"

namespace zeb {

class ReflectionNoticeDialogView : public FormView {
    Q_OBJECT
public:
    ReflectionNoticeDialogView(ReflectionNoticeDialog& logic, QWidget* parent = nullptr);

protected:
    // Closed without a button, the logic's result stays 0: the point is skipped.
    bool logicClosed() const override { return logic_.modalResult != 0; }

private:
    ReflectionNoticeDialog& logic_;
};

} // namespace zeb
