// The fit-order, smoothing and plot-type menus of the plot window.
#include "plotwindow/PlotWindow.h"

#include "analysis/FormFactor.h"

namespace zeb {

// While a file is read none of these commands runs: the set is being filled.


void PlotWindow::setQOrder(FitOrder order) {
    if (loading()) return;
    if (order == FitOrder::None) item(PlotMenuItem::Smooth).checked = false;
    checkOrder(QOrderItem, order);
    options_.qOrder = order;
    leaveFormFactorView();
    updateReflectItem();
    calculate();
}

void PlotWindow::setCOrder(FitOrder order) {
    if (loading()) return;
    checkOrder(COrderItem, order);
    options_.cOrder = order;
    leaveFormFactorView();
    updateReflectItem();
    calculate();
}

void PlotWindow::setPlotType(PlotType type) {
    if (loading()) return;
    leaveFormFactorView();
    checkPlotType(type);
    options_.plotType = type;
    updateReflectItem();
    SetAxesAutomatic();
    PreparePoints(1);
    calculate();
}

void PlotWindow::toggleSmoothing() {
    if (loading()) return;
    const Smoothing before = smoothing();
    MenuItemState& smooth = item(PlotMenuItem::Smooth);
    options_.smoothing = smooth.checked ? Smoothing::Off : Smoothing::On;
    // Without a q² fit there is nothing to smooth; the user's choice is remembered.
    smooth.checked = smoothing() == Smoothing::On;
    if (smoothing() == before) return;
    PreparePoints(0);
    Repaint();
    if (options_.qOrder != FitOrder::None || options_.cOrder != FitOrder::None) calculate();
}

void PlotWindow::leaveFormFactorView() {
    LeaveFormFactorView(ff_);
    for (int model = 1; model <= 5; ++model) {
        item(ModelItem(model)).enabled = false;
        item(ModelItem(model)).checked = false;
    }
    updatePlotFormItems();
}

void PlotWindow::updatePlotFormItems() {
    const bool any = !ff_.models.empty();
    for (int form = 1; form <= kPlotFormCount; ++form) item(PlotFormItem(form)).enabled = any;
}

} // namespace zeb
