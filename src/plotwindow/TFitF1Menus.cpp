// The fit-order, smoothing and plot-type menus of the plot window.
#include "analysis/PlotType.h"
#include "plotwindow/TFitF1.h"

namespace zeb {

// While a file is read none of these commands runs: the set is being filled.

void TFitF1::OnBerechnungQKeine() {
    if (loading()) return;
    smoothing_ = kSmoothingOff;
    menu_["ID_BER_GEGLTTET"].checked = false;
    selectQOrder(0);
}

void TFitF1::selectQOrder(int order) {
    if (loading()) return;
    checkOnly(QOrderItems(), order);
    qOrder_ = order;
    leaveFormFactorView();
    updateReflectItem();
    OnClickedRechne();
}

void TFitF1::selectCOrder(int order) {
    if (loading()) return;
    checkOnly(COrderItems(), order);
    cOrder_ = order;
    leaveFormFactorView();
    updateReflectItem();
    OnClickedRechne();
}

void TFitF1::selectPlotType(int type) {
    if (loading()) return;
    leaveFormFactorView();
    checkOnly(PlotTypeItems(), type - 1);
    plotType_ = type;
    updateReflectItem();
    SetAxesAutomatic();
    PreparePoints(1);
    OnClickedRechne();
}

void TFitF1::OnSelchangeComboFitmethode() {
    if (loading()) return;
    const int before = smoothing_;
    MenuItemState& item = menu_["ID_BER_GEGLTTET"];
    smoothing_ = rememberedSmoothing_ = item.checked ? kSmoothingOff : kSmoothingOn;
    item.checked = smoothing_ == kSmoothingOn;
    if (qOrder_ == 0) {
        // Without a q² fit there is nothing to smooth; the user's choice is remembered.
        smoothing_ = kSmoothingOff;
        item.checked = false;
    }
    if (smoothing_ == before) return;
    PreparePoints(0);
    Repaint();
    if (qOrder_ != 0 || cOrder_ != 0) OnClickedRechne();
}

void TFitF1::leaveFormFactorView() {
    ff_.viewShown = false;
    ff_.models.clear();
    for (const char* name : ModelItems()) {
        menu_[name].enabled = false;
        menu_[name].checked = false;
    }
    updatePlotFormItems();
}

void TFitF1::updatePlotFormItems() {
    const bool any = !ff_.models.empty();
    for (int form = 1; form <= 12; ++form) menu_[PlotFormItem(form)].enabled = any;
}

} // namespace zeb
