// Point selection: hit test, mouse drags, Ctrl choosing, the keyboard mode and
// the all-points commands, on a window whose points sit on a known grid.
#include "texts/SelectionTexts.h"
#include "platform/ScriptedPlatform.h"
#include "plotwindow/PointSelection.h"
#include "plotwindow/PlotWindow.h"
#include "support/SyntheticSets.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zeb {
namespace {

// Concentrations 1..4 and angles 1..5; point (c, a) is plotted at x = 2c,
// y = 1.5a in a chart of 0..10 on both axes whose data area is 10000 × 10000
// logical units from (1000, 1000).
struct Grid {
    ScriptedPlatform platform;
    PlotWindow w{platform};
    PointSelection sel{w};
    SelectionMapping map;

    Grid() {
        test::FillModelSet(w.set(), 4, 5, test::ModelParams{});
        w.PostLoadSetup();
        map.x0 = map.y0 = 1000;
        map.width = map.height = 10000;
        map.xMin = map.yMin = 0;
        map.xMax = map.yMax = map.xSpan = map.ySpan = 10;
        for (int c = 1; c <= 4; ++c)
            for (int a = 1; a <= 5; ++a) place(c, a, 2.0 * c, 1.5 * a);
    }
    DataPoint& p(int c, int a) { return *w.set().cell(c, a); }
    void place(int c, int a, double x, double y) {
        p(c, a).x() = x;
        p(c, a).y() = y;
        p(c, a).hasData = 1;
    }
    // The logical position of a point, optionally nudged (in logical units).
    double lx(int c, int a, double dx = 0) { return map.x0 + p(c, a).x() * 1000 + dx; }
    double ly(int c, int a, double dy = 0) { return map.y0 + (10 - p(c, a).y()) * 1000 + dy; }

