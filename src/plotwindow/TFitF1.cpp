#include "plotwindow/TFitF1.h"

#include "analysis/KFactor.h"
#include "analysis/NumberText.h"
#include "analysis/PlotType.h"
#include "evaluation/Evaluation.h"
#include "texts/AnalysisTexts.h"
#include "texts/CommonTexts.h"
#include "texts/DataTexts.h"
#include "platform/Platform.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <new>

namespace zeb {

namespace {

const char* const kEditNames[4] = {"EditIDC_MWC", "EditIDC_MWQ", "EditIDC_RG", "EditIDC_A2"};
const char* const kLabelNames[4] = {"LabelIDC_B_Mwc", "LabelIDC_B_Mwq", "LabelIDC_B_Rg", "LabelIDC_B_A2"};
const char* const kKControls[4] = {"Label_k", "BtnIDC_K_KL", "BtnIDC_K_GR", "EditIDC_EING_K"};

} // namespace

const std::array<const char*, 6>& TFitF1::PlotTypeItems() {
    static const std::array<const char*, 6> items = {"PLOTTYP_ZIMM", "PLOTTYP_BERRY", "PLOTTYP_GUINIER",
                                                     "PLOTTYP_DI", "PLOTTYP_DII", "PLOTTYP_DIII"};
    return items;
}

const std::array<const char*, 6>& TFitF1::QOrderItems() {
    static const std::array<const char*, 6> items = {"ID_BER_Q_KEINE", "ID_BER_Q_1", "ID_BER_Q_2",
                                                     "ID_BER_Q_3", "ID_BER_Q_4", "ID_BER_Q_5"};
    return items;
}

const std::array<const char*, 6>& TFitF1::COrderItems() {
    static const std::array<const char*, 6> items = {"ID_BER_C_KEINE", "ID_BER_C_1", "ID_BER_C_2",
                                                     "ID_BER_C_3", "ID_BER_C_4", "ID_BER_C_5"};
    return items;
}

const std::array<const char*, 5>& TFitF1::ModelItems() {
    static const std::array<const char*, 5> items = {"mnCoilMd", "mnCoilPd", "mnThinRod", "mnHardSphere",
                                                     "mnFFUser"};
    return items;
}

const char* TFitF1::PlotFormItem(int form) {
    static const char* const items[] = {"",          "mn1dPzQ2", "mnW1dPzQ2", "mnLnPzQ2", "mnPzQ2Q",
                                        "mnPzQQ",    "mn1dPzU2", "mnW1dPzU2", "mnLnPzU2", "mnPzU2U",
                                        "mnPzUU",    "mnPzQ",    "mnPzU"};
    return form >= 1 && form <= 12 ? items[form] : "";
}

TFitF1::TFitF1(Platform& platform) : TFitF(platform) {
    for (const char* name : PlotTypeItems()) menu_[name] = {};
    for (const char* name : QOrderItems()) menu_[name] = {};
    for (const char* name : COrderItems()) menu_[name] = {};
    menu_["PLOTTYP_ZIMM"].checked = true;
    menu_["ID_BER_Q_KEINE"].checked = true;
    menu_["ID_BER_C_KEINE"].checked = true;
    menu_["ID_BER_GEGLTTET"] = {};
    menu_["ID_BER_BERECHNE"] = {};
    menu_["ID_BER_AUSWERTUNG"] = {};
    menu_["mnCorrReflect"] = {false, false, true};
    menu_["mnFormFactor"] = {false, false, true};
    for (const char* name : ModelItems()) menu_[name] = {false, false, true};
    for (int form = 1; form <= 12; ++form) menu_[PlotFormItem(form)] = {false, false, true};

    widgets_["Label_k"] = {"&k:", true, true};
    widgets_["EditIDC_EING_K"] = {};
    widgets_["BtnIDC_K_KL"] = {"&<<", true, true};
    widgets_["BtnIDC_K_GR"] = {"&>>", true, true};
    const char* const labels[4] = {tx::LabelMwc, tx::LabelMwq, tx::LabelRg, tx::LabelA2};
    for (int i = 0; i < 4; ++i) {
        widgets_[kLabelNames[i]] = {labels[i], true, true};
        widgets_[kEditNames[i]] = {" ", true, true};
    }
    fits_.lineC0.active = fits_.lineQ0.active = 1;
}

void TFitF1::checkOnly(const std::array<const char*, 6>& items, int index) {
    for (int i = 0; i < 6; ++i) menu_[items[static_cast<std::size_t>(i)]].checked = i == index;
}

int TFitF1::readOrder(const std::array<const char*, 6>& items, int stored) {
    for (int i = 0; i < 6; ++i)
        if (menu_[items[static_cast<std::size_t>(i)]].checked) return i;
    menu_[items[static_cast<std::size_t>(stored)]].checked = true;
    return stored;
}

void TFitF1::updateReflectItem() {
    menu_["mnCorrReflect"].enabled = qOrder_ >= 1 && IsStaticPlot(plotType_) && !ff_.viewShown;
}

void TFitF1::setKControlsVisible(bool visible) {
    for (const char* name : kKControls) widgets_[name].visible = visible;
}

std::string TFitF1::dataFolder() const {
    auto folderOf = [](const std::string& path) {
        const std::filesystem::path p(path);
        return p.is_absolute() && p.has_parent_path() ? p.parent_path().string() : std::string();
    };
    if (std::string f = folderOf(currentPath()); !f.empty()) return f;
    for (int c = 1; c <= set_.lastConcIndex; ++c)
        if (std::string f = folderOf(set_.sourceName[static_cast<std::size_t>(c)]); !f.empty()) return f;
    return {};
}

double TFitF1::kScale() const { return KScaleOf(set_); }

void TFitF1::PreparePoints(int mode) {
    if (mode == 2) k_ = AutomaticK(set_);
    for (const Message& m : PreparePlottedPoints(set_, static_cast<PlotType>(plotType_), k_, mode != 0))
        platform_.inform(m.text, m.caption, m.icon);
    RescaleAxes();
}

void TFitF1::OnClickedRechne() {
    // Nothing is calculated from a set that is being filled.
    if (loading()) return;
    results_ = EvaluationResults{};
    results_.plotType = plotType_;
    qOrder_ = readOrder(QOrderItems(), qOrder_);
    cOrder_ = readOrder(COrderItems(), cOrder_);
    if (qOrder_ >= 1 && rememberedSmoothing_ == kSmoothingOn) {
        smoothing_ = kSmoothingOn;
        menu_["ID_BER_GEGLTTET"].checked = true;
    }
    if (!set_.initialised()) return;

    CalculationOptions options;
    options.plotType = static_cast<PlotType>(plotType_);
    options.qOrder = qOrder_;
    options.cOrder = cOrder_;
    options.smoothing = smoothing_ == kSmoothingOn;
    options.weighting = weighting_ == kWeightingOn;
    options.kInternal = k_;
    Calculation calculation = Calculate(set_, options);
    for (const Message& m : calculation.messages) platform_.inform(m.text, m.caption, m.icon);
    // The fits that got through stay with the window, as they lie in its set.
    fits_ = std::move(calculation.fits);
    if (!calculation.completed) return;

    for (const char* name : kEditNames) widgets_[name].text = " ";
    results_ = std::move(calculation.results);
    for (int i = 0; i < 4; ++i) {
        widgets_[kLabelNames[i]].text = results_.labels[static_cast<std::size_t>(i)];
        widgets_[kEditNames[i]].text = results_.edits[static_cast<std::size_t>(i)];
    }
    menu_["ID_BER_AUSWERTUNG"].enabled = results_.anyRow;
    if (IsStaticPlot(plotType_)) {
        storedMwQ2_ = results_.mwQ2 ? *results_.mwQ2 : -1.0;
        storedRgNm_ = results_.rgNm ? *results_.rgNm : -1.0;
    }

    deactivatedAtCalculation_ = deactivatedPoints();
    RescaleAxes();
    const bool formFactors = IsStaticPlot(plotType_);
    menu_["mnFormFactor"].enabled = formFactors;
    for (const char* name : ModelItems()) menu_[name].enabled = formFactors;
    calculated_ = true;
    if (!loadRunning()) {
        setKControlsVisible(true);
        menu_["ID_BER_BERECHNE"].enabled = true;
    }
    RefreshCaption();
    Repaint();
}

std::vector<std::pair<int, int>> TFitF1::deactivatedPoints() const {
    std::vector<std::pair<int, int>> off;
    if (!set_.initialised()) return off;
    for (int c = 1; c <= set_.lastConcIndex; ++c)
        for (int a = 1; a <= set_.lastAngleIndex; ++a)
            if (const DataPoint* p = set_.cell(c, a); p && p->hasData != 0 && p->active == 0) off.emplace_back(c, a);
    return off;
}

bool TFitF1::reflectionCorrected() const {
    if (!set_.initialised()) return false;
    for (int c = 1; c <= set_.lastConcIndex; ++c)
        for (int a = 1; a <= set_.lastAngleIndex; ++a)
            if (const DataPoint* p = set_.cell(c, a); p && p->reflectionCorrected != 0) return true;
    return false;
}

bool TFitF1::RestoreK(double kInternal) {
    if (loading() || !KTypedAcceptable(kInternal, kScale()) || kInternal == 0.0) return false;
    k_ = kInternal;
    showK();
    PreparePoints(1);
    OnClickedRechne();
    return true;
}

void TFitF1::showK() { widgets_["EditIDC_EING_K"].text = Gcvt6(k_ * 1e-8 * 0.001); }

void TFitF1::PostLoadSetup() {
    menu_["ID_BER_AUSWERTUNG"].enabled = false;
    kStep_ = kInitialKStep;
    PreparePoints(2);
    OnClickedRechne();
    showK();
    std::uint8_t kinds = 0;
    for (int c = 1; c <= set_.lastConcIndex; ++c)
        for (int a = 1; a <= set_.lastAngleIndex; ++a)
            if (const DataPoint* p = set_.cell(c, a)) kinds |= p->presence;
    const bool hasStatic = kinds & kHasKcr;
    menu_["PLOTTYP_ZIMM"].enabled = menu_["PLOTTYP_BERRY"].enabled = menu_["PLOTTYP_GUINIER"].enabled = hasStatic;
    menu_["PLOTTYP_DI"].enabled = kinds & kHasDappI;
    menu_["PLOTTYP_DII"].enabled = kinds & kHasDappII;
    menu_["PLOTTYP_DIII"].enabled = kinds & kHasDappIII;
    checkOnly(PlotTypeItems(), plotType_ - 1);
    checkOnly(QOrderItems(), qOrder_);
    checkOnly(COrderItems(), cOrder_);
    updateReflectItem();
}

bool TFitF1::PrepareAfterFirstLoad() {
    try {
        chosen_.clear();
        chosen_.reserve(kMaxChosen);
    } catch (const std::bad_alloc&) {
        platform_.inform(tx::ErrorAllocationMemory, tx::CapError, MsgIcon::Exclamation);
        return false;
    }
    return true;
}

void TFitF1::AfterLoad() {
    PostLoadSetup();
    Repaint();
}

void TFitF1::AfterOptions() {
    if (loading()) return;
    if (ff_.viewShown) {
        buildFormFactorView();
        Repaint();
        return;
    }
    smoothing_ = qOrder_ != 0 && rememberedSmoothing_ == kSmoothingOn ? kSmoothingOn : kSmoothingOff;
    menu_["ID_BER_GEGLTTET"].checked = smoothing_ == kSmoothingOn;
    OnClickedRechne();
    Repaint();
}

// ---- k

void TFitF1::afterKChange() {
    showK();
    PreparePoints(1);
    OnClickedRechne();
}

void TFitF1::OnClicked_K_Kl() {
    if (loading()) return;
    if (!KStepDown(k_, kStep_, kScale())) {
        platform_.beep();
        return;
    }
    afterKChange();
}

void TFitF1::OnClicked_K_Gr() {
    if (loading()) return;
    if (!KStepUp(k_, kStep_, kScale())) {
        platform_.beep();
        return;
    }
    afterKChange();
}

void TFitF1::EditIDC_EING_KEnter() { kEnterArmed_ = true; }

void TFitF1::EditIDC_EING_KKeyDown(int key) {
    if (key == 13 && kEnterArmed_ && !loadRunning()) cpEING_K();
}

void TFitF1::OnKillfocusEingK() {
    kEnterArmed_ = false;
    if (!ff_.viewShown) cpEING_K();
}

void TFitF1::cpEING_K() {
    if (loading()) {
        showK();  // the field shows the k in use: nothing changes while a file is read
        return;
    }
    // The message box takes the focus from the field: the kill-focus that
    // follows while it is up must not read the field again.
    if (kRefusing_) return;
    takeTypedK(ParseTypedNumber(widgets_["EditIDC_EING_K"].text));
}

void TFitF1::EnterK(double kDisplayed) {
    if (loading()) {
        showK();
        return;
    }
    takeTypedK(kDisplayed);
}

void TFitF1::takeTypedK(std::optional<double> typed) {
    if (!typed || !KTypedAcceptable(*typed * 1e11, kScale())) {
        // Not a number the chart can use: the field shows the k in use again
        // and nothing is recalculated.
        kRefusing_ = true;
        platform_.inform(tx::InvalidFloatInput, tx::CapInformation, MsgIcon::Stop);
        kRefusing_ = false;
        showK();
        return;
    }
    k_ = *typed * 1e11;
    if (std::fabs(k_) < 1e-40) {
        // A zero k would pile all concentrations onto one abscissa: k becomes 1.0
        // in the displayed unit, which is what the field then shows.
        k_ = 1e11;
        widgets_["EditIDC_EING_K"].text = tx::KTypedZeroText;
    }
    PreparePoints(1);
    OnClickedRechne();
}

} // namespace zeb
