// The analysis options of eval, the --json object and the formfactor command.
#include "cli/AnalysisOptions.h"
#include "cli/Commands.h"
#include "cli/ResultsJson.h"
#include "platform/ScriptedPlatform.h"
#include "plotwindow/TFitF1.h"
#include "support/JsonReader.h"
#include "support/SyntheticSets.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <regex>

namespace zeb {
namespace {

using cli::AnalysisOptions;

AnalysisOptions ParseAnalysisOptions(std::vector<std::string> args) {
    AnalysisOptions o;
    for (std::size_t i = 0; i < args.size(); ++i)
        if (!cli::ParseAnalysisOption(args, i, o)) throw cli::UsageError{"not an analysis option: " + args[i]};
    return o;
}

TEST(AnalysisOptions, ParsesEveryOptionAndRefusesBadValues) {
    const AnalysisOptions o = ParseAnalysisOptions({"--plot", "d2", "--q-order", "3", "--c-order", "1", "--smooth", "--weight",
                                     "--k", "2,5", "--deactivate", "1:2,3:14", "--results", "--json"});
    EXPECT_EQ(o.plotType, PlotType::DII);
    EXPECT_EQ(o.qOrder, 3);
    EXPECT_EQ(o.cOrder, 1);
    EXPECT_TRUE(o.smooth && o.weight && o.results && o.json);
    EXPECT_EQ(o.kDisplayed, 2.5);
    EXPECT_EQ(o.deactivate, (std::vector<std::pair<int, int>>{{1, 2}, {3, 14}}));
    for (const auto& bad : std::vector<std::vector<std::string>>{
             {"--plot", "debye"}, {"--q-order", "6"}, {"--c-order"}, {"--k", "x"}, {"--deactivate", "1-2"},
             {"--deactivate", "1:"}, {"--deactivate", "a:1"}, {"--bogus"}})
        EXPECT_THROW(ParseAnalysisOptions(bad), cli::UsageError) << bad[0];
}

struct AnalysedWindow {
    ScriptedPlatform platform;
    TFitF1 w{platform};
    AnalysedWindow() {
        test::ModelParams m;
        m.noise = 0.01;
        test::FillModelSet(w.set(), 4, 6, m);
        w.PostLoadSetup();
    }
};

std::string Value(const cli::JsonMembers& members, const std::string& key) {
    for (const auto& [k, v] : members)
        if (k == key) return v;
    return "(missing)";
}

std::vector<std::string> Keys(const cli::JsonMembers& members) {
    std::vector<std::string> keys;
    for (const auto& [k, v] : members) keys.push_back(k);
    return keys;
}

TEST(ResultsJson, StaticKeysValuesAndAppliedOptions) {
    AnalysedWindow x;
    const AnalysisOptions o = ParseAnalysisOptions({"--q-order", "1", "--c-order", "2", "--weight", "--k", "3", "--deactivate", "2:1"});
    cli::ApplyAnalysisOptions(x.w, o);
    EXPECT_EQ(x.w.set().cell(2, 1)->active, 0);
    EXPECT_EQ(x.w.k(), 3e11);
    EXPECT_EQ(x.w.weighting(), Weighting::On);
    const cli::JsonMembers m = cli::ResultsJsonMembers(x.w, x.platform.messages);
    EXPECT_EQ(Keys(m), (std::vector<std::string>{"plotType", "qOrder", "cOrder", "smoothing", "weighting", "k", "MwC",
                                                 "MwQ2", "RgNm", "S2Cm2", "A2", "relErrPercent", "resultLines",
                                                 "concentrations", "lines", "messages"}));
    const auto value = [&](const std::string& key) { return Value(m, key); };
    EXPECT_EQ(value("qOrder"), "1");
    EXPECT_EQ(value("cOrder"), "2");
    EXPECT_EQ(value("weighting"), "true");
    EXPECT_EQ(value("smoothing"), "false");
    EXPECT_EQ(value("k"), "300000000000");
    EXPECT_EQ(value("MwQ2"), json::number(*x.w.results().mwQ2));
    EXPECT_EQ(value("messages"), "[]");
    EXPECT_TRUE(std::regex_match(value("relErrPercent"),
                                 std::regex(R"(\{"P1": [0-9.e-]+, "P2": [0-9.e-]+, "P3": [0-9.e-]+, "P4": [0-9.e-]+\})")))
        << value("relErrPercent");
    const std::string concs = value("concentrations");
    EXPECT_EQ(concs.substr(0, 73), "[{\"index\": 1, \"cGPerCm3\": 0.001, \"source\": \"/data/series/sample1.sta\", \"M");
    EXPECT_NE(concs.find("\"DzApp\": null, \"CS2App\": null, \"RhNm\": null, \"coefficients\": ["), std::string::npos);
    const std::string lines = value("lines");
    EXPECT_TRUE(std::regex_match(lines, std::regex(R"(\{"cToZero": \{"coefficients": \[\S+, \S+\], "errors": \[\S+, \S+\]\}, )"
                                                   R"("qToZero": \{"coefficients": \[\S+, \S+, \S+\], "errors": \[\S+, \S+, \S+\]\}\})")))
        << lines;
}

TEST(ResultsJson, DynamicKeysAndMissingValuesAreNull) {
    AnalysedWindow x;
    cli::ApplyAnalysisOptions(x.w, ParseAnalysisOptions({"--plot", "d3", "--q-order", "1", "--smooth"}));
    cli::JsonMembers m = cli::ResultsJsonMembers(x.w, x.platform.messages);
    const std::vector<std::string> keys = Keys(m);
    EXPECT_EQ(std::vector<std::string>(keys.begin() + 6, keys.begin() + 10),
              (std::vector<std::string>{"DzC", "DzQ2", "CS2", "kD"}));
    for (const char* key : {"DzC", "DzQ2", "CS2", "kD"}) EXPECT_EQ(Value(m, key), "null") << key;  // no c order
    EXPECT_EQ(Value(m, "smoothing"), "true");
    EXPECT_EQ(Value(m, "relErrPercent"), R"({"P1": null, "P2": null, "P3": null, "P4": null})");
    EXPECT_EQ(Value(m, "resultLines"), R"(["", "", "", ""])");
    EXPECT_EQ(Value(m, "lines"),
              R"({"cToZero": {"coefficients": [], "errors": []}, "qToZero": {"coefficients": [], "errors": []}})");
    x.w.OnBerechnungC1();
    m = cli::ResultsJsonMembers(x.w, x.platform.messages);
    EXPECT_NE(Value(m, "kD"), "null");
    EXPECT_TRUE(std::regex_match(Value(m, "resultLines"),
                                 std::regex(R"(\["Dz\(c\): \S+ µm²/s", "Dz\(q²\): \S+ µm²/s", "C<S²>: \S+ µm²", "kD: \S+ dm³/g"\])")))
        << Value(m, "resultLines");
    AnalysisOptions bad;
    bad.deactivate = {{5, 1}};
    EXPECT_THROW(cli::ApplyAnalysisOptions(x.w, bad), cli::UsageError);
}

TEST(BatchFormFactor, CurvesAsJsonAndItsErrors) {
    auto r = test::RunBatch({"formfactor", "--model", "coil-md,rod", "--representation", "6", "--rg", "25,5"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(r.err.empty());
    EXPECT_EQ(r.out.rfind("{\"representation\": 6, \"rgNm\": 25.5, \"mwGPerMol\": null,", 0), 0u) << r.out.substr(0, 80);
    EXPECT_NE(r.out.find("\"label\": \"Thin rod, L = 88.33 nm\""), std::string::npos);
    std::size_t points = 0;
    for (auto pos = r.out.find("{\"q\": "); pos != std::string::npos; pos = r.out.find("{\"q\": ", pos + 1)) ++points;
    EXPECT_EQ(points, 202u);  // 101 per curve
    // The grid ends at u = 5 without data: the x range of 1/Pz over u² ends at 25.
    EXPECT_TRUE(std::regex_search(r.out, std::regex(R"("ranges": \{"xMin": 0, "xMax": 25(\.0000000000000\d*)?, )")))
        << r.out.substr(r.out.size() - 200);

    test::TempDir dir;
    const std::string ffu = dir.file("p.FFU");
    test::WriteFile(ffu, "0.001 1\n0.002 0.9\n");
    r = test::RunBatch({"formfactor", "--model", "user:" + ffu, "--representation", "1", "--rg", "30"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "ZEBStat: Information: Less than 4 data pairs !\nCould not load !\n" + ffu + ": 2 data pairs\n");
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"formfactor", "--model", "coil-md", "--representation", "13", "--rg", "30"},
             {"formfactor", "--model", "coil-md", "--representation", "1"},
             {"formfactor", "--model", "coil-md", "--representation", "1", "--rg", "-3"},
             {"formfactor", "--model", "disc", "--representation", "1", "--rg", "3"},
             {"formfactor", "--model", "coil-md", "--representation", "1", "--rg", "3", "--conc", "1"},
             {"formfactor", "--model", "coil-md", "--representation", "1", "--rg", "3", "--q-order", "1"}}) {
        r = test::RunBatch(args);
        EXPECT_EQ(r.status, 2) << args[3];
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    }
}

using test::Example;

TEST(BatchFormFactor, MeasuredPointsOfAFileFollowTheCoilOfItsModel) {
    // The large coil (Rg 40 nm) extrapolated to c = 0: 1/Pz = Kc/R(c -> 0) Mw over q²,
    // Mw being the evaluation's Mw(q²) unless given.
    auto r = test::RunBatch({"formfactor", "--model", "coil-md", "--representation", "1", "--rg", "40", "--data",
                             Example("ps-toluene.sta"), "--conc", "0", "--q-order", "2", "--c-order", "1"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto eval = test::RunBatch({"eval", "--q-order", "2", "--c-order", "1", "--json", Example("ps-toluene.sta")});
    const test::JsonValue j = test::JsonReader::Parse(r.out), e = test::JsonReader::Parse(eval.out);
    EXPECT_EQ(j["mwGPerMol"].num(), e["MwQ2"].num());
    EXPECT_EQ(j["dataLabel"].text, "Conc. c -> 0");
    const auto& measured = j["measured"].items;
    ASSERT_EQ(measured.size(), 13u);
    const double rgCm = 40e-7;
    for (const auto& p : measured) {
        const double x = p["x"].num() * rgCm * rgCm;  // q² Rg²
        const double debye = 2.0 * (std::exp(-x) + x - 1.0) / (x * x);
        EXPECT_NEAR(p["y"].num() * debye, 1.0, 0.02) << "angle " << p["angle"].num();
        EXPECT_GT(p["error"].num(), 0.0);
    }
    // The grid ends at the largest q of the file.
    EXPECT_NEAR(j["qMax"].num() * j["qMax"].num() / 8.2345e10, 1.0, 1e-4);

    // One concentration: its Mw(app) as the evaluation rounded it, or the Mw given.
    r = test::RunBatch({"formfactor", "--model", "rod", "--representation", "12", "--rg", "40", "--data",
                        Example("ps-toluene.sta"), "--conc", "2", "--q-order", "1"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto e1 = test::JsonReader::Parse(
        test::RunBatch({"eval", "--q-order", "1", "--json", Example("ps-toluene.sta")}).out);
    EXPECT_EQ(test::JsonReader::Parse(r.out)["mwGPerMol"].num(), e1["concentrations"][1]["MwApp"].num());
    EXPECT_EQ(test::JsonReader::Parse(r.out)["dataLabel"].text, "c = 1.0000 g/dm³");
    r = test::RunBatch({"formfactor", "--model", "rod", "--representation", "12", "--rg", "40", "--mw", "7e5", "--data",
                        Example("ps-toluene.sta"), "--conc", "2"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(test::JsonReader::Parse(r.out)["mwGPerMol"].num(), 7e5);
}

TEST(BatchFormFactor, DataOptionsThatCannotWork) {
    const std::string file = Example("ps-toluene.sta");
    struct Case {
        std::vector<std::string> extra;
        int status;
        const char* err;
    };
    for (const Case& k : std::vector<Case>{
             {{"--conc", "0"}, 2, "zebstat-batch: --conc 0 needs --mw or a --q-order and a --c-order of at least 1\n"},
             {{"--conc", "1"}, 2, "zebstat-batch: --conc 1 needs --mw or a --q-order of at least 1 that fits this concentration\n"},
             {{"--conc", "5", "--q-order", "1"}, 2, "zebstat-batch: --conc 5: the file has concentrations 1..4 (0: extrapolated to c = 0)\n"},
             {{"--conc", "1", "--plot", "d1"}, 2, "zebstat-batch: formfactor compares the static plot types zimm, berry, guinier\n"},
             {{"--conc", "1", "--json"}, 2, "zebstat-batch: unknown option --json\n"}}) {
        std::vector<std::string> args = {"formfactor", "--model", "coil-pd", "--representation", "3", "--rg", "30",
                                         "--data", file};
        args.insert(args.end(), k.extra.begin(), k.extra.end());
        const auto r = test::RunBatch(args);
        EXPECT_EQ(r.status, k.status) << k.extra[0];
        EXPECT_EQ(r.err, k.err);
        EXPECT_EQ(r.out, "");
    }
    const auto missing = test::RunBatch({"formfactor", "--model", "coil-pd", "--representation", "3", "--rg", "30",
                                         "--data", "/nonexistent/x.sta", "--conc", "1", "--mw", "1e6"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "ZEBstat Error: This file cannot be opened.\n/nonexistent/x.sta: No such file or directory\n");
}

} // namespace
} // namespace zeb
