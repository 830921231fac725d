#include "plotwindow/PlotWindowOptions.h"

#include "dialogs/OptionsDialog.h"
#include "plotwindow/PlotWindow.h"

namespace zeb {

int openOptionsDialog(PlotWindow& w, GlobalDefaults& defaults) {
    // The options change the chart and the calculation: not while a file is read.
    if (w.loading()) return OptionsDialog::kResultAbort;
    PlotSettings& s = w.plotSettings();
    const FormFactorState& ff = w.formFactor();
    s.formFactorMode = ff.viewShown;
    // The window's analysis state holds smoothing and weighting (the "&smooth"
    // menu item changes them too); the dialog shows and edits them as settings.
    s.smoothing = static_cast<std::int16_t>(SmoothingCode(w.rememberedSmoothing()));
    s.weighting = static_cast<std::int16_t>(WeightingCode(w.weighting()));

    OptionsWindowInfo info;
    info.plotType = PlotTypeNumber(w.plotType());
    info.representation = ff.form;
    info.curves = ff.models;
    OptionsDialog dialog(w.platform(), s, info, defaults, w.settingsPath());
    w.platform().runModal(dialog);

    w.setWeighting(WeightingFromCode(s.weighting));
    w.setRememberedSmoothing(SmoothingFromCode(s.smoothing));
    w.AfterOptions();
    return dialog.modalResult;
}

} // namespace zeb
