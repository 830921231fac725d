#include "data/MeasurementSet.h"
#include "platform/ScriptedPlatform.h"
#include "plot/AxisCaptions.h"
#include "plot/PlotLayout.h"

#include <gtest/gtest.h>

namespace zeb {
namespace {

LayoutInput TypicalTexts() {
    LayoutInput in;
    in.ch = 380;
    in.widestYLabel = 1000;
    in.lastXLabelWidth = 600;
    in.textLineHeight = 380;
    in.fileNameLines = 2;
    in.showFileName = true;
    in.showResults = true;
    return in;
}

TEST(PlotLayout, TheChartAndItsLabelsStayInsideTheDrawingSpace) {
    for (int ch : {0, 120, 380, 600}) {
        for (int wy : {0, 1000, 3000}) {
            for (int lines : {0, 1, 3}) {
                LayoutInput in = TypicalTexts();
                in.ch = in.textLineHeight = ch;
                in.widestYLabel = wy;
                in.fileNameLines = lines;
                const PlotLayout l = ComputeLayout(in);
                SCOPED_TRACE(testing::Message() << "ch " << ch << ", y labels " << wy << ", lines " << lines);
                // The y caption and the y labels fit left of the frame.
                EXPECT_GE(l.frameLeft() - wy - ch, 0);
                // Half of the last x label, centred under the right end, fits with a margin.
                EXPECT_LE(l.frameLeft() + l.frameWidth() + in.lastXLabelWidth / 2, kLogicalWidth - 400);
                // The title lines fit above the frame.
                EXPECT_GE(l.frameTop() - ch, 0);
                // Under the frame: the x labels, the x caption and the text block.
                EXPECT_LE(l.frameTop() + l.frameHeight() + 2 * ch + l.bottomBlock, kLogicalHeight);
                EXPECT_GE(l.bottomBlock, l.textHeight);
                EXPECT_GT(l.width, 0);
                EXPECT_GT(l.height, 0);
            }
        }
    }
}

TEST(PlotLayout, TextsTakeTheirRoomFromTheDataArea) {
    const PlotLayout base = ComputeLayout(TypicalTexts());
    // Wider y labels push the left edge right; the right edge stays.
    LayoutInput wide = TypicalTexts();
    wide.widestYLabel += 700;
    const PlotLayout w = ComputeLayout(wide);
    EXPECT_EQ(w.x0, base.x0 + 700);
    EXPECT_EQ(w.x0 + w.width, base.x0 + base.width);
    // Each more line of file names takes one and a half text lines from the
    // height; the top stays.
    LayoutInput more = TypicalTexts();
    more.fileNameLines += 2;
    const PlotLayout m = ComputeLayout(more);
    EXPECT_EQ(m.y0, base.y0);
    EXPECT_EQ(base.height - m.height, 3 * more.textLineHeight);
    // The results lines are two lines of that kind; without them the chart grows.
    LayoutInput noResults = TypicalTexts();
    noResults.showResults = false;
    EXPECT_EQ(ComputeLayout(noResults).height - base.height, 3 * noResults.textLineHeight);
    // Nothing under the plot: still a bottom margin of 500.
    LayoutInput bare = TypicalTexts();
    bare.showFileName = bare.showResults = false;
    bare.ch = 50;
    EXPECT_EQ(ComputeLayout(bare).bottomBlock, 500);
}

TEST(PlotLayout, MappingAndItsInverse) {
    PlotLayout l;
    l.x0 = 2000;
    l.y0 = 1500;
    l.width = 12000;
    l.height = 9000;
    AxesState axes;
    axes.x.minimum = 0.0;
    axes.x.maximum = axes.x.span = 4e10;
    axes.y.minimum = 2e-6;
    axes.y.maximum = 3e-6;
    axes.y.span = 1e-6;
    const PlotMapping m(l, axes);
    EXPECT_EQ(m.X(0.0), 2000);
    EXPECT_EQ(m.X(4e10), 14000);
    EXPECT_EQ(m.X(1e10), 5000);
    EXPECT_EQ(m.Y(3e-6), 1500) << "the maximum is at the top";
    EXPECT_EQ(m.Y(2e-6), 10500);
    EXPECT_NEAR(m.DataX(m.X(2.5e10)), 2.5e10, 4e10 / 12000.0);
    EXPECT_NEAR(m.DataY(m.Y(2.2e-6)), 2.2e-6, 1e-6 / 9000.0);
    // Far outside values stay far outside instead of wrapping around.
    EXPECT_LT(m.X(-1e300), -1000000);
    EXPECT_GT(m.Y(-1e300), 1000000);
}

TEST(AxisScaling, ExtremesHonourHideInactiveAndIntercepts) {
    ScriptedPlatform platform;
    MeasurementSet set(platform);
    ASSERT_EQ(set.InitMeasurementSet(), 1);
    set.lastConcIndex = 2;
    set.lastAngleIndex = 2;
    auto put = [&](int c, int a, double x, double y, int active, int hasData = 1) {
        DataPoint& p = set.CreateDataPoint(c, a);
        p.x() = x;
        p.y() = y;
        p.active = static_cast<std::int16_t>(active);
        p.hasData = static_cast<std::int16_t>(hasData);
    };
    put(1, 1, 1.0, 10.0, 1);
    put(1, 2, 2.0, 11.0, 1);
    put(2, 1, 9.0, 50.0, 0);          // inactive outlier
    put(2, 2, -5.0, -5.0, 1, 2);      // no value for this plot type
    put(0, 1, 0.5, 9.0, 1);           // extrapolated to c = 0
    put(0, 0, -100, -100, 1);         // the corner is never visited
    DataPoint q0;
    q0.hasData = 1;
    q0.active = 0;
    q0.x() = 0.0;
    q0.y() = 8.0;

    DataExtremes shown = FindDataExtremes(set, &q0, nullptr, false);
    EXPECT_EQ(shown.xMin, 0.0);
    EXPECT_EQ(shown.xMax, 9.0);
    EXPECT_EQ(shown.yMin, 8.0) << "an inactive intercept still counts";
    EXPECT_EQ(shown.yMax, 50.0);
    DataExtremes hidden = FindDataExtremes(set, &q0, nullptr, true);
    EXPECT_EQ(hidden.xMax, 2.0);
    EXPECT_EQ(hidden.yMax, 11.0);

    ManualRange mx, my;
    const AxesState axes = RescaleMeasurementAxes(hidden, mx, my);
    EXPECT_EQ(axes.x.labelScale, 1e-8);
    EXPECT_LE(axes.y.minimum, 8.0);
    EXPECT_GE(axes.y.maximum, 11.0);
    // No data at all: an orderly 0..1 axis.
    ManualRange none;
    const AxisScale empty = ScaleAxis(1e200, -1e200, none, AxisDirection::X, 1.0);
    EXPECT_EQ(empty.minimum, 0.0);
    EXPECT_GE(empty.maximum, 1.0);
}

TEST(AxisCaptions, BuiltInAndOverridden) {
    PlotSettings s;
    SelectAxisTitles(s, 2, 11);
    EXPECT_EQ(s.xTitle, "(q²+kc) × µm²");
    EXPECT_EQ(s.yTitle, "sqrt(Kc/R), Kc/R in mol/g");
    s.yTitleZimm[2] = "my y";
    SelectAxisTitles(s, 2, 11);
    EXPECT_EQ(s.yTitle, "my y");
    s.formFactorMode = true;
    SelectAxisTitles(s, 2, 4);
    EXPECT_EQ(s.xTitle, "q × µm");
    EXPECT_EQ(s.yTitle, "Pz(q,Rg)q² × µm²");
    EXPECT_EQ(FormFactorYLabelScale(4), 1e-8);
    EXPECT_EQ(FormFactorXLabelScale(9), 1.0);
}

} // namespace
} // namespace zeb

