// The chart options of eval: ranges in label units, the plot file, the axes member.
#include "cli/Commands.h"
#include "cli/PlotOutput.h"
#include "dialogs/FormFactorParametersDialog.h"
#include "platform/ScriptedPlatform.h"
#include "plot/EvaluationView.h"
#include "support/JsonReader.h"
#include "support/SyntheticSets.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace zeb {
namespace {

cli::PlotOptions ParsePlotOptions(std::vector<std::string> args) {
    cli::PlotOptions o;
    for (std::size_t i = 0; i < args.size(); ++i)
        if (!cli::ParsePlotOption(args, i, o)) throw cli::UsageError{"not a chart option: " + args[i]};
    return o;
}

TEST(PlotOptions, ParsesRangesAndFileAndRefusesBadValues) {
    const cli::PlotOptions o = ParsePlotOptions({"--x-range", "40", "0", "--y-range", "1,5e-6", "3e-6", "--plot-file", "a/b.Svg"});
    EXPECT_EQ(o.xRange, std::make_pair(40.0, 0.0));
    EXPECT_EQ(o.yRange, std::make_pair(1.5e-6, 3e-6));
    EXPECT_EQ(o.plotFile, "a/b.Svg");
    for (const auto& bad : std::vector<std::vector<std::string>>{{"--x-range", "1"},
                                                                 {"--x-range", "1", "x"},
                                                                 {"--y-range", "2", "2"},
                                                                 {"--y-range", "nan", "2"},
                                                                 {"--y-range", "-1e300", "1e300"},
                                                                 {"--x-range", "1", "1.0000001"},
                                                                 {"--plot-file"},
                                                                 {"--plot-file", "chart.jpg"},
                                                                 {"--plot-file", "out.d/chart"}})
        EXPECT_THROW(ParsePlotOptions(bad), cli::UsageError) << bad[0] << " " << (bad.size() > 1 ? bad[1] : "");
}

TEST(PlotOptions, FormFactorModelsAndRepresentation) {
    const cli::PlotOptions o = ParsePlotOptions({"--form-factor", "sphere,user:a.ffu,coil-md", "--representation", "3"});
    EXPECT_EQ(o.formFactorModels, (std::vector<int>{4, 5, 1}));
    EXPECT_EQ(o.userFormFactorFile, "a.ffu");
    EXPECT_EQ(o.representation, 3);
    EXPECT_EQ(ParsePlotOptions({}).representation, 11);
    for (const auto& bad : std::vector<std::vector<std::string>>{{"--form-factor", "coil"},
                                                                 {"--form-factor", "rod,rod"},
                                                                 {"--form-factor", "user:"},
                                                                 {"--form-factor", "user:a,user:b"},
                                                                 {"--form-factor"},
                                                                 {"--representation", "13"},
                                                                 {"--representation", "0"},
                                                                 {"--representation", "x"}})
        EXPECT_THROW(ParsePlotOptions(bad), cli::UsageError) << bad[0] << " " << (bad.size() > 1 ? bad[1] : "");
}

// A model set of 3 concentrations and 6 angles evaluated with both orders 1
// (or with the options given).
struct Plotted {
    MessageLog messages;
    MeasurementSet set{messages};
    std::unique_ptr<EvaluationView> view;
    explicit Plotted(EvaluationOptions o = {}) {
        test::ModelParams m;
        m.noise = 0.01;
        test::FillModelSet(set, 3, 6, m);
        if (o.qOrder == FitOrder::None && o.cOrder == FitOrder::None && o.plotType == PlotType::Zimm)
            o.qOrder = o.cOrder = FitOrder::One;
        view = std::make_unique<EvaluationView>(set, o);
    }
};

TEST(PlotOptions, RangesAreReadInTheUnitsOfTheLabelsOfThePlotShown) {
    Plotted x;
    cli::ApplyPlotRanges(*x.view, ParsePlotOptions({"--x-range", "400", "0"}));
    const PlotSettings& s = x.view->chart().settings;
    const AxesState& axes = x.view->chart().axes;
    EXPECT_EQ(s.manualX.on, 1);
    EXPECT_EQ(s.manualX.minimum, 0.0);
    EXPECT_DOUBLE_EQ(s.manualX.maximum, 4e10);
    EXPECT_EQ(s.manualY.on, 0);  // y stays automatic
    EXPECT_EQ(axes.x.labels.front(), "0");
    EXPECT_GE(axes.x.maximum, 4.1e10 * (1 - 1e-9));  // with its margin

    // In the form-factor view the ranges are those of the form-factor plot.
    ASSERT_EQ(x.view->showFormFactorView({1}, "", 11, x.messages), EvaluationView::FormFactorOutcome::Shown);  // Pz vs q, q in µm⁻¹
    cli::ApplyPlotRanges(*x.view, ParsePlotOptions({"--x-range", "0", "3", "--y-range", "0", "1"}));
    EXPECT_DOUBLE_EQ(s.manualXFF.maximum, 3e4);
    EXPECT_EQ(s.manualYFF.maximum, 1.0);
    EXPECT_DOUBLE_EQ(s.manualX.maximum, 4e10);
    EXPECT_TRUE(x.view->formFactor().viewShown);
    EXPECT_EQ(axes.x.minimum, 0.0);
}

TEST(PlotOptions, TheFormFactorViewWithTheProposedParameters) {
    Plotted x;
    EXPECT_TRUE(cli::ShowFormFactorView(*x.view, x.messages, ParsePlotOptions({"--form-factor", "sphere,coil-pd", "--representation", "8"})));
    const FormFactorState& ff = x.view->formFactor();
    ASSERT_TRUE(ff.viewShown);
    EXPECT_EQ(ff.form, 8);
    EXPECT_EQ(ff.models, (std::vector<int>{4, 2}));
    EXPECT_EQ(ff.row, 0);  // the data extrapolated to c = 0
    // Rg and Mw as the parameter dialog shows them: four significant digits.
    EXPECT_EQ(ff.rgNm, std::stod(FormFactorFieldText(*x.view->evaluation().results.rgNm)));
    EXPECT_NE(ff.rgNm, *x.view->evaluation().results.rgNm);
    EXPECT_EQ(x.view->chart().axes.x.labelScale, 1.0);  // u² has no unit

    test::TempDir dir;
    const std::string missing = dir.file("none.ffu");
    Plotted y;
    EXPECT_FALSE(cli::ShowFormFactorView(*y.view, y.messages, ParsePlotOptions({"--form-factor", "user:" + missing})));
    ASSERT_FALSE(y.messages.messages.empty());
    EXPECT_EQ(y.messages.messages.back().text,
              "Could not open file with form factor data !\n" + missing + ": No such file or directory");

    EvaluationOptions noQ;
    noQ.cOrder = FitOrder::One;
    Plotted z(noQ);
    EXPECT_THROW(cli::ShowFormFactorView(*z.view, z.messages, ParsePlotOptions({"--form-factor", "rod"})), cli::UsageError);
    EXPECT_FALSE(z.view->formFactor().viewShown);
    EvaluationOptions dynamic;
    dynamic.plotType = PlotType::DI;
    Plotted d(dynamic);
    EXPECT_THROW(cli::ShowFormFactorView(*d.view, d.messages, ParsePlotOptions({"--form-factor", "rod"})), cli::UsageError);
}

TEST(PlotOptions, PlotFilesOfEveryFormat) {
    Plotted x;
    const ChartInputs chart = x.view->chartInputs();
    test::TempDir dir;
    const std::string wmf = dir.file("zimm.WMF");
    ASSERT_EQ(cli::WritePlotFile(chart, wmf), "");
    const std::string bytes = test::ReadFile(wmf);
    ASSERT_GT(bytes.size(), 1000u);
    EXPECT_EQ(bytes.substr(0, 6), std::string("\xD7\xCD\xC6\x9A\x00\x00", 6));

    const std::string svg = dir.file("zimm.svg");
    ASSERT_EQ(cli::WritePlotFile(chart, svg), "");
    EXPECT_NE(test::ReadFile(svg).find("<svg"), std::string::npos);
#ifdef ZEBSTAT_HAVE_QT
    const std::string png = dir.file("zimm.png");
    ASSERT_EQ(cli::WritePlotFile(chart, png), "");
    const std::string image = test::ReadFile(png);
    ASSERT_GT(image.size(), 24u);
    EXPECT_EQ(image.substr(1, 3), "PNG");
    // Width and height of the IHDR chunk, big-endian: the chart part of a new window.
    auto be32 = [&](std::size_t at) {
        return (static_cast<unsigned char>(image[at]) << 24) | (static_cast<unsigned char>(image[at + 1]) << 16) |
               (static_cast<unsigned char>(image[at + 2]) << 8) | static_cast<unsigned char>(image[at + 3]);
    };
    EXPECT_EQ(be32(16), 598u);
    EXPECT_EQ(be32(20), 507u);
    const std::string pdf = dir.file("zimm.pdf");
    ASSERT_EQ(cli::WritePlotFile(chart, pdf), "");
    EXPECT_EQ(test::ReadFile(pdf).substr(0, 5), "%PDF-");
#endif
    EXPECT_NE(cli::WritePlotFile(chart, dir.file("missing/zimm.wmf")), "");
}

using test::Example;

TEST(BatchEvalChart, JsonAxesAsDrawnAndManualRangesInLabelUnits) {
    const auto r = test::RunBatch({"eval", "--q-order", "1", "--c-order", "1", "--json", "--x-range", "0", "10000",
                                   "--y-range", "0.9e-6", "3e-6", Example("ps-toluene.sta")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const test::JsonValue j = test::JsonReader::Parse(r.out);
    const auto keys = j.keys();
    ASSERT_GE(keys.size(), 2u);
    EXPECT_EQ(keys[keys.size() - 2], "axes");
    EXPECT_EQ(keys.back(), "messages");
    const test::JsonValue& x = j["axes"]["x"];
    EXPECT_EQ(x["min"].num(), 0.0);
    EXPECT_GE(x["max"].num(), 1.025e12 * (1 - 1e-9));  // 10000 µm⁻² and its margin, in cm⁻²
    const auto ticks = x["ticks"].numbers();
    ASSERT_EQ(x["labels"].items.size(), ticks.size());
    EXPECT_EQ(x["labels"][0].text, "0.0");
    EXPECT_EQ(x["multiplier"].text, "× 10");
    EXPECT_EQ(x["exponent"].text, "3");
    const test::JsonValue& y = j["axes"]["y"];
    EXPECT_LE(y["min"].num(), 0.9e-6 - 0.025 * 2.1e-6 + 1e-18);
    EXPECT_EQ(y["multiplier"].text, "× 10");
}

TEST(BatchEvalChart, PlotFilesAndTheirFailures) {
    test::TempDir dir;
    for (const char* name : {"chart.wmf", "chart.svg", "chart.png", "chart.pdf"}) {
        const std::string out = dir.file(name);
        const auto r = test::RunBatch({"eval", "--plot", "berry", "--q-order", "2", "--c-order", "1", "--plot-file",
                                       out, Example("ps-toluene.sta")});
#ifndef ZEBSTAT_HAVE_QT
        if (std::string(name).find(".p") != std::string::npos) {
            EXPECT_EQ(r.status, 1) << name;
            continue;
        }
#endif
        ASSERT_EQ(r.status, 0) << name << ": " << r.err;
        EXPECT_EQ(r.err, "") << name;  // nothing from the drawing on a command line's standard error
        EXPECT_GT(test::ReadFile(out).size(), 1000u) << name;
    }
    const auto bad = test::RunBatch({"eval", "--plot-file", dir.file("chart.gif"), Example("ps-toluene.sta")});
    EXPECT_EQ(bad.status, 2);
    EXPECT_NE(bad.err.find("must end in .wmf, .svg, .png or .pdf"), std::string::npos);
    const std::string unwritable = dir.file("no/such/folder/chart.wmf");
    const auto failed = test::RunBatch({"eval", "--plot-file", unwritable, Example("ps-toluene.sta")});
    EXPECT_EQ(failed.status, 1);
    EXPECT_EQ(failed.err, "zebstat-batch: could not write " + unwritable + ": No such file or directory\n");
}

TEST(BatchEvalChart, FormFactorView) {
    test::TempDir dir;
    const auto r = test::RunBatch({"eval", "--q-order", "2", "--c-order", "1", "--form-factor", "coil-md,sphere",
                                   "--representation", "11", "--json", "--plot-file", dir.file("ff.svg"),
                                   Example("ps-toluene.sta")});
    ASSERT_EQ(r.status, 0) << r.err;
    const test::JsonValue j = test::JsonReader::Parse(r.out);
    // Pz over q: q labelled in µm⁻¹ from 0, Pz at most 1.
    const test::JsonValue& x = j["axes"]["x"];
    EXPECT_EQ(x["min"].num(), 0.0);
    EXPECT_EQ(x["labels"][0].text, "0");
    EXPECT_LE(j["axes"]["y"]["max"].num(), 1.1);
    const std::string svg = test::ReadFile(dir.file("ff.svg"));
    EXPECT_NE(svg.find("Hard sphere, Rs = "), std::string::npos);
    EXPECT_NE(svg.find("Coil, mono disperse, Rg = "), std::string::npos);

    const auto noOrders = test::RunBatch({"eval", "--form-factor", "rod", Example("ps-toluene.sta")});
    EXPECT_EQ(noOrders.status, 2);
    const auto dynamic = test::RunBatch({"eval", "--plot", "d1", "--q-order", "1", "--c-order", "1", "--form-factor",
                                         "rod", Example("ps-toluene.sta")});
    EXPECT_EQ(dynamic.status, 2);
    const auto user = test::RunBatch({"eval", "--q-order", "1", "--c-order", "1", "--form-factor",
                                      "user:" + dir.file("none.ffu"), Example("ps-toluene.sta")});
    EXPECT_EQ(user.status, 1);
    // The file is given: no hint that the model needs one, only why it could not be read.
    EXPECT_EQ(user.err, Example("ps-toluene.sta") + ": ZEBStat: Information: Could not open file with form factor data !\n" + dir.file("none.ffu") +
                            ": No such file or directory\n");
}

} // namespace
} // namespace zeb
