#include "plot/ChartDrawing.h"
#include "plot/ChartPrimitives.h"
#include "plot/RecordingCanvas.h"
#include "plot/TextWrap.h"
#include "plot/ChartFixture.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace zeb {
namespace {

using test::ChartFixture;

// The symbol drawn at a logical position: the polygon (square) or ellipse (circle) centred there.
const CanvasOp* SymbolAt(const RecordingCanvas& rc, int x, int y) {
    for (const auto& op : rc.ops()) {
        if (op.kind == CanvasOp::Polygon && op.points.size() == 4) {
            if ((op.points[0].x + op.points[2].x) / 2 == x && (op.points[0].y + op.points[2].y) / 2 == y) return &op;
        } else if (op.kind == CanvasOp::Ellipse) {
            if ((op.points[0].x + op.points[1].x) / 2 == x && (op.points[0].y + op.points[1].y) / 2 == y) return &op;
        }
    }
    return nullptr;
}

struct Drawn {
    RecordingCanvas rc;
    ChartDrawResult result;
    PlotMapping map;
    Drawn(const ChartInputs& in, ChartOptions opt = {})
        : result(DrawChart(rc, in, opt)), map(result.layout, in.axes) {}
    const CanvasOp* symbolOf(const DataPoint& p) const { return SymbolAt(rc, map.X(p.x()), map.Y(p.y())); }
};

TEST(ChartDrawing, SymbolCodesAndHideInactive) {
    ChartFixture f;
    f.set.cell(1, 2)->active = 0;                                   // inactive: white square
    f.set.cell(2, 1)->symbolState = 100;                            // chosen: fuchsia
    f.set.cell(2, 2)->symbolState = 1000, f.set.cell(2, 2)->active = 0;  // chosen, inactive: grey
    f.set.cell(3, 0)->active = 0;                                   // extrapolated, inactive: white circle
    f.settings.symbolSize = 1;
    {
        Drawn d(f.in);
        const DataPoint& active = *f.set.cell(1, 1);
        const CanvasOp* s = d.symbolOf(active);
        ASSERT_NE(s, nullptr);
        EXPECT_EQ(s->kind, CanvasOp::Polygon);
        EXPECT_EQ(s->state.brushColor, kBlack);
        EXPECT_EQ(s->state.penWidth, 23) << "outlined with the fitted-curve pen";
        EXPECT_EQ(s->points[2].x - s->points[0].x, 2 * 65) << "small symbols are 65 units from the centre";
        EXPECT_EQ(d.symbolOf(*f.set.cell(1, 2))->state.brushColor, kWhite);
        EXPECT_EQ(d.symbolOf(*f.set.cell(2, 1))->state.brushColor, kFuchsia);
        EXPECT_EQ(d.symbolOf(*f.set.cell(2, 2))->state.brushColor, kGrey);
        const CanvasOp* ex = d.symbolOf(*f.set.cell(1, 0));
        ASSERT_NE(ex, nullptr);
        EXPECT_EQ(ex->kind, CanvasOp::Ellipse);
        EXPECT_EQ(ex->state.brushColor, kBlue);
        EXPECT_EQ(d.symbolOf(*f.set.cell(3, 0))->state.brushColor, kWhite);
        EXPECT_EQ(d.symbolOf(*f.set.cell(0, 3))->kind, CanvasOp::Ellipse);
        // Every square and circle gets its black centre pixel.
        int pixels = 0;
        for (const auto* op : d.rc.ofKind(CanvasOp::Pixel)) pixels += op->pixelColor == kBlack;
        EXPECT_EQ(pixels, static_cast<int>(d.rc.ofKind(CanvasOp::Polygon).size() + d.rc.ofKind(CanvasOp::Ellipse).size()));
    }
    f.settings.hideInactive = 1;
    {
        Drawn d(f.in);
        EXPECT_EQ(d.symbolOf(*f.set.cell(1, 2)), nullptr) << "inactive points disappear";
        EXPECT_EQ(d.symbolOf(*f.set.cell(3, 0)), nullptr);
        ASSERT_NE(d.symbolOf(*f.set.cell(2, 2)), nullptr) << "a chosen inactive point stays visible";
        EXPECT_EQ(d.symbolOf(*f.set.cell(2, 2))->state.brushColor, kGrey);
    }
}

TEST(ChartDrawing, CrossSymbols) {
    ChartFixture f;
    f.settings.symbolType = 2;
    f.set.cell(1, 1)->active = 0;
    Drawn d(f.in);
    const int x = d.map.X(f.set.cell(1, 1)->x()), y = d.map.Y(f.set.cell(1, 1)->y());
    int thin = 0;
    for (const auto* op : d.rc.ofKind(CanvasOp::Line))
        if (op->points[0] == CanvasPoint{x - 87, y - 87} && op->points[1] == CanvasPoint{x + 87, y + 87})
            thin += op->state.penWidth == 1;
    EXPECT_EQ(thin, 1) << "an inactive measured point is a thin diagonal cross";
    EXPECT_TRUE(d.rc.ofKind(CanvasOp::Polygon).empty());
}

TEST(ChartDrawing, SymbolsAreClippedWholeAndErrorBarsCutAtTheRange) {
    ChartFixture f;
    f.settings.showErrorBars = 1;
    // A manual y range that ends just below one point and far below another.
    DataPoint& near = *f.set.cell(3, 4);
    DataPoint& huge = *f.set.cell(0, 1);  // 2.2e-6, inside
    huge.yHi() = huge.y() + 1.0;
    huge.yLo() = huge.y() - 1.0;
    f.settings.manualY = {1, 2.0e-6, 2.5e-6};
    f.rescale();
    Drawn d(f.in);
    const PlotLayout& l = d.result.layout;
    const CanvasOp* s = d.symbolOf(huge);
    ASSERT_NE(s, nullptr);
    // The error bar of the point runs from the plot's maximum to its minimum.
    const int x = d.map.X(huge.x());
    bool bar = false;
    for (const auto* op : d.rc.ofKind(CanvasOp::Line))
        if (op->points[0].x == x && op->points[1].x == x && op->points[0].y == d.map.Y(f.in.axes.y.maximum) &&
            op->points[1].y == d.map.Y(f.in.axes.y.minimum))
            bar = true;
    EXPECT_TRUE(bar);
    // Nothing is drawn more than 200 units outside the data area.
    EXPECT_LT(d.map.Y(near.y()) + 87, l.y0 - 200) << "the test point lies outside";
    EXPECT_EQ(d.symbolOf(near), nullptr);
    for (const auto& op : d.rc.ops()) {
        if (op.kind != CanvasOp::Polygon && op.kind != CanvasOp::Ellipse) continue;
        for (const auto& p : op.points) {
            EXPECT_GE(p.y, l.y0 - 200);
            EXPECT_LE(p.y, l.y0 + l.height + 200);
        }
    }
}

TEST(ChartDrawing, SymbolWithItsBoxJustOutsideIsNotDrawnAtAll) {
    RecordingCanvas rc;
    const ClipRect clip{0, 0, 1000, 1000};
    SymbolStyle st;
    EXPECT_TRUE(DrawSymbol(rc, st, clip, 1, 87, 87, false, 0, 0));
    EXPECT_FALSE(DrawSymbol(rc, st, clip, 1, 86, 500, false, 0, 0));
    EXPECT_FALSE(DrawSymbol(rc, st, clip, 1, 500, 1000 - 86, true, 0, 2000));
    EXPECT_EQ(rc.ofKind(CanvasOp::Polygon).size(), 1u);
    EXPECT_TRUE(rc.ofKind(CanvasOp::Line).empty()) << "no error bar without its symbol";
    // Unknown codes draw only the centre pixel.
    EXPECT_TRUE(DrawSymbol(rc, st, clip, 7, 500, 500, false, 0, 0));
    EXPECT_EQ(rc.ops().back().kind, CanvasOp::Pixel);
}

TEST(ChartDrawing, ClippedPathCutsSegmentsAtTheBorder) {
    RecordingCanvas rc;
    ClippedPath path(rc, {0, 0, 100, 100});
    path.moveTo(-50, 50);   // outside: only remembered
    path.lineTo(50, 50);    // enters at the left edge
    path.lineTo(150, 50);   // leaves at the right edge
    path.lineTo(150, 150);  // outside to outside, misses
    path.lineTo(-50, -50);  // outside to outside through the rectangle
    const auto lines = rc.ofKind(CanvasOp::Line);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0]->points[0], (CanvasPoint{0, 50}));
    EXPECT_EQ(lines[0]->points[1], (CanvasPoint{50, 50}));
    EXPECT_EQ(lines[1]->points[0], (CanvasPoint{50, 50}));
    EXPECT_EQ(lines[1]->points[1], (CanvasPoint{100, 50}));
    EXPECT_EQ(lines[2]->points[0], (CanvasPoint{100, 100}));
    EXPECT_EQ(lines[2]->points[1], (CanvasPoint{0, 0}));
}

