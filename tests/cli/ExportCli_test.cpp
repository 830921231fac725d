// The export options of eval: --choose, --export-asc, --export-rat, --export-plx.
#include "cli/Commands.h"
#include "cli/ExportOptions.h"
#include "export/ExportText.h"
#include "platform/ScriptedPlatform.h"
#include "plot/ChosenConcentrations.h"
#include "plot/EvaluationView.h"
#include "plotwindow/PlotWindow.h"
#include "support/JsonReader.h"
#include "support/SyntheticSets.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <sstream>

namespace zeb {
namespace {

using test::RunBatch;

using test::Example;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (auto end = text.find("\r\n"); end != std::string::npos; end = text.find("\r\n", start)) {
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    EXPECT_EQ(start, text.size()) << "text not ended by CR LF";
    return lines;
}

std::string Fmt(const char* format, double a, double b) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, a, b);
    return buffer;
}

// A plot window with the files loaded and the options chosen through its
// menus, the chosen list set as the export dialog sets it: the reference the
// files the batch tool writes are compared with.
struct ExportedWindow {
    ScriptedPlatform platform;
    PlotWindow w{platform};
    ExportedWindow(const std::vector<std::string>& files, const EvaluationOptions& analysis, const std::vector<int>& chosen) {
        platform.openAnswers.assign(files.begin(), files.end());
        w.activate();
        for (std::size_t i = 1; i < files.size(); ++i) EXPECT_EQ(w.addDataFile(), kLoadOk);
        for (const PointIndex& p : analysis.switchedOff) w.set().cell(p.concentration, p.angle)->active = 0;
        w.setPlotType(analysis.plotType);
        w.setQOrder(analysis.qOrder);
        w.setCOrder(analysis.cOrder);
        ChosenConcentrations list(w.chosenConcentrations(), w.set());
        list.setC0Intercept(&w.lineC0Record());
        for (int c : chosen) list.add(c);
    }
};

TEST(BatchExport, AsciiFileIsTheWindowsExportOfTheChosenConcentrations) {
    test::TempDir dir;
    const std::string asc = dir.file("berry.asc");
    const auto r = RunBatch({"eval", "--plot", "berry", "--q-order", "1", "--c-order", "1", "--deactivate", "2:3",
                             "--choose", " 2  0 1 2", "--export-asc", asc, "--json", "--dump", Example("ps-toluene.sta")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const std::string text = test::ReadFile(asc);

    EvaluationOptions analysis;
    analysis.plotType = PlotType::Berry;
    analysis.qOrder = analysis.cOrder = FitOrder::One;
    analysis.switchedOff = {{2, 3}};
    ExportedWindow ref({Example("ps-toluene.sta")}, analysis, {2, 0, 1});
    EXPECT_EQ(text, BuildAsciiExport(ref.w.set(), ref.w.chosenConcentrations(), 2, &ref.w.lineC0()));

    // Independently of the export code: the header, the list order, the
    // measured points as the dump holds them, the deactivated point left out,
    // and the extrapolated points converted back from the Berry plot to Kc/R.
    std::istringstream outputs(r.out);
    std::string jsonLine, dumpLine;
    std::getline(outputs, jsonLine);
    std::getline(outputs, dumpLine);
    const test::JsonValue results = test::JsonReader::Parse(jsonLine), dump = test::JsonReader::Parse(dumpLine);
    const std::vector<std::string> lines = Lines(text);
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines[0], "Data extracted from: " + Example("ps-toluene.sta"));  // four concentrations, one file
    EXPECT_EQ(lines[1], "No of concentrations: 3");
    EXPECT_EQ(lines[2], "x=q^2/(micrometer^(-2)); y=Kc/R/(mol/g)");
    EXPECT_EQ(lines[3], "c=  1.000E+00 g/dm^3");
    std::vector<std::string> expected;
    for (const auto& cell : dump["cells"].items)
        if (cell["c"].num() == 2 && cell["a"].num() >= 1 && cell["a"].num() != 3)
            expected.push_back(Fmt(" %11.3E %11.3E", dump["q2PerCm2"][std::size_t(cell["a"].num())].num() * 1e-8,
                                   cell["kcr"].num()));
    ASSERT_EQ(expected.size(), 12u);
    // First the concentration's own extrapolation to q = 0: Kc/R = 1/Mw(app).
    double mwApp2 = 0.0;
    for (const auto& c : results["concentrations"].items)
        if (c["index"].num() == 2) mwApp2 = c["MwApp"].num();
    ASSERT_EQ(lines[4].substr(0, 13), "   0.000E+00 ");
    EXPECT_NEAR(std::stod(lines[4].substr(13)) * mwApp2, 1.0, 1e-3);
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 5, lines.begin() + 17), expected);
    EXPECT_EQ(lines[17], "c=  0.000E+00 g/dm^3");
    ASSERT_EQ(lines[18].substr(0, 13), "   0.000E+00 ");
    // The c = 0 line at q = 0: Kc/R = 1/Mw(q²).
    EXPECT_NEAR(std::stod(lines[18].substr(13)) * results["MwQ2"].num(), 1.0, 1e-3);
    EXPECT_EQ(lines[lines.size() - 15], "c=  5.000E-01 g/dm^3");  // concentration 1: q = 0 and 13 angles
}

