#include "plotwindow/PlotMenu.h"

#include "analysis/FormFactor.h"
#include "plotwindow/PlotWindow.h"
#include "texts/PlotWindowTexts.h"

namespace zeb {

namespace {

using PMI = PlotMenuItem;
using PM = PlotMenu;
using PMC = PlotMenuCommand;

constexpr PlotMenuEntry CommandEntry(PMI item, const char* name, PM menu, const tx::ItemText& text, void (*run)(PlotWindow&),
                             bool checkable = false, bool separatorBefore = false) {
    return {item, name, menu, separatorBefore, checkable, &text, PMC::Core, run};
}
constexpr PlotMenuEntry ChoiceEntry(PMI item, const char* name, PM menu, const tx::ItemText& text, void (*run)(PlotWindow&),
                               bool separatorBefore = false) {
    return CommandEntry(item, name, menu, text, run, true, separatorBefore);
}
template <FormFactorModel Model>
void RunModelItem(PlotWindow& w) { w.toggleFormFactorModel(Model); }
template <int PlotForm>
void RunPlotFormItem(PlotWindow& w) { w.showFormFactorPlot(PlotForm); }

constexpr std::array<PlotMenuEntry, kPlotMenuItemCount> kMenuTable = {{
    ChoiceEntry(PMI::PlotZimm, "plotZimm", PM::PlotType, tx::ItemZimm, [](PlotWindow& w) { w.setPlotType(PlotType::Zimm); }),
    ChoiceEntry(PMI::PlotBerry, "plotBerry", PM::PlotType, tx::ItemBerry, [](PlotWindow& w) { w.setPlotType(PlotType::Berry); }),
    ChoiceEntry(PMI::PlotGuinier, "plotGuinier", PM::PlotType, tx::ItemGuinier,
           [](PlotWindow& w) { w.setPlotType(PlotType::Guinier); }),
    ChoiceEntry(PMI::PlotDI, "plotDI", PM::PlotType, tx::ItemDI, [](PlotWindow& w) { w.setPlotType(PlotType::DI); }, true),
    ChoiceEntry(PMI::PlotDII, "plotDII", PM::PlotType, tx::ItemDII, [](PlotWindow& w) { w.setPlotType(PlotType::DII); }),
    ChoiceEntry(PMI::PlotDIII, "plotDIII", PM::PlotType, tx::ItemDIII, [](PlotWindow& w) { w.setPlotType(PlotType::DIII); }),

    ChoiceEntry(PMI::QNone, "qOrderNone", PM::QDep, tx::ItemQNone, [](PlotWindow& w) { w.setQOrder(FitOrder::None); }),
    ChoiceEntry(PMI::Q1, "qOrder1", PM::QDep, tx::ItemQ1, [](PlotWindow& w) { w.setQOrder(FitOrder::One); }),
    ChoiceEntry(PMI::Q2, "qOrder2", PM::QDep, tx::ItemQ2, [](PlotWindow& w) { w.setQOrder(FitOrder::Two); }),
    ChoiceEntry(PMI::Q3, "qOrder3", PM::QDep, tx::ItemQ3, [](PlotWindow& w) { w.setQOrder(FitOrder::Three); }),
    ChoiceEntry(PMI::Q4, "qOrder4", PM::QDep, tx::ItemQ4, [](PlotWindow& w) { w.setQOrder(FitOrder::Four); }),
    ChoiceEntry(PMI::Q5, "qOrder5", PM::QDep, tx::ItemQ5, [](PlotWindow& w) { w.setQOrder(FitOrder::Five); }),
    ChoiceEntry(PMI::Smooth, "smooth", PM::QDep, tx::ItemSmooth, [](PlotWindow& w) { w.toggleSmoothing(); }),

    ChoiceEntry(PMI::CNone, "cOrderNone", PM::CDep, tx::ItemCNone, [](PlotWindow& w) { w.setCOrder(FitOrder::None); }),
    ChoiceEntry(PMI::C1, "cOrder1", PM::CDep, tx::ItemC1, [](PlotWindow& w) { w.setCOrder(FitOrder::One); }),
    ChoiceEntry(PMI::C2, "cOrder2", PM::CDep, tx::ItemC2, [](PlotWindow& w) { w.setCOrder(FitOrder::Two); }),
    ChoiceEntry(PMI::C3, "cOrder3", PM::CDep, tx::ItemC3, [](PlotWindow& w) { w.setCOrder(FitOrder::Three); }),
    ChoiceEntry(PMI::C4, "cOrder4", PM::CDep, tx::ItemC4, [](PlotWindow& w) { w.setCOrder(FitOrder::Four); }),
    ChoiceEntry(PMI::C5, "cOrder5", PM::CDep, tx::ItemC5, [](PlotWindow& w) { w.setCOrder(FitOrder::Five); }),

    CommandEntry(PMI::Calculate, "calculate", PM::Calculation, tx::ItemCalculate, [](PlotWindow& w) { w.calculate(); }),
    {PMI::Results, "results", PM::Calculation, false, false, &tx::ItemResults, PMC::View, nullptr},
    {PMI::Residuals, "residualChart", PM::Calculation, false, false, &tx::ItemResiduals, PMC::View, nullptr},
    {PMI::CopyResults, "copyResults", PM::Calculation, false, false, &tx::ItemCopyResults, PMC::None, nullptr},
    CommandEntry(PMI::CorrectReflection, "correctReflection", PM::Calculation, tx::ItemCorrectReflection, [](PlotWindow& w) { w.correctReflection(); },
         false, true),

    {PMI::FormFactorMenu, "formFactorMenu", PM::FormFactor, false, false, nullptr, PMC::Submenu, nullptr},
    ChoiceEntry(PMI::CoilMd, "modelCoilMono", PM::FormFactor, tx::ItemCoilMd, RunModelItem<kModelCoilMono>),
    ChoiceEntry(PMI::CoilPd, "modelCoilPoly", PM::FormFactor, tx::ItemCoilPd, RunModelItem<kModelCoilPoly>),
    ChoiceEntry(PMI::ThinRod, "modelThinRod", PM::FormFactor, tx::ItemThinRod, RunModelItem<kModelThinRod>),
    ChoiceEntry(PMI::HardSphere, "modelHardSphere", PM::FormFactor, tx::ItemHardSphere, RunModelItem<kModelHardSphere>),
    ChoiceEntry(PMI::FFUser, "modelUserDefined", PM::FormFactor, tx::ItemFFUser, RunModelItem<kModelUser>),
    CommandEntry(PMI::PzQ, "plotPzOverQ", PM::FormFactor, tx::ItemPzQ, RunPlotFormItem<11>, false, true),
    CommandEntry(PMI::OneByPzQ2, "plotInversePzOverQ2", PM::FormFactor, tx::Item1dPzQ2, RunPlotFormItem<1>),
    CommandEntry(PMI::SqrtOneByPzQ2, "plotRootInversePzOverQ2", PM::FormFactor, tx::ItemW1dPzQ2, RunPlotFormItem<2>),
    CommandEntry(PMI::LnPzQ2, "plotLnPzOverQ2", PM::FormFactor, tx::ItemLnPzQ2, RunPlotFormItem<3>),
    CommandEntry(PMI::PzQ2Q, "plotPzQ2OverQ", PM::FormFactor, tx::ItemPzQ2Q, RunPlotFormItem<4>),
    CommandEntry(PMI::PzQQ, "plotPzQOverQ", PM::FormFactor, tx::ItemPzQQ, RunPlotFormItem<5>),
    CommandEntry(PMI::PzU, "plotPzOverU", PM::FormFactor, tx::ItemPzU, RunPlotFormItem<12>, false, true),
    CommandEntry(PMI::OneByPzU2, "plotInversePzOverU2", PM::FormFactor, tx::Item1dPzU2, RunPlotFormItem<6>),
    CommandEntry(PMI::SqrtOneByPzU2, "plotRootInversePzOverU2", PM::FormFactor, tx::ItemW1dPzU2, RunPlotFormItem<7>),
    CommandEntry(PMI::LnPzU2, "plotLnPzOverU2", PM::FormFactor, tx::ItemLnPzU2, RunPlotFormItem<8>),
    CommandEntry(PMI::PzU2U, "plotPzU2OverU", PM::FormFactor, tx::ItemPzU2U, RunPlotFormItem<9>),
    CommandEntry(PMI::PzUU, "plotPzUOverU", PM::FormFactor, tx::ItemPzUU, RunPlotFormItem<10>),
    {PMI::FitFormFactors, "fitFormFactors", PM::FormFactor, true, false, &tx::ItemFitFormFactors, PMC::View, nullptr},
}};

// The core indexes its state by the enum: entry i is item i.
constexpr bool MenuTableInEnumOrder() {
    for (std::size_t i = 0; i < kMenuTable.size(); ++i)
        if (static_cast<std::size_t>(kMenuTable[i].item) != i) return false;
    return true;
}
static_assert(MenuTableInEnumOrder(), "the menu table lists every item once, in the order of PlotMenuItem");

constexpr std::array<PlotMenuInfo, kPlotMenuCount> kPlotMenus = {{
    {PM::PlotType, "ffPlotType", tx::MenuPlotType},
    {PM::QDep, "ffqDep", tx::MenuQDep},
    {PM::CDep, "ffcDep", tx::MenuCDep},
    {PM::Calculation, "calculationMenu", tx::MenuCalculation},
    {PM::FormFactor, nullptr, tx::MenuFormFactor},  // named by its entry FormFactorMenu
}};

constexpr std::array<const char*, kPlotWidgetCount> kPlotWidgetNames = {
    "kLabel",        "kField", "kSmallerButton", "kLargerButton", "mwcLabel", "mwcField",
    "mwqLabel", "mwqField",    "rgLabel", "rgField", "a2Label",  "a2Field"};

} // namespace

const std::array<PlotMenuEntry, kPlotMenuItemCount>& PlotMenuTable() { return kMenuTable; }

const std::array<PlotMenuInfo, kPlotMenuCount>& PlotMenus() {
    static const std::array<PlotMenuInfo, kPlotMenuCount> menus = [] {
        auto m = kPlotMenus;
        m[static_cast<std::size_t>(PM::FormFactor)].name = MenuItemName(PMI::FormFactorMenu);
        return m;
    }();
    return menus;
}

std::optional<PlotMenuItem> MenuItemNamed(std::string_view name) {
    for (const PlotMenuEntry& e : kMenuTable)
        if (name == e.name) return e.item;
    return std::nullopt;
}

PlotMenuItem PlotTypeItem(PlotType type) {
    return static_cast<PMI>(static_cast<int>(PMI::PlotZimm) + PlotTypeNumber(type) - 1);
}
PlotMenuItem QOrderItem(FitOrder order) { return static_cast<PMI>(static_cast<int>(PMI::QNone) + OrderNumber(order)); }
PlotMenuItem COrderItem(FitOrder order) { return static_cast<PMI>(static_cast<int>(PMI::CNone) + OrderNumber(order)); }
PlotMenuItem ModelItem(int model) { return static_cast<PMI>(static_cast<int>(PMI::CoilMd) + model - 1); }

PlotMenuItem PlotFormItem(int form) {
    if (form == 11) return PMI::PzQ;
    if (form == 12) return PMI::PzU;
    if (form >= 6) return static_cast<PMI>(static_cast<int>(PMI::OneByPzU2) + form - 6);
    return static_cast<PMI>(static_cast<int>(PMI::OneByPzQ2) + form - 1);
}

const char* PlotWidgetName(PlotWidget widget) { return kPlotWidgetNames[static_cast<std::size_t>(widget)]; }

} // namespace zeb
