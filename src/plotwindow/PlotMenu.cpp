#include "plotwindow/PlotMenu.h"

#include "analysis/FormFactor.h"
#include "plotwindow/TFitF1.h"
#include "texts/PlotWindowTexts.h"

namespace zeb {

namespace {

using PMI = PlotMenuItem;
using PM = PlotMenu;
using PMC = PlotMenuCommand;

constexpr PlotMenuEntry CommandEntry(PMI item, const char* name, PM menu, const tx::ItemText& text, void (*run)(TFitF1&),
                             bool checkable = false, bool separatorBefore = false) {
    return {item, name, menu, separatorBefore, checkable, &text, PMC::Core, run};
}
constexpr PlotMenuEntry ChoiceEntry(PMI item, const char* name, PM menu, const tx::ItemText& text, void (*run)(TFitF1&),
                               bool separatorBefore = false) {
    return CommandEntry(item, name, menu, text, run, true, separatorBefore);
}
template <int Tag>
void RunModelItem(TFitF1& w) { w.mnFormFactorPClick(Tag); }
template <int PlotForm>
void RunPlotFormItem(TFitF1& w) { w.mnFormFactorPPClick(TagOfPlotForm(PlotForm)); }

constexpr std::array<PlotMenuEntry, kPlotMenuItemCount> kMenuTable = {{
    ChoiceEntry(PMI::PlotZimm, "PLOTTYP_ZIMM", PM::PlotType, tx::ItemZimm, [](TFitF1& w) { w.OnBerechnungPlottypZimm(); }),
    ChoiceEntry(PMI::PlotBerry, "PLOTTYP_BERRY", PM::PlotType, tx::ItemBerry, [](TFitF1& w) { w.OnBerechnungPlottypBerry(); }),
    ChoiceEntry(PMI::PlotGuinier, "PLOTTYP_GUINIER", PM::PlotType, tx::ItemGuinier,
           [](TFitF1& w) { w.OnBerechnungPlottypGuinier(); }),
    ChoiceEntry(PMI::PlotDI, "PLOTTYP_DI", PM::PlotType, tx::ItemDI, [](TFitF1& w) { w.OnBerechnungPlottypDi(); }, true),
    ChoiceEntry(PMI::PlotDII, "PLOTTYP_DII", PM::PlotType, tx::ItemDII, [](TFitF1& w) { w.OnBerechnungPlottypDii(); }),
    ChoiceEntry(PMI::PlotDIII, "PLOTTYP_DIII", PM::PlotType, tx::ItemDIII, [](TFitF1& w) { w.OnBerechnungPlottypDiii(); }),

    ChoiceEntry(PMI::QNone, "ID_BER_Q_KEINE", PM::QDep, tx::ItemQNone, [](TFitF1& w) { w.OnBerechnungQKeine(); }),
    ChoiceEntry(PMI::Q1, "ID_BER_Q_1", PM::QDep, tx::ItemQ1, [](TFitF1& w) { w.OnBerechnungQ1(); }),
    ChoiceEntry(PMI::Q2, "ID_BER_Q_2", PM::QDep, tx::ItemQ2, [](TFitF1& w) { w.OnBerechnungQ2(); }),
    ChoiceEntry(PMI::Q3, "ID_BER_Q_3", PM::QDep, tx::ItemQ3, [](TFitF1& w) { w.OnBerechnungQ3(); }),
    ChoiceEntry(PMI::Q4, "ID_BER_Q_4", PM::QDep, tx::ItemQ4, [](TFitF1& w) { w.OnBerechnungQ4(); }),
    ChoiceEntry(PMI::Q5, "ID_BER_Q_5", PM::QDep, tx::ItemQ5, [](TFitF1& w) { w.OnBerechnungQ5(); }),
    ChoiceEntry(PMI::Smooth, "ID_BER_GEGLTTET", PM::QDep, tx::ItemSmooth, [](TFitF1& w) { w.OnSelchangeComboFitmethode(); }),

    ChoiceEntry(PMI::CNone, "ID_BER_C_KEINE", PM::CDep, tx::ItemCNone, [](TFitF1& w) { w.OnBerechnungCKeine(); }),
    ChoiceEntry(PMI::C1, "ID_BER_C_1", PM::CDep, tx::ItemC1, [](TFitF1& w) { w.OnBerechnungC1(); }),
    ChoiceEntry(PMI::C2, "ID_BER_C_2", PM::CDep, tx::ItemC2, [](TFitF1& w) { w.OnBerechnungC2(); }),
    ChoiceEntry(PMI::C3, "ID_BER_C_3", PM::CDep, tx::ItemC3, [](TFitF1& w) { w.OnBerechnungC3(); }),
    ChoiceEntry(PMI::C4, "ID_BER_C_4", PM::CDep, tx::ItemC4, [](TFitF1& w) { w.OnBerechnungC4(); }),
    ChoiceEntry(PMI::C5, "ID_BER_C_5", PM::CDep, tx::ItemC5, [](TFitF1& w) { w.OnBerechnungC5(); }),

    CommandEntry(PMI::Calculate, "ID_BER_BERECHNE", PM::Calculation, tx::ItemCalculate, [](TFitF1& w) { w.OnClickedRechne(); }),
    {PMI::Results, "ID_BER_AUSWERTUNG", PM::Calculation, false, false, &tx::ItemResults, PMC::View, nullptr},
    {PMI::CopyResults, "ID_BER_AUSWERTUNGKOPIEREN", PM::Calculation, false, false, &tx::ItemCopyResults, PMC::None, nullptr},
    CommandEntry(PMI::CorrReflect, "mnCorrReflect", PM::Calculation, tx::ItemCorrReflect, [](TFitF1& w) { w.mnCorrReflectClick(); },
         false, true),

    {PMI::FormFactorMenu, "mnFormFactor", PM::FormFactor, false, false, nullptr, PMC::Submenu, nullptr},
    ChoiceEntry(PMI::CoilMd, "mnCoilMd", PM::FormFactor, tx::ItemCoilMd, RunModelItem<10>),
    ChoiceEntry(PMI::CoilPd, "mnCoilPd", PM::FormFactor, tx::ItemCoilPd, RunModelItem<20>),
    ChoiceEntry(PMI::ThinRod, "mnThinRod", PM::FormFactor, tx::ItemThinRod, RunModelItem<30>),
    ChoiceEntry(PMI::HardSphere, "mnHardSphere", PM::FormFactor, tx::ItemHardSphere, RunModelItem<40>),
    ChoiceEntry(PMI::FFUser, "mnFFUser", PM::FormFactor, tx::ItemFFUser, RunModelItem<50>),
    CommandEntry(PMI::PzQ, "mnPzQ", PM::FormFactor, tx::ItemPzQ, RunPlotFormItem<11>, false, true),
    CommandEntry(PMI::OneByPzQ2, "mn1dPzQ2", PM::FormFactor, tx::Item1dPzQ2, RunPlotFormItem<1>),
    CommandEntry(PMI::SqrtOneByPzQ2, "mnW1dPzQ2", PM::FormFactor, tx::ItemW1dPzQ2, RunPlotFormItem<2>),
    CommandEntry(PMI::LnPzQ2, "mnLnPzQ2", PM::FormFactor, tx::ItemLnPzQ2, RunPlotFormItem<3>),
    CommandEntry(PMI::PzQ2Q, "mnPzQ2Q", PM::FormFactor, tx::ItemPzQ2Q, RunPlotFormItem<4>),
    CommandEntry(PMI::PzQQ, "mnPzQQ", PM::FormFactor, tx::ItemPzQQ, RunPlotFormItem<5>),
    CommandEntry(PMI::PzU, "mnPzU", PM::FormFactor, tx::ItemPzU, RunPlotFormItem<12>, false, true),
    CommandEntry(PMI::OneByPzU2, "mn1dPzU2", PM::FormFactor, tx::Item1dPzU2, RunPlotFormItem<6>),
    CommandEntry(PMI::SqrtOneByPzU2, "mnW1dPzU2", PM::FormFactor, tx::ItemW1dPzU2, RunPlotFormItem<7>),
    CommandEntry(PMI::LnPzU2, "mnLnPzU2", PM::FormFactor, tx::ItemLnPzU2, RunPlotFormItem<8>),
    CommandEntry(PMI::PzU2U, "mnPzU2U", PM::FormFactor, tx::ItemPzU2U, RunPlotFormItem<9>),
    CommandEntry(PMI::PzUU, "mnPzUU", PM::FormFactor, tx::ItemPzUU, RunPlotFormItem<10>),
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
    {PM::Calculation, "mnCalculation", tx::MenuCalculation},
    {PM::FormFactor, nullptr, tx::MenuFormFactor},  // named by its entry FormFactorMenu
}};

constexpr std::array<const char*, kPlotWidgetCount> kPlotWidgetNames = {
    "Label_k",        "EditIDC_EING_K", "BtnIDC_K_KL", "BtnIDC_K_GR", "LabelIDC_B_Mwc", "EditIDC_MWC",
    "LabelIDC_B_Mwq", "EditIDC_MWQ",    "LabelIDC_B_Rg", "EditIDC_RG", "LabelIDC_B_A2",  "EditIDC_A2"};

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
