// The plot window's menus and controls as the view builds them from the core's
// table: an action (or the menu itself) under every name of the table, in its
// menu and order, with a command for every item that has one; a widget under
// every control name; and a menu item chosen on the screen makes its choice in
// the core.
#include "app/qt/FrameWindowView.h"
#include "gui/GuiTestSupport.h"
#include "plotwindow/qt/PlotWindowView.h"
#include "plotwindow/PlotMenu.h"
#include "plotwindow/PlotWindow.h"
#include "support/SyntheticSets.h"
#include "texts/PlotWindowTexts.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QTemporaryDir>
#include <QtTest>

using namespace zeb;

class PlotMenusTest : public zeb::guitest::GuiTestCase {
    Q_OBJECT
private slots:
    void everyTableEntryHasItsActionAndCommand();
    void menuItemsMakeTheirChoiceInTheCore();

private:
    guitest::AnsweringPlatform platform_;
};

void PlotMenusTest::everyTableEntryHasItsActionAndCommand() {
    QTemporaryDir dir;
    FrameWindowView frame(platform_, dir.filePath("zebstat.ini").toStdString(), guitest::PlotWindows(platform_));
    PlotWindowView view(frame, platform_);

    // The menus of the table, by object name, as the menu bar holds them.
    std::map<QString, QMenu*> menus;
    for (QAction* a : view.childMenuBarActions())
        if (QMenu* m = a->menu()) menus[m->objectName()] = m;
    for (const PlotMenuInfo& info : PlotMenus()) {
        QVERIFY2(menus.count(info.name), info.name);
        QCOMPARE(menus[info.name]->title(), QString(info.title));
    }

    std::map<PlotMenu, QList<QAction*>> expected;
    for (const PlotMenuEntry& e : PlotMenuTable()) {
        if (e.command == PlotMenuCommand::Submenu) {
            QVERIFY2(menus.count(e.name), e.name);
            QVERIFY(!view.hasHandler(e.item));
            continue;
        }
        QAction* a = view.action(e.name);
        QVERIFY2(a, e.name);
        QCOMPARE(a->objectName(), QString(e.name));
        QCOMPARE(a->text(), QString(e.text->caption));
        QCOMPARE(a->isCheckable(), e.checkable);
        if (e.command == PlotMenuCommand::None) {
            QVERIFY2(!view.hasHandler(e.item), e.name);
            QVERIFY2(!a->isVisible(), e.name);
        } else {
            QVERIFY2(view.hasHandler(e.item), e.name);
        }
        expected[e.menu] << a;
    }
    // Each menu holds its entries in table order (separators aside).
    for (const PlotMenuInfo& info : PlotMenus()) {
        QList<QAction*> actual;
        for (QAction* a : menus[info.name]->actions())
            if (!a->isSeparator()) actual << a;
        QCOMPARE(actual, expected[info.menu]);
    }

    for (std::size_t i = 0; i < kPlotWidgetCount; ++i) {
        const char* name = PlotWidgetName(static_cast<PlotWidget>(i));
        QCOMPARE(view.findChildren<QWidget*>(name).size(), 1);
    }
}

void PlotMenusTest::menuItemsMakeTheirChoiceInTheCore() {
    QTemporaryDir dir;
    FrameWindowView frame(platform_, dir.filePath("zebstat.ini").toStdString(), guitest::PlotWindows(platform_));
    PlotWindowView view(frame, platform_);
    PlotWindow& core = view.core();
    // Enough concentrations and angles for every order: no message box comes up.
    test::FillModelSet(core.set(), 7, 10, test::ModelParams{});
    core.PostLoadSetup();
    view.syncFromCore();

    for (PlotType t : kAllPlotTypes) {
        view.action(MenuItemName(PlotTypeItem(t)))->trigger();
        QCOMPARE(PlotTypeNumber(core.plotType()), PlotTypeNumber(t));
        for (PlotType other : kAllPlotTypes)
            QCOMPARE(view.action(MenuItemName(PlotTypeItem(other)))->isChecked(), other == t);
    }
    view.action(MenuItemName(PlotMenuItem::PlotZimm))->trigger();
    for (FitOrder o : kAllFitOrders) {
        view.action(MenuItemName(QOrderItem(o)))->trigger();
        view.action(MenuItemName(COrderItem(o)))->trigger();
        QCOMPARE(OrderNumber(core.qOrder()), OrderNumber(o));
        QCOMPARE(OrderNumber(core.cOrder()), OrderNumber(o));
        QVERIFY(view.action(MenuItemName(QOrderItem(o)))->isChecked());
        QVERIFY(view.action(MenuItemName(COrderItem(o)))->isChecked());
    }
    // The frame's Ctrl+F4 and Ctrl+F6 choose c orders 4 and "no" through the same table.
    view.setCOrder(4);
    QCOMPARE(OrderNumber(core.cOrder()), 4);
    view.setCOrder(0);
    QCOMPARE(OrderNumber(core.cOrder()), 0);
    // The result fields show what the core computed.
    view.action(MenuItemName(PlotMenuItem::Q1))->trigger();
    view.action(MenuItemName(PlotMenuItem::C1))->trigger();
    QCOMPARE(view.findChild<QLineEdit*>(PlotWidgetName(PlotWidget::MwcField))->text(),
             QString::fromStdString(core.widget(PlotWidget::MwcField).text));
    QVERIFY(core.widget(PlotWidget::MwcField).text != " ");
}

ZEB_GUI_TEST(PlotMenusTest)
#include "PlotMenus_test.moc"
