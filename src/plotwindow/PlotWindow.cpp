#include "plotwindow/PlotWindow.h"

#include "analysis/FormFactor.h"
#include "analysis/KFactor.h"
#include "analysis/NumberText.h"
#include "analysis/PlotType.h"
#include "evaluation/Evaluation.h"
#include "texts/AnalysisTexts.h"
#include "texts/CommonTexts.h"
#include "texts/DataTexts.h"
#include "texts/PlotWindowTexts.h"
#include "platform/Platform.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <new>

namespace zeb {

namespace {

constexpr std::array<PlotWidget, 4> kKControls = {PlotWidget::KLabel, PlotWidget::KSmallerButton,
                                                  PlotWidget::KLargerButton, PlotWidget::KField};

} // namespace

PlotWindow::PlotWindow(Platform& platform) : DataWindow(platform) {
    // Menu items start checked off, enabled and visible; these differ.
    item(PlotMenuItem::PlotZimm).checked = true;
    item(PlotMenuItem::QNone).checked = true;
    item(PlotMenuItem::CNone).checked = true;
    item(PlotMenuItem::CopyResults).visible = false;
    item(PlotMenuItem::CorrectReflection).enabled = false;
    item(PlotMenuItem::FormFactorMenu).enabled = false;
    for (int model = 1; model <= 5; ++model) item(ModelItem(model)).enabled = false;
    for (int form = 1; form <= kPlotFormCount; ++form) item(PlotFormItem(form)).enabled = false;
    item(PlotMenuItem::FitFormFactors).enabled = false;

    control(PlotWidget::KLabel).text = tx::LabelK;
    control(PlotWidget::KSmallerButton).text = tx::ButtonKSmaller;
    control(PlotWidget::KLargerButton).text = tx::ButtonKLarger;
    const char* const labels[4] = {tx::LabelMwc, tx::LabelMwq, tx::LabelRg, tx::LabelA2};
    for (std::size_t i = 0; i < 4; ++i) {
        control(kResultLabels[i]).text = labels[i];
        control(kResultFields[i]).text = " ";
    }
    fits_.lineC0.active = fits_.lineQ0.active = 1;
}

void PlotWindow::checkPlotType(PlotType type) {
    for (PlotType t : kAllPlotTypes) item(PlotTypeItem(t)).checked = t == type;
}

void PlotWindow::checkOrder(PlotMenuItem (*itemOf)(FitOrder), FitOrder order) {
    for (FitOrder o : kAllFitOrders) item(itemOf(o)).checked = o == order;
}

FitOrder PlotWindow::readOrder(PlotMenuItem (*itemOf)(FitOrder), FitOrder stored) {
    for (FitOrder o : kAllFitOrders)
        if (item(itemOf(o)).checked) return o;
    item(itemOf(stored)).checked = true;
    return stored;
}

void PlotWindow::updateReflectItem() {
    item(PlotMenuItem::CorrectReflection).enabled = options_.qOrder != FitOrder::None && IsStaticPlot(options_.plotType) && !ff_.viewShown;
}

void PlotWindow::setKControlsVisible(bool visible) {
    for (PlotWidget w : kKControls) control(w).visible = visible;
}

std::string PlotWindow::dataFolder() const {
    auto folderOf = [](const std::string& path) {
        const std::filesystem::path p(path);
        return p.is_absolute() && p.has_parent_path() ? p.parent_path().string() : std::string();
    };
    if (std::string f = folderOf(currentPath()); !f.empty()) return f;
    for (int c = 1; c <= set_.lastConcIndex; ++c)
        if (std::string f = folderOf(set_.sourceName[static_cast<std::size_t>(c)]); !f.empty()) return f;
    return {};
}

double PlotWindow::kScale() const { return KScaleOf(set_); }

void PlotWindow::PreparePoints(int mode) {
    if (mode == 2) options_.kInternal = AutomaticK(set_);
    for (const Message& m : PreparePlottedPoints(set_, options_.plotType, k(), mode != 0))
        platform_.inform(m.text, m.caption, m.icon);
    RescaleAxes();
}

void PlotWindow::calculate() {
    // Nothing is calculated from a set that is being filled.
    if (loading()) return;
    results_ = EvaluationResults{};
    results_.plotType = PlotTypeNumber(options_.plotType);
    options_.qOrder = readOrder(QOrderItem, options_.qOrder);
    options_.cOrder = readOrder(COrderItem, options_.cOrder);
    if (smoothing() == Smoothing::On) item(PlotMenuItem::Smooth).checked = true;
    if (!set_.initialised()) return;

    EvaluationOptions options = options_;
    options.kInternal = k();
    Calculation calculation = Calculate(set_, options);
    for (const Message& m : calculation.messages) platform_.inform(m.text, m.caption, m.icon);
    // The fits that got through stay with the window, as they lie in its set.
    fits_ = std::move(calculation.fits);
    if (!calculation.completed) return;

    for (PlotWidget w : kResultFields) control(w).text = " ";
    results_ = std::move(calculation.results);
    for (std::size_t i = 0; i < 4; ++i) {
        control(kResultLabels[i]).text = results_.labels[i];
        control(kResultFields[i]).text = results_.fieldTexts[i];
    }
    item(PlotMenuItem::Results).enabled = results_.anyRow;
    item(PlotMenuItem::Residuals).enabled = results_.anyRow;
    if (IsStaticPlot(options_.plotType)) {
        storedMwQ2_ = results_.mwQ2 ? *results_.mwQ2 : -1.0;
        storedRgNm_ = results_.rgNm ? *results_.rgNm : -1.0;
    }

    deactivatedAtCalculation_ = deactivatedPoints();
    RescaleAxes();
    const bool formFactors = IsStaticPlot(options_.plotType);
    item(PlotMenuItem::FormFactorMenu).enabled = formFactors;
    for (int model = 1; model <= 5; ++model) item(ModelItem(model)).enabled = formFactors;
    item(PlotMenuItem::FitFormFactors).enabled = formFactors;
    calculated_ = true;
    if (!loadRunning()) {
        setKControlsVisible(true);
        item(PlotMenuItem::Calculate).enabled = true;
    }
    RefreshCaption();
    Repaint();
}

std::vector<PointIndex> PlotWindow::deactivatedPoints() const { return SwitchedOffPoints(set_); }

std::string PlotWindow::resultsOutOfDateHint() const { return resultsOutOfDate() ? tx::ResultsOutOfDate : ""; }

bool PlotWindow::reflectionCorrected() const {
    if (!set_.initialised()) return false;
    for (int c = 1; c <= set_.lastConcIndex; ++c)
        for (int a = 1; a <= set_.lastAngleIndex; ++a)
            if (const DataPoint* p = set_.cell(c, a); p && p->reflectionCorrected != 0) return true;
    return false;
}

bool PlotWindow::RestoreK(double kInternal) {
    if (loading() || !KTypedAcceptable(kInternal, kScale()) || kInternal == 0.0) return false;
    options_.kInternal = kInternal;
    showK();
    PreparePoints(1);
    calculate();
    return true;
}

void PlotWindow::showK() { control(PlotWidget::KField).text = Gcvt6(k() * 1e-8 * 0.001); }

void PlotWindow::PostLoadSetup() {
    item(PlotMenuItem::Results).enabled = false;
    item(PlotMenuItem::Residuals).enabled = false;
    kStep_ = kInitialKStep;
    PreparePoints(2);
    calculate();
    showK();
    std::uint8_t kinds = 0;
    for (int c = 1; c <= set_.lastConcIndex; ++c)
        for (int a = 1; a <= set_.lastAngleIndex; ++a)
            if (const DataPoint* p = set_.cell(c, a)) kinds |= p->presence;
    const bool hasStatic = kinds & kHasKcr;
    for (PlotType t : {PlotType::Zimm, PlotType::Berry, PlotType::Guinier}) item(PlotTypeItem(t)).enabled = hasStatic;
    item(PlotMenuItem::PlotDI).enabled = kinds & kHasDappI;
    item(PlotMenuItem::PlotDII).enabled = kinds & kHasDappII;
    item(PlotMenuItem::PlotDIII).enabled = kinds & kHasDappIII;
    checkPlotType(options_.plotType);
    checkOrder(QOrderItem, options_.qOrder);
    checkOrder(COrderItem, options_.cOrder);
    updateReflectItem();
}

bool PlotWindow::PrepareAfterFirstLoad() {
    try {
        chosen_.clear();
        chosen_.reserve(kMaxChosen);
    } catch (const std::bad_alloc&) {
        platform_.inform(tx::ErrorAllocationMemory, tx::CapError, MsgIcon::Exclamation);
        return false;
    }
    return true;
}

void PlotWindow::AfterLoad() {
    PostLoadSetup();
    Repaint();
}

void PlotWindow::AfterOptions() {
    if (loading()) return;
    if (ff_.viewShown) {
        buildFormFactorView();
        Repaint();
        return;
    }
    item(PlotMenuItem::Smooth).checked = smoothing() == Smoothing::On;
    calculate();
    Repaint();
}

// ---- k

void PlotWindow::afterKChange() {
    showK();
    PreparePoints(1);
    calculate();
}

void PlotWindow::stepKDown() {
    if (loading()) return;
    double k = this->k();
    if (!KStepDown(k, kStep_, kScale())) {
        platform_.beep();
        return;
    }
    options_.kInternal = k;
    afterKChange();
}

void PlotWindow::stepKUp() {
    if (loading()) return;
    double k = this->k();
    if (!KStepUp(k, kStep_, kScale())) {
        platform_.beep();
        return;
    }
    options_.kInternal = k;
    afterKChange();
}

void PlotWindow::kFieldEntered() { kEnterArmed_ = true; }

void PlotWindow::kFieldKeyDown(int key) {
    if (key == 13 && kEnterArmed_ && !loadRunning()) takeKFromField();
}

void PlotWindow::kFieldLeft() {
    kEnterArmed_ = false;
    if (!ff_.viewShown) takeKFromField();
}

void PlotWindow::takeKFromField() {
    if (loading()) {
        showK();  // the field shows the k in use: nothing changes while a file is read
        return;
    }
    // The message box takes the focus from the field: the kill-focus that
    // follows while it is up must not read the field again.
    if (kRefusing_) return;
    takeTypedK(ParseTypedNumber(control(PlotWidget::KField).text));
}

void PlotWindow::takeTypedK(std::optional<double> typed) {
    const std::optional<double> k = typed ? KFromDisplayed(set_, *typed) : std::nullopt;
    if (!k) {
        // Not a number the chart can use: the field shows the k in use again
        // and nothing is recalculated.
        kRefusing_ = true;
        platform_.inform(typed ? KRefusalText(set_, *typed) : std::string(tx::InvalidFloatInput), tx::CapInformation,
                         MsgIcon::Stop);
        kRefusing_ = false;
        showK();
        return;
    }
    options_.kInternal = *k;
    // A zero k became 1.0 in the displayed unit, which is what the field then shows.
    if (*k != *typed * 1e11) control(PlotWidget::KField).text = tx::KTypedZeroText;
    PreparePoints(1);
    calculate();
}

} // namespace zeb