TEST(BatchExport, AsciiExportTakesTheDappOfTheDynamicPlotType) {
    test::TempDir dir;
    const std::string asc = dir.file("d2.asc");
    const auto r = RunBatch({"eval", "--plot", "d2", "--choose", "4", "--export-asc", asc, "--dump",
                             Example("ps-toluene.sta")});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::vector<std::string> lines = Lines(test::ReadFile(asc));
    ASSERT_EQ(lines.size(), 3u + 1u + 13u);
    EXPECT_EQ(lines[2], "x=q^2/(micrometer^(-2)); y=DappII/(micrometer^2/s)");
    EXPECT_EQ(lines[3], "c=  2.000E+00 g/dm^3");
    const test::JsonValue dump = test::JsonReader::Parse(r.out);
    for (const auto& cell : dump["cells"].items)
        if (cell["c"].num() == 4 && cell["a"].num() >= 1) {
            const auto a = std::size_t(cell["a"].num());
            EXPECT_EQ(lines[3 + a], Fmt(" %11.3E %11.3E", dump["q2PerCm2"][a].num() * 1e-8, cell["dappII"].num()));
        }
}

TEST(BatchExport, ScatteringRatioFileSkipsTheGroupAtCZeroButCountsItsPosition) {
    test::TempDir dir;
    const std::string rat = dir.file("out.rat");
    const auto r = RunBatch({"eval", "--choose", "0 3", "--export-rat", rat, "--dump", Example("ps-toluene.plx")});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string text = test::ReadFile(rat);
    ExportedWindow ref({Example("ps-toluene.plx")}, {}, {0, 3});
    EXPECT_EQ(text, BuildScatteringRatioExport(ref.w.set(), ref.w.chosenConcentrations()));

    const test::JsonValue dump = test::JsonReader::Parse(r.out);
    const std::vector<std::string> lines = Lines(text);
    ASSERT_EQ(lines.size(), 11u + 9u);
    EXPECT_EQ(lines[9], "No. of concentrations: 1");
    EXPECT_EQ(lines[10], "c[2] =  1.50000E+00  from file: ps1e6-toluene-c3.sta");
    for (const auto& cell : dump["cells"].items)
        if (cell["c"].num() == 3 && cell["a"].num() >= 1) {
            const auto a = std::size_t(cell["a"].num());
            char expected[80];
            std::snprintf(expected, sizeof expected, "%15.8E %12.5E %12.5E",
                          std::sqrt(dump["q2PerCm2"][a].num() * 1e-8), cell["rSample"].num() * 100,
                          cell["rSampleError"].num() * 100);
            EXPECT_EQ(lines[10 + a], expected);
            EXPECT_GT(cell["rSample"].num(), 0.0);
        }
}