int CurveSegments(const RecordingCanvas& rc) {
    int n = 0;
    for (const auto* op : rc.ofKind(CanvasOp::Line))
        n += op->state.penWidth == 23 && op->points[0].x != op->points[1].x;  // not error bars or ticks
    return n;
}

TEST(ChartDrawing, FittedCurvesFollowOrdersAndDisplayOption) {
    ChartFixture f(3, 4);
    // Row 1 (frame) gets another width so that curve segments can be told apart.
    f.settings.lines.row(1).width = 30;
    f.in.qOrder = 0;
    f.in.cOrder = 0;
    EXPECT_EQ(CurveSegments(Drawn(f.in).rc), 0) << "no orders, no curves";
    // Each curve is its start point and 30 steps of Q/30 (the last step may
    // fall a rounding error beyond the end) and then the end itself.
    auto expectCurves = [&](int curves) {
        const int n = CurveSegments(Drawn(f.in).rc);
        EXPECT_GE(n, curves * 30);
        EXPECT_LE(n, curves * 31);
    };
    f.in.qOrder = 1;
    expectCurves(4);  // the c = 0 line and three concentrations
    f.in.cOrder = 1;
    expectCurves(4 + 5);  // and the q = 0 line and four angles
    f.settings.fitDisplay = 3;
    expectCurves(4 + 1);  // all q² curves, only the q = 0 line in c
    f.settings.fitDisplay = 2;
    expectCurves(2);
    f.in.c0Intercept = nullptr;
    expectCurves(1);  // a line without its start point is not drawn
    f.in.c0Intercept = &f.c0;
    // A curve passes through its concentration's points (straight-line data).
    f.settings.fitDisplay = 1;
    Drawn d(f.in);
    const DataPoint& p = *f.set.cell(2, 4);
    bool through = false;
    for (const auto* op : d.rc.ofKind(CanvasOp::Line))
        if (std::abs(op->points[1].x - d.map.X(p.x())) <= 1 && std::abs(op->points[1].y - d.map.Y(p.y())) <= 1)
            through = true;
    EXPECT_TRUE(through);
}

