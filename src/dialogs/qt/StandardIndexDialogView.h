// The standard-file helper form: why the refractive index of the standard may
// be wrong, the wrong and the new value, and the search for the standard file.
#pragma once

#include "dialogs/StandardIndexDialog.h"
#include "dialogs/qt/FormView.h"

namespace zeb {

class StandardIndexDialogView : public FormView {
    Q_OBJECT
public:
    StandardIndexDialogView(StandardIndexDialog& logic, QWidget* parent = nullptr);

protected:
    bool logicClosed() const override { return logic_.closed(); }
    bool escapeHandler() override;

private:
    StandardIndexDialog& logic_;
};

} // namespace zeb
