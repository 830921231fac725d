// The fit-order, smoothing and plot-type menus of the plot window.
#include "plotwindow/TFitF1.h"

#include "analysis/FormFactor.h"

namespace zeb {

// While a file is read none of these commands runs: the set is being filled.

void TFitF1::OnBerechnungQKeine() { selectQOrder(FitOrder::None); }

void TFitF1::selectQOrder(FitOrder order) {
    if (loading()) return;
    if (order == FitOrder::None) {
        smoothing_ = Smoothing::Off;
        item(PlotMenuItem::Smooth).checked = false;
    }
    checkOrder(QOrderItem, order);
    qOrder_ = order;
    leaveFormFactorView();
    updateReflectItem();
    OnClickedRechne();
}

void TFitF1::selectCOrder(FitOrder order) {
    if (loading()) return;
    checkOrder(COrderItem, order);
    cOrder_ = order;
    leaveFormFactorView();
    updateReflectItem();
    OnClickedRechne();
}

void TFitF1::selectPlotType(PlotType type) {
    if (loading()) return;
    leaveFormFactorView();
    checkPlotType(type);
    plotType_ = type;
    updateReflectItem();
    SetAxesAutomatic();
    PreparePoints(1);
    OnClickedRechne();
}

void TFitF1::OnSelchangeComboFitmethode() {
    if (loading()) return;
    const Smoothing before = smoothing_;
    MenuItemState& smooth = item(PlotMenuItem::Smooth);
    smoothing_ = rememberedSmoothing_ = smooth.checked ? Smoothing::Off : Smoothing::On;
    smooth.checked = smoothing_ == Smoothing::On;
    if (qOrder_ == FitOrder::None) {
        // Without a q² fit there is nothing to smooth; the user's choice is remembered.
        smoothing_ = Smoothing::Off;
        smooth.checked = false;
    }
    if (smoothing_ == before) return;
    PreparePoints(0);
    Repaint();
    if (qOrder_ != FitOrder::None || cOrder_ != FitOrder::None) OnClickedRechne();
}

void TFitF1::leaveFormFactorView() {
    ff_.viewShown = false;
    ff_.models.clear();
    for (int model = 1; model <= 5; ++model) {
        item(ModelItem(model)).enabled = false;
        item(ModelItem(model)).checked = false;
    }
    updatePlotFormItems();
}

void TFitF1::updatePlotFormItems() {
    const bool any = !ff_.models.empty();
    for (int form = 1; form <= kPlotFormCount; ++form) item(PlotFormItem(form)).enabled = any;
}

} // namespace zeb
