// The menu items and controls of the plot window whose state its core keeps,
// and the one table that names them and says what each runs. The core indexes
// its state by these enums; the Qt view builds its menus, gives its actions and
// widgets their object names and connects their commands from the same tables.
#pragma once

#include "analysis/PlotType.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace zeb {

namespace tx {
struct ItemText;
}

class PlotWindow;

// In menu order, menu by menu.
enum class PlotMenuItem {
    // "&Plot-Type"
    PlotZimm, PlotBerry, PlotGuinier, PlotDI, PlotDII, PlotDIII,
    // "&q²-Dep."
    QNone, Q1, Q2, Q3, Q4, Q5, Smooth,
    // "&c-Dep."
    CNone, C1, C2, C3, C4, C5,
    // "C&alculation"
    Calculate, Results, Residuals, CopyResults, CorrectReflection,
    // "For&m-Factor:Pz": the menu itself, the five models, the twelve plot
    // forms, the fits of the models
    FormFactorMenu,
    CoilMd, CoilPd, ThinRod, HardSphere, FFUser,
    PzQ, OneByPzQ2, SqrtOneByPzQ2, LnPzQ2, PzQ2Q, PzQQ,
    PzU, OneByPzU2, SqrtOneByPzU2, LnPzU2, PzU2U, PzUU,
    FitFormFactors,
};
inline constexpr std::size_t kPlotMenuItemCount = static_cast<std::size_t>(PlotMenuItem::FitFormFactors) + 1;

// The menus of the menu bar the table fills.
enum class PlotMenu { PlotType, QDep, CDep, Calculation, FormFactor };
inline constexpr std::size_t kPlotMenuCount = static_cast<std::size_t>(PlotMenu::FormFactor) + 1;

// What choosing an entry does.
enum class PlotMenuCommand {
    Core,     // runs `run` on the window's core
    View,     // the view runs it (the windows of the results, the residuals and the form-factor fits)
    None,     // an item without a command (hidden)
    Submenu,  // the entry is the menu itself: only its enabled state
};

struct PlotMenuEntry {
    PlotMenuItem item;
    const char* name;           // the item's name: the Qt action's object name
    PlotMenu menu;
    bool separatorBefore;
    bool checkable;
    const tx::ItemText* text;   // nullptr for a submenu
    PlotMenuCommand command;
    void (*run)(PlotWindow&);       // the handler, for PlotMenuCommand::Core
};

struct PlotMenuInfo {
    PlotMenu menu;
    const char* name;   // the QMenu's object name
    const char* title;
};

const std::array<PlotMenuEntry, kPlotMenuItemCount>& PlotMenuTable();
const std::array<PlotMenuInfo, kPlotMenuCount>& PlotMenus();
inline const PlotMenuEntry& MenuEntry(PlotMenuItem item) { return PlotMenuTable()[static_cast<std::size_t>(item)]; }
inline const char* MenuItemName(PlotMenuItem item) { return MenuEntry(item).name; }
std::optional<PlotMenuItem> MenuItemNamed(std::string_view name);

// The items of the choices.
PlotMenuItem PlotTypeItem(PlotType type);
PlotMenuItem QOrderItem(FitOrder order);
PlotMenuItem COrderItem(FitOrder order);
PlotMenuItem ModelItem(int model);     // 1..5
PlotMenuItem PlotFormItem(int form);   // 1..12
inline constexpr std::array<PlotType, kPlotTypeCount> kAllPlotTypes = {
    PlotType::Zimm, PlotType::Berry, PlotType::Guinier, PlotType::DI, PlotType::DII, PlotType::DIII};
inline constexpr std::array<FitOrder, kFitOrderCount> kAllFitOrders = {
    FitOrder::None, FitOrder::One, FitOrder::Two, FitOrder::Three, FitOrder::Four, FitOrder::Five};

// The controls at the left of the chart.
enum class PlotWidget {
    KLabel, KField, KSmallerButton, KLargerButton,
    MwcLabel, MwcField, MwqLabel, MwqField, RgLabel, RgField, A2Label, A2Field,
};
inline constexpr std::size_t kPlotWidgetCount = static_cast<std::size_t>(PlotWidget::A2Field) + 1;

// The control's name: the Qt widget's object name.
const char* PlotWidgetName(PlotWidget widget);
// The four result fields from the top, each with its label.
inline constexpr std::array<PlotWidget, 4> kResultLabels = {PlotWidget::MwcLabel, PlotWidget::MwqLabel,
                                                            PlotWidget::RgLabel, PlotWidget::A2Label};
inline constexpr std::array<PlotWidget, 4> kResultFields = {PlotWidget::MwcField, PlotWidget::MwqField,
                                                           PlotWidget::RgField, PlotWidget::A2Field};

} // namespace zeb