TEST(BatchExport, ScatteringRatioWithoutRatiosWritesNothing) {
    test::TempDir dir;
    const std::string rat = dir.file("none.rat"), asc = dir.file("tarn.asc");
    const auto r = RunBatch({"eval", "--choose", "1 2", "--export-rat", rat, "--export-asc", asc, Example("ps-tarn.plt")});
    EXPECT_EQ(r.status, 1);
    // After the reader's note about the missing Dapp columns.
    const std::string message = "\n" + Example("ps-tarn.plt") + ": ZEB-Stat: No data for Scattering Ratio available !\n";
    ASSERT_GE(r.err.size(), message.size());
    EXPECT_EQ(r.err.substr(r.err.size() - message.size()), message) << r.err;
    EXPECT_FALSE(std::filesystem::exists(rat));
    EXPECT_EQ(Lines(test::ReadFile(asc))[1], "No of concentrations: 2");  // the other export is written
}

TEST(BatchExport, PlxFileOfTheWholeWindowLoadsBack) {
    test::TempDir dir;
    const std::string plx = dir.file("all.PLX");
    // Two files in one window, with a chosen list that the PLX file ignores.
    const std::vector<std::string> files = {Example("ps-toluene.plx"), Example("ps-tarn.plt")};
    auto r = RunBatch({"eval", "--choose", "2", "--export-plx", plx, "--dump", files[0], files[1]});
    ASSERT_EQ(r.status, 0) << r.err;
    const test::JsonValue before = test::JsonReader::Parse(r.out);
    r = RunBatch({"eval", "--dump", plx});
    ASSERT_EQ(r.status, 0) << r.err;
    const test::JsonValue after = test::JsonReader::Parse(r.out);

    EXPECT_EQ(after["lastConcIndex"].num(), 6);
    EXPECT_EQ(after["lastConcIndex"].num(), before["lastConcIndex"].num());
    EXPECT_EQ(after["lastAngleIndex"].num(), before["lastAngleIndex"].num());
    const auto near = [](double a, double b) { return std::fabs(a - b) <= 1e-5 * std::fabs(b); };
    for (std::size_t i = 0; i < before["q2PerCm2"].items.size(); ++i)
        EXPECT_TRUE(near(after["q2PerCm2"][i].num(), before["q2PerCm2"][i].num())) << "q2 " << i;
    for (std::size_t i = 0; i < before["concentrations"].items.size(); ++i) {
        const auto &b = before["concentrations"][i], &a = after["concentrations"][i];
        EXPECT_TRUE(near(a["cGPerCm3"].num(), b["cGPerCm3"].num())) << i;
        EXPECT_EQ(std::filesystem::path(a["source"].text).filename(), std::filesystem::path(b["source"].text).filename());
    }
    int measured = 0;
    ASSERT_EQ(after["cells"].items.size(), before["cells"].items.size());
    for (std::size_t i = 0; i < before["cells"].items.size(); ++i) {
        const auto &b = before["cells"][i], &a = after["cells"][i];
        if (b["c"].num() < 1 || b["a"].num() < 1) continue;
        EXPECT_EQ(a["hasData"].num(), b["hasData"].num()) << b["c"].num() << ":" << b["a"].num();
        if (b["hasData"].num() != 1) continue;
        ++measured;
        for (const char* key : {"kcr", "kcrError", "dappI", "dappII", "dappIII", "rSample"})
            EXPECT_TRUE(near(a[key].num(), b[key].num())) << key << " " << b["c"].num() << ":" << b["a"].num();
    }
    EXPECT_EQ(measured, 3 * 9 + 3 * 7);
}

