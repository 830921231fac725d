// The chart the batch tool draws for an evaluation is the chart a plot window
// draws for the same data and choices.
#include "plot/EvaluationView.h"

#include "platform/ScriptedPlatform.h"
#include "plot/ChartDrawing.h"
#include "plot/RecordingCanvas.h"
#include "plotwindow/PlotWindow.h"
#include "plotwindow/PlotWindowChart.h"
#include "support/SyntheticSets.h"

#include <gtest/gtest.h>

#include <string>

namespace zeb {
namespace {

// Every drawing operation as text: kind, points, text, pen and font.
std::string Drawing(const RecordingCanvas& canvas) {
    std::string out;
    for (const CanvasOp& op : canvas.ops()) {
        out += std::to_string(op.kind) + ":";
        for (const CanvasPoint& p : op.points) out += std::to_string(p.x) + "," + std::to_string(p.y) + " ";
        out += op.text + "|" + std::to_string(op.state.penWidth) + "/" + std::to_string(op.state.penColor) + "/" +
               std::to_string(op.state.font.height) + "\n";
    }
    return out;
}

TEST(EvaluationChart, DrawsWhatThePlotWindowDrawsForTheSameChoices) {
    test::ModelParams m;
    m.noise = 0.02;
    struct Case {
        PlotType type;
        FitOrder q, c;
    };
    for (const Case& k : {Case{PlotType::Zimm, FitOrder::One, FitOrder::One},
                          Case{PlotType::Guinier, FitOrder::Two, FitOrder::None},
                          Case{PlotType::DII, FitOrder::One, FitOrder::Two}}) {
        MessageLog log;
        MeasurementSet loaded(log);
        test::FillModelSet(loaded, 4, 7, m);
        loaded.sampleName = "PS in toluene";
        EvaluationOptions o;
        o.plotType = k.type;
        o.qOrder = k.q;
        o.cOrder = k.c;
        o.switchedOff = {{2, 3}};
        const EvaluationView view(loaded, o);
        RecordingCanvas fromEvaluation;
        DrawChart(fromEvaluation, view.chartInputs(), {ChartTarget::Metafile, false, nullptr});

        ScriptedPlatform platform;
        PlotWindow w(platform);
        test::FillModelSet(w.set(), 4, 7, m);
        w.set().sampleName = "PS in toluene";
        w.set().cell(2, 3)->active = 0;
        w.PostLoadSetup();
        w.setPlotType(k.type);
        w.setQOrder(k.q);
        w.setCOrder(k.c);
        RecordingCanvas fromWindow;
        DrawWindowChart(fromWindow, w, ChartTarget::Metafile);

        const std::string drawn = Drawing(fromEvaluation);
        EXPECT_GT(fromEvaluation.ops().size(), 50u) << PlotTypeNumber(k.type);
        EXPECT_NE(drawn.find("PS in toluene"), std::string::npos) << PlotTypeNumber(k.type);
        EXPECT_EQ(drawn, Drawing(fromWindow)) << PlotTypeNumber(k.type);
    }
}

} // namespace
} // namespace zeb