    SelectionOutcome move(int c, int a) { return sel.FormMouseMove(lx(c, a), ly(c, a), map); }
    SelectionOutcome down(int c, int a) { return sel.FormMouseDown(lx(c, a), ly(c, a), map); }
    SelectionOutcome up(int c, int a, bool ctrl = false) { return sel.FormMouseUp(lx(c, a), ly(c, a), map, ctrl); }
    SelectionOutcome key(SelectionKey k, bool ctrl = false) { return sel.keyPressed(k, ctrl); }
    const std::vector<int>& chosen() { return w.chosenConcentrations(); }
};

// ---- Hit test and mapping

TEST(PointSelectionHit, RadiusIsInclusiveAndTiesGoToTheLowerIndices) {
    Grid g;
    SelectionMapping unit = g.map;
    unit.xSpan = unit.ySpan = 1.0;
    for (int c = 1; c <= 4; ++c)
        for (int a = 1; a <= 5; ++a) g.place(c, a, 100, 100);  // far away

    g.place(3, 2, kHitRadius, 0);
    EXPECT_EQ(HitTest(g.w.set(), unit, 0, 0), (GridPoint{3, 2}));  // exactly at r
    g.place(3, 2, kHitRadius * (1 + 1e-9), 0);
    EXPECT_TRUE(HitTest(g.w.set(), unit, 0, 0).none());

    // Same distance: the lower concentration wins even with a higher angle.
    g.place(2, 1, 0.01, 0);
    g.place(1, 3, -0.01, 0);
    EXPECT_EQ(HitTest(g.w.set(), unit, 0, 0), (GridPoint{1, 3}));
    // ... within one concentration the lower angle.
    g.place(1, 2, 0, 0.01);
    EXPECT_EQ(HitTest(g.w.set(), unit, 0, 0), (GridPoint{1, 2}));
    // A nearer point later in the scan replaces the first one.
    g.place(4, 5, 0.005, 0);
    EXPECT_EQ(HitTest(g.w.set(), unit, 0, 0), (GridPoint{4, 5}));
    // Points without a value for the plot, or with a value that is not a number, are never hit.
    g.p(4, 5).hasData = 2;
    g.p(1, 2).y() = std::nan("");
    EXPECT_EQ(HitTest(g.w.set(), unit, 0, 0), (GridPoint{1, 3}));
}

TEST(PointSelectionHit, LogicalUnitsMapOntoThePlotRangeWithYUpward) {
    Grid g;
    EXPECT_DOUBLE_EQ(g.map.DataX(1000), 0);
    EXPECT_DOUBLE_EQ(g.map.DataX(11000), 10);
    EXPECT_DOUBLE_EQ(g.map.DataY(1000), 10);   // top edge: y maximum
    EXPECT_DOUBLE_EQ(g.map.DataY(11000), 0);
    EXPECT_DOUBLE_EQ(g.map.DataY(8500), 2.5);
    // The border of the data range counts as outside.
    EXPECT_FALSE(g.map.Inside(0, 5));
    EXPECT_FALSE(g.map.Inside(5, 10));
    EXPECT_TRUE(g.map.Inside(5, 5));
    // A point 300 logical units off (3 % of the span) is missed, 200 off is hit.
    EXPECT_EQ(g.sel.FormMouseMove(g.lx(2, 3, 200), g.ly(2, 3), g.map).cursor, MouseCursorShape::Cross);
    EXPECT_EQ(g.sel.hit(), (GridPoint{2, 3}));
    EXPECT_EQ(g.sel.FormMouseMove(g.lx(2, 3, 0), g.ly(2, 3, 300), g.map).cursor, MouseCursorShape::Arrow);
    EXPECT_TRUE(g.sel.hit().none());
}

// ---- Status text

TEST(PointSelectionStatus, DescribesThePointWithRoundedValuesAndTheFileName) {
    Grid g;
    MeasurementSet& s = g.w.set();
    s.setConcentration(2, 1.23456e-3);
    s.setQ2(3, 4.5678e10);
    g.p(2, 3).y() = 4.5;
    s.sourceName[2] = "/data/series/a_very_long_file_name.sta";
    EXPECT_EQ(PointDescription(s, 2, 3), "[2]: 1.23 g/dm³ [3]: q²=457 × 1/µm²; y=4.5 (a_very_long_fil)");
    s.sourceName[2] = "C:\\ZEB\\s.sta";
    EXPECT_EQ(PointDescription(s, 2, 3), "[2]: 1.23 g/dm³ [3]: q²=457 × 1/µm²; y=4.5 (s.sta          )");
    // Characters of several bytes still give a 15-character column and are never cut in half.
    s.sourceName[2] = "/data/Lösung.sta";
    EXPECT_EQ(PointDescription(s, 2, 3), "[2]: 1.23 g/dm³ [3]: q²=457 × 1/µm²; y=4.5 (Lösung.sta     )");
    s.sourceName[2] = "/data/ÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄ.sta";
    EXPECT_EQ(PointDescription(s, 2, 3).substr(PointDescription(s, 2, 3).find('(')), "(ÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄ)");

    // The mouse over the point shows it; off every point only the hint (empty outside the keyboard mode).
    EXPECT_EQ(*g.move(2, 3).statusText, PointDescription(s, 2, 3));
    EXPECT_EQ(*g.sel.FormMouseMove(6000, 6000, g.map).statusText, "");
    EXPECT_EQ(RoundToSignificant(-0.00045678, 3), -0.000457);
}

// ---- Mouse

TEST(PointSelectionMouse, DragTogglesTheValidPointsOfTheRectangle) {
    Grid g;
    g.p(3, 2).hasData = 2;  // no value for this plot: left alone
    g.down(2, 3);
    g.move(3, 3);
    SelectionOutcome fb = g.move(4, 1);
    // Feedback: every valid point of 2..4 × 1..3 red, nothing else drawn.
    ASSERT_EQ(fb.redraws.size(), 8u);
    for (const SymbolRedraw& r : fb.redraws) {
        EXPECT_TRUE(r.c >= 2 && r.c <= 4 && r.a >= 1 && r.a <= 3);
        EXPECT_EQ(r.code, 2);
    }
    // Back towards the press point: the rest of the visited range returns to its plain look.
    fb = g.move(3, 3);
    int red = 0;
    for (const SymbolRedraw& r : fb.redraws) {
        const bool inside = r.c >= 2 && r.c <= 3 && r.a == 3;
        EXPECT_EQ(r.code, inside ? 2 : 1) << r.c << "," << r.a;
        red += r.code == 2;
    }
    EXPECT_EQ(red, 2);
    EXPECT_EQ(fb.redraws.size(), 8u);

    g.move(4, 1);
    const SelectionOutcome up = g.up(4, 1);
    EXPECT_TRUE(up.repaint);
    for (int c = 1; c <= 4; ++c)
        for (int a = 1; a <= 5; ++a) {
            const bool toggled = c >= 2 && a <= 3 && !(c == 3 && a == 2);
            EXPECT_EQ(g.p(c, a).active, toggled ? 0 : 1) << c << "," << a;
        }
    EXPECT_FALSE(g.sel.drag().dragging);
    EXPECT_FALSE(g.sel.drag().pressSet());
}

TEST(PointSelectionMouse, ClickTogglesOnePointAndAMissClearsTheChosenList) {
    Grid g;
    g.move(1, 1);
    g.down(1, 1);
    g.up(1, 1);
    EXPECT_EQ(g.p(1, 1).active, 0);
    g.down(1, 1);
    g.up(1, 1);
    EXPECT_EQ(g.p(1, 1).active, 1);

    g.sel.chosen().add(2);
    // Press and release off every point: no flag changes, the chosen list is cleared.
    EXPECT_FALSE(g.sel.FormMouseDown(6000, 6000, g.map).repaint);
    const SelectionOutcome up = g.sel.FormMouseUp(6000, 6000, g.map, false);
    EXPECT_TRUE(up.repaint);
    EXPECT_TRUE(g.chosen().empty());
    EXPECT_EQ(up.exportFieldText, "");
    EXPECT_EQ(g.p(2, 1).symbolState, 1);
    for (int c = 1; c <= 4; ++c)
        for (int a = 1; a <= 5; ++a) EXPECT_EQ(g.p(c, a).active, 1);
}

TEST(PointSelectionMouse, ReleasingOffEveryPointTogglesNothing) {
    Grid g;
    g.down(2, 2);
    g.move(3, 3);
    // Dragged into empty space: nothing is shown as selected ...
    const SelectionOutcome fb = g.sel.FormMouseMove(6000, 6000, g.map);
    EXPECT_EQ(fb.cursor, MouseCursorShape::Cross);  // still dragging
    for (const SymbolRedraw& r : fb.redraws) EXPECT_EQ(r.code, 1);
    // ... and nothing is toggled.
    g.sel.FormMouseUp(6000, 6000, g.map, false);
    for (int c = 1; c <= 4; ++c)
        for (int a = 1; a <= 5; ++a) EXPECT_EQ(g.p(c, a).active, 1);
}

TEST(PointSelectionMouse, EscDuringADragEndsItWithoutAChange) {
    for (const bool ctrl : {false, true}) {
        Grid g;
        g.sel.chosen().add(1);
        EXPECT_FALSE(g.sel.cancelDrag().repaint);  // no drag: nothing to cancel
        g.down(2, 2);
        g.move(3, 3);
        const SelectionOutcome cancelled = g.sel.cancelDrag();
        EXPECT_TRUE(cancelled.repaint);
        // Every point the drag passed gets its own look back: no red mark stays.
        ASSERT_EQ(cancelled.redraws.size(), 4u);
        for (const SymbolRedraw& r : cancelled.redraws) EXPECT_EQ(r.code, 1) << r.c << "," << r.a;
        EXPECT_FALSE(g.sel.drag().dragging);
        // The release that ends the cancelled drag toggles nothing and keeps the chosen list.
        EXPECT_FALSE(g.up(3, 3, ctrl).repaint);
        for (int c = 1; c <= 4; ++c)
            for (int a = 1; a <= 5; ++a) EXPECT_EQ(g.p(c, a).active, 1);
        EXPECT_EQ(g.chosen(), (std::vector<int>{1}));
        // The next drag works as ever.
        g.down(2, 2);
        g.up(2, 2);
        EXPECT_EQ(g.p(2, 2).active, 0);
    }
}

TEST(PointSelectionMouse, CtrlTogglesTheChosenConcentrations) {
    Grid g;
    g.down(1, 2);
    SelectionOutcome up = g.up(3, 4, true);
    EXPECT_EQ(g.chosen(), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(up.exportFieldText, "1 2 3 ");
    EXPECT_EQ(g.p(2, 5).symbolState, 100);
    EXPECT_EQ(g.p(1, 1).active, 1);  // Ctrl changes no active flag

    // Ctrl+click on a point of a chosen concentration removes it; its symbols return to plain.
    g.down(2, 4);
    up = g.up(2, 4, true);
    EXPECT_EQ(g.chosen(), (std::vector<int>{1, 3}));
    EXPECT_EQ(up.exportFieldText, "1 3 ");
    for (int a = 1; a <= 5; ++a) EXPECT_EQ(g.p(2, a).symbolState, 1);
    EXPECT_EQ(g.p(3, 1).symbolState, 100);

    // Over 3..4: 3 leaves, 4 joins.
    g.down(4, 1);
    g.up(3, 1, true);
    EXPECT_EQ(g.chosen(), (std::vector<int>{1, 4}));
}

TEST(PointSelectionMouse, OutsideTheDataRangeTheCursorIsTheArrow) {
    Grid g;
    g.place(1, 1, 10, 5);  // on the right border
    EXPECT_EQ(g.move(1, 1).cursor, MouseCursorShape::Arrow);
    EXPECT_TRUE(g.sel.hit().none());
    // A press there starts no drag.
    g.down(1, 1);
    EXPECT_FALSE(g.sel.drag().dragging);
    EXPECT_EQ(g.move(2, 2).cursor, MouseCursorShape::Cross);
}

TEST(PointSelectionMouse, FormFactorPlotsTakeNoSelection) {
    Grid g;
    g.w.setQOrder(FitOrder::One);
    g.w.setCOrder(FitOrder::One);
    g.w.toggleFormFactorModel(kModelCoilMono);
    g.w.showFormFactorPlot(1);
    ASSERT_TRUE(g.w.formFactor().viewShown);
    g.place(2, 2, 4, 3);
    g.sel.chosen().add(1);
    EXPECT_FALSE(g.move(2, 2).cursor.has_value());
    g.down(2, 2);
    EXPECT_FALSE(g.up(2, 2).repaint);
    EXPECT_EQ(g.p(2, 2).active, 1);
    EXPECT_EQ(g.chosen(), (std::vector<int>{1}));
    EXPECT_FALSE(g.sel.togglePointSelectionMode().keyModeChanged);
    EXPECT_FALSE(g.sel.keyMode());
}

// ---- Keyboard mode

TEST(PointSelectionKeys, ModeHidesTheKInputAndEscLeaves) {
    Grid g;
    SelectionOutcome on = g.sel.togglePointSelectionMode();
    EXPECT_TRUE(on.keyModeChanged);
    EXPECT_TRUE(g.sel.menuChecked());
    EXPECT_FALSE(g.sel.kControlsVisible());
    EXPECT_FALSE(g.sel.calculateEnabled());
    EXPECT_EQ(g.sel.keyCursor(), (GridPoint{1, 1}));
    EXPECT_EQ(on.redraws, (std::vector<SymbolRedraw>{{1, 1, kKeyCursorCode, false}}));
    EXPECT_EQ(*on.statusText, PointDescription(g.w.set(), 1, 1) + " point active  'Esc' to end keyboard input.");
    // The hint follows every status text, also the mouse's.
    EXPECT_EQ(*g.sel.FormMouseMove(6000, 6000, g.map).statusText, " 'Esc' to end keyboard input.");

    // Mouse clicks do nothing while the mode is on.
    g.down(2, 2);
    EXPECT_FALSE(g.up(2, 2).repaint);
    EXPECT_EQ(g.p(2, 2).active, 1);

    const SelectionOutcome off = g.key(SelectionKey::Escape);
    EXPECT_TRUE(off.keyModeChanged && off.repaint);
    EXPECT_FALSE(g.sel.keyMode());
    EXPECT_TRUE(g.sel.kControlsVisible());
    EXPECT_TRUE(g.sel.calculateEnabled());
    EXPECT_EQ(*off.statusText, "");
    // Outside the mode keys do nothing.
    EXPECT_FALSE(g.key(SelectionKey::Space).statusText.has_value());
    EXPECT_EQ(g.p(1, 1).active, 1);
}

TEST(PointSelectionKeys, ArrowsSkipEmptyPointsFallBackAndBeepAtTheBorders) {
    Grid g;
    g.sel.togglePointSelectionMode();
    // Right skips a concentration without a value at this angle.
    g.p(2, 1).hasData = 2;
    SelectionOutcome o = g.key(SelectionKey::Right);
    EXPECT_EQ(g.sel.keyCursor(), (GridPoint{3, 1}));
    EXPECT_EQ(o.redraws, (std::vector<SymbolRedraw>{{1, 1, 1, true}, {3, 1, kKeyCursorCode, false}}));
    EXPECT_EQ(g.platform.beeps, 0);

    // No value at this angle in any further concentration: the first valid angle of the next one.
    g.p(4, 1).hasData = 2;
    g.p(4, 2).hasData = 2;
    g.key(SelectionKey::Right);
    EXPECT_EQ(g.sel.keyCursor(), (GridPoint{4, 3}));
    EXPECT_EQ(g.platform.beeps, 0);
    // At the last concentration Right beeps and nothing moves.
    o = g.key(SelectionKey::Right);
    EXPECT_EQ(g.sel.keyCursor(), (GridPoint{4, 3}));
    EXPECT_EQ(g.platform.beeps, 1);
    EXPECT_EQ(o.redraws, (std::vector<SymbolRedraw>{{4, 3, kKeyCursorCode, false}}));

    // Up to the last angle, then a beep.
    g.key(SelectionKey::Up);
    g.key(SelectionKey::Up);
    EXPECT_EQ(g.sel.keyCursor(), (GridPoint{4, 5}));
    g.key(SelectionKey::Up);
    EXPECT_EQ(g.platform.beeps, 2);

    g.key(SelectionKey::Down);
    g.key(SelectionKey::Down);
    EXPECT_EQ(g.sel.keyCursor(), (GridPoint{4, 3}));
    // Below (4, 3) concentration 4 has no value: the first concentration with one at angle 2.
    g.key(SelectionKey::Down);
    EXPECT_EQ(g.sel.keyCursor(), (GridPoint{1, 2}));
    g.key(SelectionKey::Down);
    EXPECT_EQ(g.sel.keyCursor(), (GridPoint{1, 1}));
    EXPECT_EQ(g.platform.beeps, 2);
    // Below angle 1 only extrapolated points, none of which holds a value yet.
    g.key(SelectionKey::Down);
    EXPECT_EQ(g.sel.keyCursor(), (GridPoint{1, 1}));
    EXPECT_EQ(g.platform.beeps, 3);
    g.w.set().cell(3, 0)->hasData = 1;
    o = g.key(SelectionKey::Down);
    EXPECT_EQ(g.sel.keyCursor(), (GridPoint{3, 0}));
    EXPECT_EQ(o.redraws.back(), (SymbolRedraw{3, 0, kKeyCursorCode, false}));
    EXPECT_EQ(g.platform.beeps, 3);
    g.key(SelectionKey::Down);  // angle 0: refused
    EXPECT_EQ(g.platform.beeps, 4);

    // Left along angle 0 reaches (1, 0) only over valid points; from (1, 0) Left is refused.
    g.w.set().cell(1, 0)->hasData = 1;
    g.key(SelectionKey::Left);
    EXPECT_EQ(g.sel.keyCursor(), (GridPoint{1, 0}));
    g.key(SelectionKey::Left);
    EXPECT_EQ(g.sel.keyCursor(), (GridPoint{1, 0}));
    EXPECT_EQ(g.platform.beeps, 5);
}

TEST(PointSelectionKeys, LeftAtTheFirstConcentrationBeepsUnlessTheCZeroGroupHasAPoint) {
    Grid g;
    g.sel.togglePointSelectionMode();
    g.key(SelectionKey::Up);
    g.key(SelectionKey::Left);
    EXPECT_EQ(g.sel.keyCursor(), (GridPoint{1, 2}));
    EXPECT_EQ(g.platform.beeps, 1);
    // The c = 0 group holds a point at angle 4 only: the fallback finds it.
    g.w.set().cell(0, 4)->hasData = 1;
    g.key(SelectionKey::Left);
    EXPECT_EQ(g.sel.keyCursor(), (GridPoint{0, 4}));
    EXPECT_EQ(g.platform.beeps, 1);
    g.key(SelectionKey::Left);  // concentration 0: refused
    EXPECT_EQ(g.platform.beeps, 2);
    // Down skips (0, 3) and (0, 2); from (0, 1) it would reach the corner (0, 0): refused.
    g.w.set().cell(0, 1)->hasData = 1;
    g.key(SelectionKey::Down);
    EXPECT_EQ(g.sel.keyCursor(), (GridPoint{0, 1}));
    EXPECT_EQ(g.platform.beeps, 2);
    g.key(SelectionKey::Down);
    EXPECT_EQ(g.sel.keyCursor(), (GridPoint{0, 1}));
    EXPECT_EQ(g.platform.beeps, 3);
}

TEST(PointSelectionKeys, SpaceTwiceRestoresAndCtrlSpaceChoosesTheConcentration) {
    Grid g;
    g.sel.togglePointSelectionMode();
    g.key(SelectionKey::Right);
    const std::string described = PointDescription(g.w.set(), 2, 1);
    SelectionOutcome o = g.key(SelectionKey::Space);
    EXPECT_EQ(g.p(2, 1).active, 0);
    EXPECT_EQ(*o.statusText, described + " point inactive " + tx::SelectKeyModeHint);
    o = g.key(SelectionKey::Enter);
    EXPECT_EQ(g.p(2, 1).active, 1);
    EXPECT_EQ(*o.statusText, described + " point active " + tx::SelectKeyModeHint);

    // Ctrl+Space: the concentration joins the list, the plot is repainted, nothing else.
    o = g.key(SelectionKey::Space, true);
    EXPECT_EQ(g.chosen(), (std::vector<int>{2}));
    EXPECT_TRUE(o.repaint);
    EXPECT_TRUE(o.redraws.empty());
    EXPECT_FALSE(o.statusText.has_value());
    EXPECT_EQ(o.exportFieldText, "2 ");
    EXPECT_EQ(g.p(2, 3).symbolState, 100);
    // Toggling a point of a chosen concentration keeps its mark in step (grey when inactive).
    g.key(SelectionKey::Space);
    EXPECT_EQ(g.p(2, 1).symbolState, 1000);
    g.key(SelectionKey::Left);
    EXPECT_EQ(g.key(SelectionKey::Right).redraws.front(), (SymbolRedraw{1, 1, 1, true}));
    EXPECT_EQ(g.key(SelectionKey::Right).redraws.front(), (SymbolRedraw{2, 1, 1000, true}));
    g.key(SelectionKey::Left);
    g.key(SelectionKey::Enter, true);  // Ctrl+Enter on concentration 2 again: removed
    EXPECT_TRUE(g.chosen().empty());
    EXPECT_EQ(g.p(2, 1).symbolState, 1);
}

// ---- Chosen list and the commands

TEST(PointSelectionCommands, ChosenListRefusesBadIndicesAndMarksTheCZeroIntercept) {
    Grid g;
    DataPoint c0;
    c0.hasData = 1;
    c0.active = 1;
    c0.symbolState = 1;
    g.sel.setC0Intercept(&c0);
    ChosenConcentrations& ch = g.sel.chosen();
    g.p(3, 2).active = 0;
    EXPECT_TRUE(ch.add(3));
    EXPECT_FALSE(ch.add(3));
    EXPECT_FALSE(ch.add(-1));
    EXPECT_FALSE(ch.add(5));
    EXPECT_TRUE(ch.add(0));
    EXPECT_EQ(ch.text(), "3 0 ");
    EXPECT_EQ(g.p(3, 1).symbolState, 100);
    EXPECT_EQ(g.p(3, 2).symbolState, 1000);
    EXPECT_EQ(c0.symbolState, 100);
    // A calculation rebuilds the intercept record; the mark comes back.
    c0.symbolState = 1;
    g.sel.RefreshChosenSymbols();
    EXPECT_EQ(c0.symbolState, 100);
    ch.clear();
    EXPECT_EQ(c0.symbolState, 1);
    EXPECT_EQ(g.p(3, 2).symbolState, 1);
    EXPECT_EQ(ch.text(), "");
}

TEST(PointSelectionCommands, ActivateAndDeactivateAllPoints) {
    Grid g;
    g.w.set().cell(2, 0)->hasData = 1;
    g.w.set().cell(2, 0)->active = 0;
    g.p(1, 4).active = 0;
    g.sel.chosen().add(1);
    SelectionOutcome o = g.sel.activateAllPoints();
    EXPECT_TRUE(g.chosen().empty());
    EXPECT_EQ(g.p(1, 4).symbolState, 1);
    EXPECT_EQ(g.p(1, 4).active, 1);
    EXPECT_EQ(g.w.set().cell(2, 0)->active, 1);
    EXPECT_TRUE(o.preparePoints && o.repaint);
    EXPECT_FALSE(o.recalculate);  // both orders "no"
    g.w.setCOrder(FitOrder::One);
    EXPECT_TRUE(g.sel.activateAllPoints().recalculate);

    o = g.sel.deactivateAllPoints();
    EXPECT_TRUE(o.preparePoints && o.repaint);
    EXPECT_FALSE(o.recalculate);
    for (int c = 0; c <= 4; ++c)
        for (int a = 0; a <= 5; ++a) {
            const DataPoint& p = *g.w.set().cell(c, a);
            if (p.hasData == 1) {
                EXPECT_EQ(p.active, 0) << c << "," << a;
            }
        }
}

TEST(PointSelectionCommands, DeActivateDataTogglesTheChosenConcentrationsOnly) {
    Grid g;
    g.w.set().cell(2, 0)->hasData = 1;
    g.p(2, 3).active = 0;
    g.p(2, 4).hasData = 2;
    g.p(2, 4).active = 1;
    g.sel.chosen().add(2);
    g.sel.toggleChosenPoints();
    for (int a = 1; a <= 5; ++a) {
        if (a == 4) continue;
        EXPECT_EQ(g.p(2, a).active, a == 3 ? 1 : 0) << a;
        EXPECT_EQ(g.p(2, a).symbolState, a == 3 ? 100 : 1000) << a;
    }
    EXPECT_EQ(g.p(2, 4).active, 1);                 // no value: left alone
    EXPECT_EQ(g.w.set().cell(2, 0)->active, 1);     // its extrapolated point too
    EXPECT_EQ(g.p(1, 1).active, 1);
    EXPECT_EQ(g.p(3, 1).active, 1);
}

} // namespace
} // namespace zeb
