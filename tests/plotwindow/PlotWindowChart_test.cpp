// The plot window's chart: settings, axes, source files and the chart inputs
// as the window's handlers leave them.
#include "data/RoundSig.h"
#include "dialogs/FormFactorParametersDialog.h"
#include "platform/ScriptedPlatform.h"
#include "plot/AxisCaptions.h"
#include "plot/ChartExport.h"
#include "plot/RecordingCanvas.h"
#include "plotwindow/PlotWindow.h"
#include "plotwindow/PlotWindowChart.h"
#include "support/SyntheticSets.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace zeb {
namespace {

struct ChartWindow {
    ScriptedPlatform platform;
    PlotWindow w{platform};
    explicit ChartWindow(double noise = 0.01, int nc = 3, int na = 6) {
        test::ModelParams m;
        m.noise = noise;
        test::FillModelSet(w.set(), nc, na, m);
        w.PostLoadSetup();
    }
    // Shows plot form 1..12 with the parameters the dialog proposes.
    void showForm(int representation) {
        platform.dialogScripts.push_back([](ModalDialog& d) { dynamic_cast<FormFactorParametersDialog&>(d).accept(); });
        w.showFormFactorPlot(representation);
    }
};

bool Within(const AxisScale& a, double v) { return a.minimum <= v && v <= a.maximum; }

TEST(PlotWindowChart, WindowSettingsComeFromTheDefaultsAndTheFile) {
    test::TempDir dir;
    const std::string ini = dir.file("zebstat.ini");
    test::WriteFile(ini, "[ChartLabels]\r\nYLabelZimm2=Berry by hand\r\nXLabelFF11=q in 1/um\r\n"
                         "[PlotLines]\r\nLineWidth1=50\r\nLineColor3=65280l\r\n");
    GlobalDefaults defaults;
    defaults.symbolSize = 3;
    defaults.weighting = 2;
    defaults.smoothing = 2;
    ChartWindow x;
    x.w.ReadWindowSettings(defaults, ini);
    const PlotSettings& s = x.w.plotSettings();
    EXPECT_EQ(s.symbolSize, 3);
    EXPECT_EQ(s.lines.row(1).width, 50);
    EXPECT_EQ(s.lines.row(3).color, 0x00FF00u);
    EXPECT_EQ(s.lines.row(2), BuiltInLine(2));
    // The analysis takes weighting and smoothing from the copied defaults.
    EXPECT_EQ(x.w.weighting(), Weighting::On);
    EXPECT_EQ(x.w.rememberedSmoothing(), Smoothing::On);

    EXPECT_EQ(s.yTitle, BuiltInYCaption(1));
    x.w.setPlotType(PlotType::Berry);
    EXPECT_EQ(s.yTitle, "Berry by hand");
    EXPECT_EQ(s.xTitle, BuiltInXCaption(2));
    x.w.setPlotType(PlotType::Guinier);
    EXPECT_EQ(s.yTitle, BuiltInYCaption(3));

    x.w.setQOrder(FitOrder::One);
    x.w.setCOrder(FitOrder::One);
    x.w.toggleFormFactorModel(kModelCoilMono);
    x.showForm(11);  // Pz vs q
    EXPECT_TRUE(s.formFactorMode);
    EXPECT_EQ(s.xTitle, "q in 1/um");
    EXPECT_EQ(s.yTitle, BuiltInFormFactorYCaption(11));
    x.w.setQOrder(FitOrder::Two);
    EXPECT_FALSE(s.formFactorMode);
    EXPECT_EQ(s.yTitle, BuiltInYCaption(3));
}

TEST(PlotWindowChart, AutomaticAxesCoverEveryPointAndBothIntercepts) {
    ChartWindow x;
    x.w.setQOrder(FitOrder::One);
    x.w.setCOrder(FitOrder::One);
    const AxesState& axes = x.w.axes();
    const MeasurementSet& set = x.w.set();
    double xMin = 1e300, xMax = -1e300, yMin = 1e300, yMax = -1e300;
    int points = 0;
    for (int c = 0; c <= set.lastConcIndex; ++c)
        for (int a = 0; a <= set.lastAngleIndex; ++a) {
            const DataPoint* p = set.cell(c, a);
            if ((c == 0 && a == 0) || !p || p->hasData != 1) continue;
            ++points;
            xMin = std::min(xMin, p->x());
            xMax = std::max(xMax, p->x());
            yMin = std::min(yMin, p->y());
            yMax = std::max(yMax, p->y());
        }
    EXPECT_EQ(points, 3 * 6 + 3 + 6);
    for (const DataPoint* p : {&x.w.lineQ0(), &x.w.lineC0()}) {
        ASSERT_EQ(p->hasData, 1);
        xMin = std::min(xMin, p->x());
        yMin = std::min(yMin, p->y());
        EXPECT_TRUE(Within(axes.x, p->x()) && Within(axes.y, p->y()));
    }
    EXPECT_EQ(x.w.lineC0().x(), 0.0);
    // The options dialog is shown the automatic range: the extremes to 6 digits.
    const PlotSettings& s = x.w.plotSettings();
    EXPECT_EQ(s.manualX.minimum, RoundSig(xMin, 6));
    EXPECT_EQ(s.manualX.maximum, RoundSig(xMax, 6));
    EXPECT_EQ(s.manualY.minimum, RoundSig(yMin, 6));
    EXPECT_EQ(s.manualY.maximum, RoundSig(yMax, 6));
    EXPECT_TRUE(Within(axes.x, xMin) && Within(axes.x, xMax));
    EXPECT_TRUE(Within(axes.y, yMin) && Within(axes.y, yMax));
    // Ticks within the plot range, labelled in µm⁻² on x.
    EXPECT_EQ(axes.x.ticks.front(), axes.x.minimum);
    EXPECT_LE(axes.x.ticks.back(), axes.x.maximum);
    EXPECT_EQ(axes.x.labelScale, 1e-8);
    EXPECT_EQ(axes.x.labels.size(), axes.x.ticks.size());
}

TEST(PlotWindowChart, HidingInactivePointsShrinksTheRangeAtTheNextCalculation) {
    for (int hide : {0, 1}) {
        ChartWindow x;
        x.w.plotSettings().hideInactive = static_cast<std::int16_t>(hide);
        x.w.calculate();
        const double before = x.w.plotSettings().manualY.maximum;
        DataPoint* top = x.w.set().cell(3, 6);  // Kc/R grows with q² and c
        ASSERT_EQ(RoundSig(top->y(), 6), before);
        top->active = 0;
        EXPECT_EQ(x.w.plotSettings().manualY.maximum, before);  // a toggle waits for the calculation
        x.w.calculate();
        if (hide) EXPECT_LT(x.w.plotSettings().manualY.maximum, before);
        else EXPECT_EQ(x.w.plotSettings().manualY.maximum, before);
    }
}

TEST(PlotWindowChart, ManualRangesOfMeasurementAndFormFactorPlotsAreSeparate) {
    ChartWindow x;
    x.w.setQOrder(FitOrder::One);
    x.w.setCOrder(FitOrder::One);
    PlotSettings& s = x.w.plotSettings();
    s.manualX = ManualRangeFromLabelUnits(0, 40, 1e-8);
    s.manualY = ManualRangeFromLabelUnits(1e-6, 3e-6, 1);
    x.w.calculate();
    EXPECT_EQ(x.w.axes().x.minimum, 0.0);
    EXPECT_GE(x.w.axes().x.maximum, 41e8 * (1 - 1e-12));  // 2.5 % margin above
    EXPECT_LE(x.w.axes().y.minimum, 0.95e-6);
    EXPECT_EQ(s.manualX.maximum, 40e8);  // the entered range is kept as entered

    // The form-factor view has its own ranges.
    x.w.toggleFormFactorModel(kModelCoilMono);
    x.showForm(11);
    EXPECT_FALSE(Within(x.w.axes().x, 40e8));  // q in cm⁻¹, not q² + kc
    s.manualXFF = ManualRangeFromLabelUnits(0, 5, 1e-4);
    x.w.AfterOptions();
    EXPECT_EQ(x.w.axes().x.minimum, 0.0);
    EXPECT_GE(x.w.axes().x.maximum, 5.125e4 * (1 - 1e-12));
    EXPECT_EQ(x.w.axes().x.labelScale, 1e-4);

    // A plot type makes the measurement axes automatic, not the form-factor ones.
    x.w.setPlotType(PlotType::Berry);
    EXPECT_EQ(s.manualX.on, 0);
    EXPECT_EQ(s.manualY.on, 0);
    EXPECT_EQ(s.manualXFF.on, 1);
    EXPECT_GT(x.w.axes().x.maximum, 41e8);  // the largest q² + kc is near 7e10 cm⁻²
}

TEST(PlotWindowChart, SourceFilesFollowTheActivePointsAndTheComparedData) {
    ChartWindow x;
    const std::string all = "/data/series/sample1.sta; /data/series/sample2.sta; /data/series/sample3.sta";
    EXPECT_EQ(x.w.sourceFiles(), all);
    for (int a = 1; a <= 6; ++a) x.w.set().cell(2, a)->active = 0;
    EXPECT_EQ(x.w.sourceFiles(), all);
    x.w.setQOrder(FitOrder::One);
    EXPECT_EQ(x.w.sourceFiles(), "/data/series/sample1.sta; /data/series/sample3.sta");
    EXPECT_EQ(MakeChartInputs(x.w).sourceFiles, x.w.sourceFiles());

    // Form factors: the data extrapolated to c = 0 name every file in use ...
    x.w.setCOrder(FitOrder::One);
    x.w.toggleFormFactorModel(kModelCoilPoly);
    x.showForm(1);
    ASSERT_EQ(x.w.formFactor().row, 0);
    EXPECT_EQ(x.w.sourceFiles(), "/data/series/sample1.sta; /data/series/sample3.sta");
    // ... a chosen concentration its own file ...
    x.w.chosenConcentrations() = {3};
    x.showForm(1);
    ASSERT_EQ(x.w.formFactor().row, 3);
    EXPECT_EQ(x.w.sourceFiles(), "/data/series/sample3.sta");
    // ... and no compared data none.
    x.w.chosenConcentrations().clear();
    x.w.setCOrder(FitOrder::None);
    x.w.toggleFormFactorModel(kModelCoilPoly);
    x.platform.dialogScripts.push_back([](ModalDialog& d) {
        auto& dialog = dynamic_cast<FormFactorParametersDialog&>(d);
        dialog.rgTyped("30");
        dialog.mwTyped("1e6");
        dialog.accept();
    });
    x.w.showFormFactorPlot(1);
    ASSERT_EQ(x.w.formFactor().row, -1);
    EXPECT_EQ(x.w.sourceFiles(), "");
    EXPECT_FALSE(MakeChartInputs(x.w).formFactorShowsData);
}

TEST(PlotWindowChart, FormFactorInputsKeepTheOrderOfTheModelsAndEditedLegends) {
    ChartWindow x;
    x.w.setQOrder(FitOrder::One);
    x.w.setCOrder(FitOrder::One);
    x.w.toggleFormFactorModel(kModelHardSphere);  // hard sphere first, then the coil
    x.w.toggleFormFactorModel(kModelCoilMono);
    x.showForm(2);  // sqrt(1/Pz) vs q²
    const FormFactorState& ff = x.w.formFactor();
    ChartInputs in = MakeChartInputs(x.w);
    ASSERT_TRUE(in.formFactor);
    EXPECT_EQ(in.representation, 2);
    EXPECT_TRUE(in.formFactorShowsData);
    ASSERT_EQ(in.formFactorCurves.size(), 2u);
    EXPECT_EQ(in.formFactorCurves[0].lineRow, 6);
    EXPECT_EQ(in.formFactorCurves[1].lineRow, 3);
    EXPECT_EQ(in.formFactorCurves[0].label, ff.modelLabels[3]);
    EXPECT_EQ(in.formFactorCurves[1].label, ff.modelLabels[0]);
    EXPECT_EQ(in.formFactorCurves[1].points.size(), x.w.formFactorCurve(1).size());
    EXPECT_EQ(in.formFactorConcentrationText, "Conc. c -> 0");
    ASSERT_EQ(in.formFactorPoints.size(), ff.measured.size());
    for (std::size_t i = 0; i < ff.measured.size(); ++i) {
        const ChartFFPoint& p = in.formFactorPoints[i];
        EXPECT_EQ(p.y, ff.measured[i].y);
        EXPECT_EQ(p.yHi, ff.measured[i].y + ff.measured[i].error);
        EXPECT_EQ(p.yLo, ff.measured[i].y - ff.measured[i].error);
        EXPECT_EQ(p.active, ff.measured[i].active ? 1 : 0);
    }
    // Curve and measured points lie inside the axes (sqrt(1/Pz) starts at 1).
    EXPECT_LE(in.axes.y.minimum, 1.0);
    for (const auto& [px, py] : in.formFactorCurves[1].points) EXPECT_TRUE(Within(in.axes.x, px) && Within(in.axes.y, py));

    // A legend text edited in the options dialog survives the rebuild ...
    x.w.plotSettings().legend[1] = "Coil after Debye";
    x.w.plotSettings().legend[0] = "extrapolated";
    x.w.AfterOptions();
    in = MakeChartInputs(x.w);
    EXPECT_EQ(in.formFactorCurves[1].label, "Coil after Debye");
    EXPECT_EQ(in.formFactorConcentrationText, "extrapolated");
    // ... until another Rg gives the model a new label.
    x.platform.dialogScripts.push_back([](ModalDialog& d) {
        auto& dialog = dynamic_cast<FormFactorParametersDialog&>(d);
        dialog.rgTyped("33");
        dialog.accept();
    });
    x.w.showFormFactorPlot(2);
    in = MakeChartInputs(x.w);
    EXPECT_EQ(in.formFactorCurves[1].label, "Coil, mono disperse, Rg = 33.00 nm");
    EXPECT_EQ(in.formFactorConcentrationText, "extrapolated");
}

TEST(PlotWindowChart, TheWindowKeeps41CharactersOfTheSampleNameUntilAnotherComes) {
    ChartWindow x;
    x.w.set().sampleName = "Polystyrol in Toluol, 25 °C, Messreihe vom 3. März 1998";
    x.w.calculate();
    EXPECT_EQ(x.w.plotSettings().sampleName, "Polystyrol in Toluol, 25 °C, Messreihe vo");
    x.w.plotSettings().sampleName = "PS 2";
    x.w.setQOrder(FitOrder::One);
    EXPECT_EQ(MakeChartInputs(x.w).sampleName, "PS 2");
    x.w.set().sampleName = "PMMA";
    x.w.calculate();
    EXPECT_EQ(MakeChartInputs(x.w).sampleName, "PMMA");
}

// Text twice as large as the built-in metrics say.
class LargeTextCanvas : public RecordingCanvas {
public:
    TextSize textExtent(const std::string& text) override {
        TextSize s = RecordingCanvas::textExtent(text);
        return {2 * s.width, 2 * s.height};
    }
};

TEST(PlotWindowChart, AMetafileIsLaidOutWithTheSizesOfTheLastScreenPaint) {
    ChartWindow x;
    EXPECT_EQ(x.w.screenMetrics(), nullptr);
    RecordingCanvas plain;
    const ChartDrawResult unpainted = DrawWindowChart(plain, x.w, ChartTarget::Metafile);
    LargeTextCanvas screen;
    const ChartDrawResult painted = DrawWindowChart(screen, x.w, ChartTarget::Screen);
    ASSERT_NE(x.w.screenMetrics(), nullptr);
    EXPECT_EQ(x.w.screenMetrics()->ch, painted.metrics.ch);
    EXPECT_EQ(x.w.screenLayout()->x0, painted.layout.x0);
    EXPECT_GT(painted.layout.x0, unpainted.layout.x0);

    RecordingCanvas metafile;
    const ChartDrawResult copy = DrawWindowChart(metafile, x.w, ChartTarget::Metafile);
    EXPECT_EQ(copy.layout.x0, painted.layout.x0);
    EXPECT_EQ(copy.layout.height, painted.layout.height);
    // A printer measures on its own device.
    RecordingCanvas printer;
    EXPECT_EQ(DrawWindowChart(printer, x.w, ChartTarget::Printer).layout.x0, unpainted.layout.x0);
    // The WMF file is laid out the same way.
    EXPECT_NE(WindowChartToPlaceableWmf(x.w), ChartToPlaceableWmf(MakeChartInputs(x.w), nullptr));
}

// Distance from (px, py) to the segment a-b.
double SegmentDistance(CanvasPoint a, CanvasPoint b, double px, double py) {
    const double dx = b.x - a.x, dy = b.y - a.y, len2 = dx * dx + dy * dy;
    double t = len2 > 0 ? ((px - a.x) * dx + (py - a.y) * dy) / len2 : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(a.x + t * dx - px, a.y + t * dy - py);
}

TEST(PlotWindowChart, FittedCurvesRunThroughThePointsOfAnExactModel) {
    ChartWindow x(0.0);
    EXPECT_TRUE(ChartReady(x.w));
    // Curves over q² only, then over c only, then both: each family on its own
    // must pass through every point it was fitted to.
    for (auto [q, c] : {std::pair{1, 0}, std::pair{0, 1}, std::pair{1, 1}}) {
        if (q) x.w.setQOrder(FitOrder::One); else x.w.setQOrder(FitOrder::None);
        if (c) x.w.setCOrder(FitOrder::One); else x.w.setCOrder(FitOrder::None);
        RecordingCanvas canvas;
        const ChartDrawResult r = DrawWindowChart(canvas, x.w, ChartTarget::Screen);
        const int curveWidth = x.w.plotSettings().lines.row(kLineFitCurves).width;
        std::vector<std::pair<CanvasPoint, CanvasPoint>> segments;
        for (const CanvasOp* op : canvas.ofKind(CanvasOp::Line))
            if (op->state.penWidth == curveWidth && op->state.clip) segments.emplace_back(op->points[0], op->points[1]);
        EXPECT_GE(segments.size(), 3u * 30u);
        const PlotMapping map(r.layout, x.w.axes());
        const MeasurementSet& set = x.w.set();
        int checked = 0;
        for (int ci = 0; ci <= set.lastConcIndex; ++ci)
            for (int a = 0; a <= set.lastAngleIndex; ++a) {
                const DataPoint* p = set.cell(ci, a);
                if ((ci == 0 && a == 0) || !p || p->hasData != 1) continue;
                ++checked;
                double best = 1e9;
                for (const auto& [from, to] : segments)
                    best = std::min(best, SegmentDistance(from, to, map.X(p->x()), map.Y(p->y())));
                EXPECT_LE(best, 3.0) << "orders " << q << "/" << c << ", point " << ci << ":" << a;
            }
        EXPECT_GE(checked, 18 + (q ? 3 : 0) + (c ? 6 : 0));
    }
}

} // namespace
} // namespace zeb
