// The plot window's menu table and the typed choices: each item is listed once
// under a name of its own, and the handler the table gives an item makes the
// choice the item stands for.
#include "dialogs/FormFactorParametersDialog.h"
#include "platform/ScriptedPlatform.h"
#include "plotwindow/PlotMenu.h"
#include "plotwindow/PlotWindow.h"
#include "support/SyntheticSets.h"
#include "texts/PlotWindowTexts.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace zeb {
namespace {

TEST(PlotMenu, EveryItemHasOneEntryWithANameOfItsOwn) {
    std::set<std::string> names;
    for (std::size_t i = 0; i < kPlotMenuItemCount; ++i) {
        const PlotMenuEntry& e = PlotMenuTable()[i];
        EXPECT_EQ(static_cast<std::size_t>(e.item), i);
        ASSERT_NE(e.name, nullptr);
        EXPECT_TRUE(names.insert(e.name).second) << "twice: " << e.name;
        EXPECT_EQ(MenuItemNamed(e.name), e.item) << e.name;
        if (e.command == PlotMenuCommand::Submenu) {
            EXPECT_EQ(e.text, nullptr);
        } else {
            ASSERT_NE(e.text, nullptr) << e.name;
            EXPECT_NE(std::string(e.text->caption), "") << e.name;
        }
        EXPECT_EQ(e.command == PlotMenuCommand::Core, e.run != nullptr) << e.name;
    }
    EXPECT_EQ(names.size(), kPlotMenuItemCount);
    EXPECT_FALSE(MenuItemNamed("PLOTTYP_ZIM"));
    EXPECT_FALSE(MenuItemNamed(""));

    std::set<std::string> menuNames;
    for (const PlotMenuInfo& m : PlotMenus()) {
        ASSERT_NE(m.name, nullptr);
        EXPECT_TRUE(menuNames.insert(m.name).second) << m.name;
    }
    // Only the form-factor menu keeps a state of its own, as an entry.
    EXPECT_EQ(std::string(PlotMenus()[static_cast<std::size_t>(PlotMenu::FormFactor)].name),
              MenuItemName(PlotMenuItem::FormFactorMenu));

    std::set<std::string> widgetNames;
    for (std::size_t i = 0; i < kPlotWidgetCount; ++i)
        EXPECT_TRUE(widgetNames.insert(PlotWidgetName(static_cast<PlotWidget>(i))).second);
}

// The lookups of the choices land in their own menu, one item per value.
TEST(PlotMenu, ChoicesMapToDistinctItemsOfTheirMenu) {
    std::set<PlotMenuItem> seen;
    for (PlotType t : kAllPlotTypes) {
        EXPECT_EQ(MenuEntry(PlotTypeItem(t)).menu, PlotMenu::PlotType);
        EXPECT_TRUE(seen.insert(PlotTypeItem(t)).second);
    }
    for (FitOrder o : kAllFitOrders) {
        EXPECT_EQ(MenuEntry(QOrderItem(o)).menu, PlotMenu::QDep);
        EXPECT_EQ(MenuEntry(COrderItem(o)).menu, PlotMenu::CDep);
        EXPECT_TRUE(seen.insert(QOrderItem(o)).second);
        EXPECT_TRUE(seen.insert(COrderItem(o)).second);
    }
    for (int model = 1; model <= 5; ++model) EXPECT_TRUE(seen.insert(ModelItem(model)).second);
    for (int form = 1; form <= 12; ++form) {
        EXPECT_EQ(MenuEntry(PlotFormItem(form)).menu, PlotMenu::FormFactor);
        EXPECT_TRUE(seen.insert(PlotFormItem(form)).second) << form;
    }
    EXPECT_EQ(std::string(MenuItemName(PlotFormItem(11))), "plotPzOverQ");
    EXPECT_EQ(std::string(MenuItemName(PlotFormItem(6))), "plotInversePzOverU2");
}

struct Window {
    ScriptedPlatform platform;
    PlotWindow w{platform};
    Window() {
        test::ModelParams m;
        m.withDynamic = true;
        test::FillModelSet(w.set(), 3, 6, m);
        w.PostLoadSetup();
    }
    void choose(PlotMenuItem item) { MenuEntry(item).run(w); }
    int checkedIn(PlotMenu menu) const {
        int n = 0;
        for (const PlotMenuEntry& e : PlotMenuTable())
            if (e.menu == menu && e.checkable && e.item != PlotMenuItem::Smooth && w.menuItem(e.item).checked) ++n;
        return n;
    }
};

TEST(PlotMenu, EachItemsHandlerMakesItsChoice) {
    Window x;
    for (PlotType t : kAllPlotTypes) {
        x.choose(PlotTypeItem(t));
        EXPECT_EQ(x.w.plotType(), t);
        EXPECT_TRUE(x.w.menuItem(PlotTypeItem(t)).checked);
        EXPECT_EQ(x.checkedIn(PlotMenu::PlotType), 1);
    }
    for (FitOrder o : kAllFitOrders) {
        x.choose(QOrderItem(o));
        EXPECT_EQ(x.w.qOrder(), o);
        EXPECT_EQ(x.checkedIn(PlotMenu::QDep), 1);
        x.choose(COrderItem(o));
        EXPECT_EQ(x.w.cOrder(), o);
        EXPECT_TRUE(x.w.menuItem(COrderItem(o)).checked);
        EXPECT_EQ(x.checkedIn(PlotMenu::CDep), 1);
    }
    x.choose(PlotMenuItem::PlotZimm);
    for (int model = 1; model <= 5; ++model) {
        if (model == 5) continue;  // the user model asks for a file
        x.choose(ModelItem(model));
        EXPECT_EQ(x.w.formFactor().models.back(), model);
        EXPECT_TRUE(x.w.menuItem(ModelItem(model)).checked);
    }
}

TEST(PlotMenu, EachPlotFormItemShowsItsForm) {
    Window x;
    x.w.setQOrder(FitOrder::One);
    x.w.setCOrder(FitOrder::One);
    x.choose(PlotMenuItem::CoilMd);
    for (int form = 1; form <= 12; ++form) {
        x.platform.dialogScripts.push_back([](ModalDialog& d) { dynamic_cast<FormFactorParametersDialog&>(d).accept(); });
        x.choose(PlotFormItem(form));
        ASSERT_TRUE(x.w.formFactor().viewShown) << form;
        EXPECT_EQ(x.w.formFactor().form, form);
    }
}

// Where files and dialogs keep numbers, the numbers convert only when they mean a choice.
TEST(PlotMenu, StoredNumbersConvertToChoices) {
    EXPECT_EQ(PlotTypeFromNumber(4), PlotType::DI);
    EXPECT_FALSE(PlotTypeFromNumber(0));
    EXPECT_FALSE(PlotTypeFromNumber(7));
    EXPECT_EQ(FitOrderFromNumber(0), FitOrder::None);
    EXPECT_EQ(FitOrderFromNumber(5), FitOrder::Five);
    EXPECT_FALSE(FitOrderFromNumber(-1));
    EXPECT_FALSE(FitOrderFromNumber(6));
    for (Smoothing s : {Smoothing::Off, Smoothing::On}) EXPECT_EQ(SmoothingFromCode(SmoothingCode(s)), s);
    for (Weighting w : {Weighting::Off, Weighting::On}) EXPECT_EQ(WeightingFromCode(WeightingCode(w)), w);
    EXPECT_EQ(SmoothingCode(Smoothing::On), 2);
    EXPECT_EQ(WeightingCode(Weighting::Off), 1);
    EXPECT_EQ(SmoothingFromCode(0), Smoothing::Off);
}

} // namespace
} // namespace zeb