TEST(BatchExport, UsageErrorsGiveOneLineAndWriteNothing) {
    test::TempDir dir;
    const std::string out = dir.file("x.asc"), plx = dir.file("x.plx");
    struct Case {
        std::vector<std::string> args;
        const char* err;
    };
    for (const Case& k : std::vector<Case>{
             {{"--choose", "1,3", "--export-asc", out},
              "zebstat-batch: --choose takes concentration numbers separated by blanks, not \"1,3\"\n"},
             {{"--choose", "1 -3", "--export-asc", out},
              "zebstat-batch: --choose takes concentration numbers separated by blanks, not \"1 -3\"\n"},
             {{"--choose", "  ", "--export-asc", out},
              "zebstat-batch: --choose needs concentration numbers separated by blanks\n"},
             {{"--export-asc", out}, "zebstat-batch: --export-asc needs --choose\n"},
             {{"--export-rat", out, "--export-plx", plx}, "zebstat-batch: --export-rat needs --choose\n"},
             {{"--export-plx", dir.file("x.plt")}, nullptr},
             {{"--export-plx", dir.file("plx")}, nullptr},
             {{"--choose", "1", "--export-asc", ""}, "zebstat-batch: --export-asc needs a file name\n"},
             {{"--choose", "1", "--export-plx", plx, "--export-asc", out, "--choose", "1 5"},
              "zebstat-batch: --choose 5: no such concentration (1..4, 0: extrapolated to c = 0)\n"},
             {{"--choose", "12345678901234567890", "--export-asc", out},
              "zebstat-batch: --choose 12345678901234567890: no such concentration\n"}}) {
        std::vector<std::string> args = {"eval"};
        args.insert(args.end(), k.args.begin(), k.args.end());
        args.push_back(Example("ps-toluene.sta"));
        const auto r = RunBatch(args);
        EXPECT_EQ(r.status, 2) << k.args[1];
        if (k.err) {
            EXPECT_EQ(r.err, k.err);
        }
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        EXPECT_EQ(r.out, "");
        EXPECT_TRUE(std::filesystem::is_empty(dir.path())) << k.args[1];
    }
    // The option's value is last on the line.
    EXPECT_EQ(RunBatch({"eval", Example("ps-toluene.sta"), "--choose"}).status, 2);
}

TEST(BatchExport, AFileThatCannotBeWrittenFailsAloneAndLeavesNoTrace) {
    test::TempDir dir;
    const std::string plx = dir.file("ok.plx"), rat = dir.file("ok.rat");
    const std::string missing = dir.file("no-such-folder/out.asc");
    auto r = RunBatch({"eval", "--choose", "1", "--export-asc", missing, "--export-rat", rat, "--export-plx", plx,
                       Example("ps-toluene.sta")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "zebstat-batch: could not write " + missing + ": No such file or directory\n");
    EXPECT_TRUE(std::filesystem::exists(plx));
    EXPECT_TRUE(std::filesystem::exists(rat));
    EXPECT_FALSE(std::filesystem::exists(dir.file("no-such-folder")));

    // The PLX writer reports its failure as the window does, then the line.
    const std::string badPlx = dir.file("no-such-folder/out.plx");
    r = RunBatch({"eval", "--export-plx", badPlx, "--results", Example("ps-toluene.sta")});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("ZEBStat: Information: Write error !"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("zebstat-batch: could not write " + badPlx + ": No such file or directory\n"),
              std::string::npos)
        << r.err;
    EXPECT_NE(r.out, "");  // the results are still printed
}

TEST(BatchExport, ChoosingMarksThePointsAsTheChartShowsThem) {
    MessageLog messages;
    MeasurementSet set(messages);
    test::ModelParams m;
    test::FillModelSet(set, 3, 5, m);
    set.cell(2, 4)->active = 0;
    EvaluationOptions options;
    options.qOrder = options.cOrder = FitOrder::One;
    EvaluationView view(set, options);
    cli::ExportOptions o;
    std::size_t i = 0;
    const std::vector<std::string> args = {"--choose", "2 0"};
    ASSERT_TRUE(cli::ParseExportOption(args, i, o));
    view.choose({3});  // an earlier choice is replaced
    cli::ApplyChosenConcentrations(view, o);
    const Evaluation& e = view.evaluation();
    EXPECT_EQ(view.chosen(), (std::vector<int>{2, 0}));
    EXPECT_EQ(e.set.cell(2, 1)->symbolState, 100);
    EXPECT_EQ(e.set.cell(2, 4)->symbolState, 1000);  // chosen but inactive
    EXPECT_EQ(e.set.cell(3, 1)->symbolState, 1);     // no longer chosen
    ASSERT_EQ(e.fits.lineC0.hasData, 1);
    EXPECT_EQ(e.fits.lineC0.symbolState, 100);  // the intercept goes with the c = 0 group
}

} // namespace
} // namespace zeb
