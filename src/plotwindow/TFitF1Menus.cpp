// The fit-order, smoothing and plot-type menus of the plot window.
#include "plotwindow/TFitF1.h"

#include "analysis/FormFactor.h"

namespace zeb {

// While a file is read none of these commands runs: the set is being filled.

void TFitF1::OnBerechnungQKeine() { selectQOrder(FitOrder::None); }

void TFitF1::selectQOrder(FitOrder order) {
    if (loading()) return;
    if (order == FitOrder::None) {
        calculation_.smoothing = Smoothing::Off;
        item(PlotMenuItem::Smooth).checked = false;
    }
    checkOrder(QOrderItem, order);
    calculation_.qOrder = order;
    leaveFormFactorView();
    updateReflectItem();
    OnClickedRechne();
}

void TFitF1::selectCOrder(FitOrder order) {
    if (loading()) return;
    checkOrder(COrderItem, order);
    calculation_.cOrder = order;
    leaveFormFactorView();
    updateReflectItem();
    OnClickedRechne();
}

void TFitF1::selectPlotType(PlotType type) {
    if (loading()) return;
    leaveFormFactorView();
    checkPlotType(type);
    calculation_.plotType = type;
    updateReflectItem();
    SetAxesAutomatic();
    PreparePoints(1);
    OnClickedRechne();
}

void TFitF1::OnSelchangeComboFitmethode() {
    if (loading()) return;
    const Smoothing before = calculation_.smoothing;
    MenuItemState& smooth = item(PlotMenuItem::Smooth);
    calculation_.smoothing = rememberedSmoothing_ = smooth.checked ? Smoothing::Off : Smoothing::On;
    smooth.checked = calculation_.smoothing == Smoothing::On;
    if (calculation_.qOrder == FitOrder::None) {
        // Without a q² fit there is nothing to smooth; the user's choice is remembered.
        calculation_.smoothing = Smoothing::Off;
        smooth.checked = false;
    }
    if (calculation_.smoothing == before) return;
    PreparePoints(0);
    Repaint();
    if (calculation_.qOrder != FitOrder::None || calculation_.cOrder != FitOrder::None) OnClickedRechne();
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
