// "Plot-&Options" of the plot window: shows the options dialog for the window's
// plot settings and brings the window up to date afterwards, whichever button
// closed the dialog (the form-factor plot is rebuilt, or smoothing and
// weighting take effect and the window recalculates; then it repaints).
#pragma once

#include "settings/PlotSettings.h"

namespace zeb {

class PlotWindow;

// defaults: the program's global defaults ("Save to INI file" updates them).
// Returns the dialog's result (OptionsDialog::kResultOk, kResultYes or kResultAbort).
int openOptionsDialog(PlotWindow& window, GlobalDefaults& defaults);

} // namespace zeb