TEST(ChartDrawing, FrameAxesAndCaptions) {
    ChartFixture f;
    f.settings.lines.row(1) = {31, MakeRgb(1, 2, 3)};
    Drawn d(f.in);
    const PlotLayout& l = d.result.layout;
    const auto frames = d.rc.ofKind(CanvasOp::Polyline);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0]->points.front(), (CanvasPoint{l.x0 - 400, l.y0 - 400}));
    EXPECT_EQ(frames[0]->points[2], (CanvasPoint{l.x0 + l.width + 400, l.y0 + l.height + 400}));
    EXPECT_EQ(frames[0]->state.penWidth, 31);
    EXPECT_FALSE(frames[0]->state.clip.has_value());
    const CanvasOp* y = d.rc.findText("Kc/R × g/mol");
    ASSERT_NE(y, nullptr);
    EXPECT_EQ(y->state.font.escapement, 900);
    EXPECT_EQ(y->points[0].x, l.x0 - 400 - (l.captionGap + l.labelGap + d.result.metrics.widestYLabel));
    const CanvasOp* x = d.rc.findText("(q²+kc) × µm²");
    ASSERT_NE(x, nullptr);
    EXPECT_EQ(x->state.textAlign, kAlignCenter | kAlignTop);
    EXPECT_EQ(x->state.font.escapement, 0);
    for (const auto& label : f.in.axes.y.labels) EXPECT_NE(d.rc.findText(label), nullptr) << label;
    ASSERT_EQ(f.in.axes.y.multiplier, "× 10");
    EXPECT_NE(d.rc.findText("× 10"), nullptr);
    EXPECT_NE(d.rc.findText(f.in.axes.y.exponent), nullptr);
    EXPECT_EQ(f.in.axes.x.multiplier, "");
    // The default axis font is Arial bold 380 × 152.
    EXPECT_EQ(x->state.font.height, 380);
    EXPECT_EQ(x->state.font.weight, 700);
}