#include "plot/PlotWindowGeometry.h"

namespace zeb {
namespace {

TEST(PlotWindowGeometry, TheChartLiesRightOfTheControlPanel) {
    const ScreenTarget t = ChartScreenTarget(kInitialClientWidth, kInitialClientHeight);
    EXPECT_EQ(t.x, 130);
    EXPECT_EQ(t.y, 8);
    EXPECT_EQ(t.width, 598);
    EXPECT_EQ(t.height, 507);
}

// A maximized or tiled window of any proportions: the logical space takes them,
// so the chart fills the target; texts keep the scale of the tighter direction
// and the data area takes the room that is left.
TEST(PlotWindowGeometry, TheChartFillsTargetsOfAnyProportions) {
    const LayoutInput texts = TypicalTexts();
    const PlotLayout plain = ComputeLayout(texts);
    for (const auto& [w, h] : {std::pair{598, 507}, std::pair{1790, 1000}, std::pair{300, 1000}, std::pair{1, 1}}) {
        SCOPED_TRACE(testing::Message() << w << " x " << h);
        const LogicalExtent e = ScreenExtent(w, h);
        const double s = ScreenScale(w, h);
        EXPECT_EQ(s, std::min(w / 16383.0, h / 13941.0));
        EXPECT_NEAR(e.width * s, w, 1.0);
        EXPECT_NEAR(e.height * s, h, 1.0);
        EXPECT_GE(e.width, kLogicalWidth);
        EXPECT_GE(e.height, kLogicalHeight);
        LayoutInput in = texts;
        in.extent = e;
        const PlotLayout l = ComputeLayout(in);
        EXPECT_EQ(l.x0, plain.x0);
        EXPECT_EQ(l.y0, plain.y0);
        EXPECT_EQ(l.width - plain.width, e.width - kLogicalWidth);
        EXPECT_EQ(l.height - plain.height, e.height - kLogicalHeight);
    }
    EXPECT_EQ(ScreenExtent(0, 500), LogicalExtent{});
}

} // namespace
} // namespace zeb
