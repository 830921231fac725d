#include "plotwindow/TFitF1Options.h"

#include "dialogs/TFormOptions.h"
#include "plotwindow/TFitF1.h"

namespace zeb {

int OnOptionen(TFitF1& w, GlobalDefaults& defaults) {
    // The options change the chart and the calculation: not while a file is read.
    if (w.loading()) return TFormOptions::kResultAbort;
    PlotSettings& s = w.plotSettings();
    const FormFactorState& ff = w.formFactor();
    s.formFactorMode = ff.viewShown;
    // The window's analysis state holds smoothing and weighting (the "&smooth"
    // menu item changes them too); the dialog shows and edits them as settings.
    s.smoothing = static_cast<std::int16_t>(w.rememberedSmoothing());
    s.weighting = static_cast<std::int16_t>(w.weighting());

    OptionsWindowInfo info;
    info.plotType = w.plotType();
    info.representation = ff.form;
    info.curves = ff.models;
    TFormOptions dialog(w.platform(), s, info, defaults, w.settingsPath());
    w.platform().runModal(dialog);

    w.setWeighting(s.weighting);
    w.setRememberedSmoothing(s.smoothing);
    w.AfterOptions();
    return dialog.modalResult;
}

} // namespace zeb