TEST(ChartDrawing, TextsUnderThePlot) {
    ChartFixture f;
    f.in.sourceFiles.clear();
    for (int i = 0; i < 4; ++i) f.in.sourceFiles += (i ? "; " : "") + std::string("/measurements/2026/series_") + char('a' + i) + "/solution.sta";
    Drawn d(f.in);
    const CanvasOp* r1 = d.rc.findText(f.in.resultLines[0]);
    const CanvasOp* r2 = d.rc.findText(f.in.resultLines[1]);
    const CanvasOp* r3 = d.rc.findText(f.in.resultLines[2]);
    ASSERT_TRUE(r1 && r2 && r3);
    const int top = kLogicalHeight - d.result.layout.bottomBlock + d.result.layout.ch;
    EXPECT_EQ(r1->points[0], (CanvasPoint{200, top}));
    EXPECT_EQ(r2->points[0], (CanvasPoint{200 + (16383 - 600) / 3, top}));
    EXPECT_EQ(r3->points[0].y, top + static_cast<int>(d.result.metrics.layoutLineHeight * 1.5));
    const auto lines = WrapText(f.in.sourceFiles, 75);
    ASSERT_GE(lines.size(), 2u);
    for (const auto& line : lines) {
        EXPECT_LE(line.size(), 75u);
        EXPECT_NE(d.rc.findText(line), nullptr) << line;
    }
    EXPECT_NE(d.rc.findText("PS 1"), nullptr);
    // An empty result line suppresses all four.
    f.in.resultLines[3].clear();
    Drawn e(f.in);
    EXPECT_EQ(e.rc.findText(f.in.resultLines[0]), nullptr);
    EXPECT_EQ(e.rc.saveDepth(), 0) << "the drawing restores what it saved";
}

TEST(ChartDrawing, StoredMetricsGiveTheSameLayout) {
    ChartFixture f;
    RecordingCanvas screen;
    const ChartDrawResult first = DrawChart(screen, f.in, {ChartTarget::Screen});
    RecordingCanvas meta;
    ChartOptions opt{ChartTarget::Metafile, false, &first.metrics};
    const ChartDrawResult second = DrawChart(meta, f.in, opt);
    EXPECT_EQ(second.layout.x0, first.layout.x0);
    EXPECT_EQ(second.layout.height, first.layout.height);
    // Laid out for the screen, the text line height is measured bold.
    EXPECT_GE(first.metrics.layoutLineHeight, MeasureChart(meta, f.in, ChartTarget::Metafile).layoutLineHeight);
}

