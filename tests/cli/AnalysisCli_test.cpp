// The analysis options of eval, the --json object and the formfactor command.
#include "cli/AnalysisOptions.h"
#include "cli/Commands.h"
#include "export/ResultsRecord.h"
#include "plot/EvaluationView.h"
#include "platform/ScriptedPlatform.h"
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
    EXPECT_EQ(o.evaluation.plotType, PlotType::DII);
    EXPECT_EQ(o.evaluation.qOrder, FitOrder::Three);
    EXPECT_EQ(o.evaluation.cOrder, FitOrder::One);
    EXPECT_TRUE(o.evaluation.smoothing == Smoothing::On && o.evaluation.weighting == Weighting::On && o.results && o.json);
    EXPECT_EQ(o.kDisplayed, 2.5);
    EXPECT_EQ(o.evaluation.switchedOff, (std::vector<PointIndex>{{1, 2}, {3, 14}}));
    for (const auto& bad : std::vector<std::vector<std::string>>{
             {"--plot", "debye"}, {"--q-order", "6"}, {"--c-order"}, {"--k", "x"}, {"--deactivate", "1-2"},
             {"--deactivate", "1:"}, {"--deactivate", "a:1"}, {"--bogus"}})
        EXPECT_THROW(ParseAnalysisOptions(bad), cli::UsageError) << bad[0];
}

// A model set of 4 concentrations and 6 angles evaluated with the options.
struct Analysed {
    MessageLog messages;
    MeasurementSet set{messages};
    std::unique_ptr<EvaluationView> view;
    explicit Analysed(const AnalysisOptions& o) {
        test::ModelParams m;
        m.noise = 0.01;
        test::FillModelSet(set, 4, 6, m);
        view = std::make_unique<EvaluationView>(set, cli::OptionsForSet(set, o, messages));
    }
    Record results() const {
        const Evaluation& e = view->evaluation();
        return ResultsRecord(e.set, e.options, e.fits, e.results, &view->chart().axes, {});
    }
};

std::string Value(const Record& r, const std::string& key) {
    const Record* member = r.find(key);
    return member ? RecordJson(*member) : "(missing)";
}

std::vector<std::string> Keys(const Record& r) {
    std::vector<std::string> keys;
    for (const auto& [k, v] : r.members()) keys.push_back(k);
    return keys;
}

TEST(ResultsJson, StaticKeysValuesAndAppliedOptions) {
    const Analysed x(ParseAnalysisOptions({"--q-order", "1", "--c-order", "2", "--weight", "--k", "3", "--deactivate", "2:1"}));
    const Evaluation& e = x.view->evaluation();
    EXPECT_EQ(e.set.cell(2, 1)->active, 0);
    EXPECT_EQ(e.options.kInternal, 3e11);
    const Record m = x.results();
    EXPECT_EQ(Keys(m), (std::vector<std::string>{"plotType", "plotTypeName", "qOrder", "cOrder", "smoothing",
                                                 "weighting", "k", "MwC", "MwQ2", "RgNm", "S2Cm2", "A2",
                                                 "relErrPercent", "resultLines", "concentrations", "lines", "axes",
                                                 "messages"}));
    const auto value = [&](const std::string& key) { return Value(m, key); };
    EXPECT_EQ(value("plotType"), "1");
    EXPECT_EQ(value("plotTypeName"), "\"zimm\"");
    EXPECT_EQ(value("qOrder"), "1");
    EXPECT_EQ(value("cOrder"), "2");
    EXPECT_EQ(value("weighting"), "true");
    EXPECT_EQ(value("smoothing"), "false");
    EXPECT_EQ(value("k"), "300000000000");
    EXPECT_EQ(value("MwQ2"), RecordJson(Record::Number(*e.results.mwQ2)));
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
    Record m = Analysed(ParseAnalysisOptions({"--plot", "d3", "--q-order", "1", "--smooth"})).results();
    const std::vector<std::string> keys = Keys(m);
    EXPECT_EQ(std::vector<std::string>(keys.begin() + 7, keys.begin() + 11),
              (std::vector<std::string>{"DzC", "DzQ2", "CS2", "kD"}));
    EXPECT_EQ(Value(m, "plotType"), "6");
    EXPECT_EQ(Value(m, "plotTypeName"), "\"d3\"");
    for (const char* key : {"DzC", "DzQ2", "CS2", "kD"}) EXPECT_EQ(Value(m, key), "null") << key;  // no c order
    EXPECT_EQ(Value(m, "smoothing"), "true");
    EXPECT_EQ(Value(m, "relErrPercent"), R"({"P1": null, "P2": null, "P3": null, "P4": null})");
    EXPECT_EQ(Value(m, "resultLines"), R"(["", "", "", ""])");
    EXPECT_EQ(Value(m, "lines"),
              R"({"cToZero": {"coefficients": [], "errors": []}, "qToZero": {"coefficients": [], "errors": []}})");
    m = Analysed(ParseAnalysisOptions({"--plot", "d3", "--q-order", "1", "--c-order", "1", "--smooth"})).results();
    EXPECT_NE(Value(m, "kD"), "null");
    EXPECT_TRUE(std::regex_match(Value(m, "resultLines"),
                                 std::regex(R"(\["Dz\(c\): \S+ µm²/s", "Dz\(q²\): \S+ µm²/s", "C<S²>: \S+ µm²", "kD: \S+ dm³/g"\])")))
        << Value(m, "resultLines");
}

TEST(AnalysisOptions, TheDataDecidePointsAndK) {
    const auto refusal = [](const std::vector<std::string>& args) -> std::string {
        try {
            Analysed x(ParseAnalysisOptions(args));
        } catch (const cli::UsageError& e) {
            return e.text;
        }
        return "";
    };
    EXPECT_EQ(refusal({"--deactivate", "5:1"}), "--deactivate 5:1: no such point (concentrations 1..4, angles 1..6)");
    EXPECT_EQ(refusal({"--deactivate", "1:7"}), "--deactivate 1:7: no such point (concentrations 1..4, angles 1..6)");
    AnalysisOptions session;
    session.evaluation.kInternal = 1e300;  // a saved evaluation's k that these data cannot show
    EXPECT_THROW(Analysed{session}, cli::UsageError);
    // A typed k the chart cannot show is refused with the window's message; the automatic k stays.
    const Analysed typed(ParseAnalysisOptions({"--k", "1e40"}));
    ASSERT_EQ(typed.messages.messages.size(), 1u);
    EXPECT_EQ(typed.messages.messages[0].text.rfind("k is too large: the chart takes a k of at most ", 0), 0u)
        << typed.messages.messages[0].text;
    EXPECT_EQ(typed.view->evaluation().options.kInternal, AutomaticK(typed.set));
    // A typed zero is taken as 1.0 in the displayed unit.
    EXPECT_EQ(Analysed(ParseAnalysisOptions({"--k", "0"})).view->evaluation().options.kInternal, 1e11);
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
    EXPECT_EQ(missing.err, "/nonexistent/x.sta: ZEBstat Error: This file cannot be opened.\n/nonexistent/x.sta: No such file or directory\n");
}

} // namespace
} // namespace zeb
