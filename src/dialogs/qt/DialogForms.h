// The Qt forms of the dialogs whose logic lives in the core: after this call
// the platform shows each such dialog in its form.
#pragma once

namespace zeb {

void RegisterDialogForms();

} // namespace zeb