TEST(ChartDrawing, FormFactorCurvesAndLegend) {
    ChartFixture f;
    f.in.formFactor = true;
    f.in.formFactorShowsData = true;
    f.settings.xTitle = "q × µm";
    for (int i = 0; i <= 10; ++i) {
        ChartFFPoint p;
        p.x = i * 1e4;
        p.y = 1.0 - 0.02 * i;
        p.yHi = p.y + 0.01;
        p.yLo = p.y - 0.01;
        p.hasData = 1;
        p.active = i != 3;
        f.in.formFactorPoints.push_back(p);
    }
    ChartFFCurve coil{3, {}, "Coil, mono disperse, Rg = 54.77 nm"};
    ChartFFCurve sphere{6, {}, "Hard sphere, Rs = 70.71 nm"};
    for (int i = 0; i <= 100; ++i) {
        coil.points.emplace_back(i * 1e3, 1.0 - 0.002 * i);
        sphere.points.emplace_back(i * 1e3, 1.0 - 0.003 * i);
    }
    f.in.formFactorCurves = {coil, sphere};
    f.in.formFactorConcentrationText = "c = .0010 g/dm³";
    ManualRange mx, my;
    DataExtremes e;
    e.include(0, 0.7);
    e.include(1e5, 1.0);
    f.in.axes = RescaleFormFactorAxes(e, 11, mx, my);
    Drawn d(f.in);
    EXPECT_EQ(d.rc.ofKind(CanvasOp::Polygon).size(), 11u) << "the form-factor points, inactive ones shown";
    int red = 0, fuchsia = 0;
    for (const auto* op : d.rc.ofKind(CanvasOp::Line)) {
        red += op->state.penColor == 0x0000FF && op->state.penWidth == 10;
        fuchsia += op->state.penColor == 0xFF00FF && op->state.penWidth == 43;
    }
    EXPECT_EQ(red, 100 + 1) << "the curve and its legend sample line";
    EXPECT_EQ(fuchsia, 100 + 1);
    const CanvasOp* sample = d.rc.findText("PS 1");
    const CanvasOp* label = d.rc.findText(sphere.label);
    ASSERT_TRUE(sample && label);
    EXPECT_EQ(sample->points[0].x, d.result.layout.x0);
    EXPECT_EQ(label->points[0].x, d.result.layout.x0 + 1150);
    EXPECT_EQ(label->points[0].y - sample->points[0].y, static_cast<int>(2 * d.result.metrics.textLineHeight * 1.5));
    EXPECT_NE(d.rc.findText("c = .0010 g/dm³"), nullptr);
    EXPECT_EQ(d.rc.findText(f.in.resultLines[0]), nullptr) << "no results under a form-factor plot";
    // A printer with one or two colours draws the curves black.
    RecordingCanvas mono;
    DrawChart(mono, f.in, {ChartTarget::Printer, true, nullptr});
    for (const auto* op : mono.ofKind(CanvasOp::Line)) EXPECT_EQ(op->state.penColor, kBlack);
}

TEST(TextWrap, BreaksAfterSpaceOrBackslashInTheLastThird) {
    const std::string a(60, 'a'), b(30, 'b');
    EXPECT_EQ(WrapText(a + " " + b, 75), (std::vector<std::string>{a, b}));
    EXPECT_EQ(WrapText(a + "\\" + b, 75), (std::vector<std::string>{a + "\\", b}));
    // A blank too early in the line: cut at 75.
    const std::string early = std::string(10, 'x') + " " + std::string(100, 'y');
    const auto cut = WrapText(early, 75);
    ASSERT_EQ(cut.size(), 2u);
    EXPECT_EQ(cut[0].size(), 75u);
    EXPECT_EQ(WrapText("one\r\ntwo\nthree", 75), (std::vector<std::string>{"one", "two", "three"}));
    EXPECT_TRUE(WrapText("", 75).empty());
    // Characters, not bytes, are counted.
    const std::string mu = "µ";
    std::string micro;
    for (int i = 0; i < 75; ++i) micro += mu;
    EXPECT_EQ(WrapText(micro + "z", 75).size(), 2u);
}

TEST(TextWrap, SourceFileListNamesEachActiveFileOnce) {
    ChartFixture f(4, 2);
    f.set.sourceName[2] = "  /data/run1.sta ";
    for (int a = 1; a <= 2; ++a) f.set.cell(3, a)->active = 0;
    EXPECT_EQ(BuildSourceFileList(f.set), "/data/run1.sta; /data/run4.sta");
}

} // namespace
} // namespace zeb
