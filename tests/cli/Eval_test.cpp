#include "ExampleData.h"
#include "cli/ReferenceEvaluation.h"
#include "support/JsonReader.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <regex>

namespace zeb {
namespace {

using test::RunBatch;

using test::Example;

int Count(const std::string& text, const std::string& what) {
    int n = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

TEST(BatchEval, DumpPrintsTheSetOfAllFiles) {
    const auto r = RunBatch({"eval", "--dump", Example("ps-toluene.sta"), Example("ps-static.sta")});
    ASSERT_EQ(r.status, 0) << r.err;
    // The static file has no Dapp: one warning, also on stderr as FILE: CAPTION: TEXT;
    // then that it is another sample.
    const std::string file = Example("ps-static.sta");
    EXPECT_EQ(r.err.rfind(file + ": ZEBstat: Information: Missing or negative measurement values, ignored, any way.\n" +
                              file + ": ZEBStat: Information: The added file differs from the data loaded before",
                          0),
              0u)
        << r.err;
    const std::regex head(R"(^\{"sampleName": "PS 4.0e5 in toluene", "solventName": "", "lastConcIndex": 9, )"
                          R"("lastAngleIndex": 13, "concentrations": \[\{"index": 1, "cGPerCm3": 0.0005000000237487256\d*, )"
                          R"("viscosity": 0.55199998617172241, "temperature": 298.14999389648438, "source": ")");
    EXPECT_TRUE(std::regex_search(r.out, head)) << r.out.substr(0, 400);
    EXPECT_NE(r.out.find("\"source\": \"" + Example("ps-static.sta") + "\"}"), std::string::npos);
    EXPECT_NE(r.out.find("\"q2PerCm2\": [0, 5912109"), std::string::npos);
    // every existing cell: (9 + 1) columns × (13 + 1) rows
    EXPECT_EQ(Count(r.out, "{\"c\": "), 10 * 14);
    EXPECT_NE(r.out.find("\"messages\": [{\"caption\": \"ZEBstat: Information\", \"text\": \"Missing or negative measurement values, ignored, any way.\", \"file\": \"" + file + "\"}"),
              std::string::npos);
    EXPECT_EQ(r.out.back(), '\n');
}

TEST(BatchEval, EveryMessageNamesItsFile) {
    test::TempDir dir;
    const std::string sta = test::ReadFile(Example("ps-toluene.sta"));
    const struct {
        const char* name;
        std::string bytes;
        const char* text;
    } files[] = {
        {"header-only.sta", sta.substr(0, 200), "ZEBStat: Information: File doesn 't contain any data record !\n"},
        {"dls.sta", "DASC" + std::string(300, ' '),
         "ZEBstat Error: No SLS data ! File containes DLS correlation data.\nCan not load !\n"},
    };
    for (const auto& f : files) {
        const std::string path = dir.file(f.name);
        test::WriteFile(path, f.bytes);
        const auto r = RunBatch({"eval", "--results", path});
        EXPECT_EQ(r.status, 1) << f.name;
        EXPECT_EQ(r.err, path + ": " + f.text) << f.name;
        EXPECT_EQ(test::ReadFile(path), f.bytes) << "the input stays as it was";
    }
}

TEST(BatchEval, StatusTellsFailedLoadsAndBadUsage) {
    const auto missing = RunBatch({"eval", "--dump", Example("ps-toluene.sta"), "/nonexistent/x.sta"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "/nonexistent/x.sta: ZEBstat Error: This file cannot be opened.\n/nonexistent/x.sta: No such file or directory\n");
    EXPECT_EQ(missing.out, "");
    EXPECT_EQ(RunBatch({"eval", "/nonexistent/y.asc"}).status, 1);
    EXPECT_EQ(RunBatch({"eval", "--dump"}).status, 2);
    const auto unknown = RunBatch({"eval", "--frobnicate", Example("ps-toluene.sta")});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_NE(unknown.err.find("unknown option --frobnicate"), std::string::npos);
}

TEST(BatchEval, EveryExampleLoads) {
    for (const char* name : {"ps-toluene.sta", "ps-static.sta", "ps-tarn.plt", "ps-toluene.plx", "ps-small.asc"}) {
        const auto r = RunBatch({"eval", Example(name)});
        EXPECT_EQ(r.status, 0) << name << ": " << r.err;
    }
}

TEST(ExampleFiles, CommittedFilesAreWhatTheGeneratorWrites) {
    for (const auto& name : examples::ExampleFileNames())
        EXPECT_TRUE(test::ReadFile(Example(name)) == examples::ExampleFile(name))
            << name << ": run build/bin/zebstat-make-examples examples";
}

} // namespace
} // namespace zeb

namespace zeb {
namespace {

using test::JsonReader;
using test::JsonValue;

// Each output line of eval --json and --dump is one JSON object.
std::vector<JsonValue> JsonLines(const std::string& out) {
    std::vector<JsonValue> values;
    std::size_t start = 0;
    for (auto nl = out.find('\n'); nl != std::string::npos; start = nl + 1, nl = out.find('\n', start))
        values.push_back(JsonReader::Parse(out.substr(start, nl - start)));
    EXPECT_EQ(start, out.size()) << "output does not end with a line end";
    return values;
}

// |value / truth - 1| within what the files' noise allows (0.3 % on Kc/R, 1 %
// on each Dapp, 3 or 4 concentrations): the slopes over c of three or four
// points scatter by tens of percent.
void NearTruth(const JsonValue& j, const char* key, double truth, double tolerance, const std::string& where) {
    ASSERT_FALSE(j[key].isNull()) << where << " " << key;
    EXPECT_LE(std::fabs(j[key].num() / truth - 1.0), tolerance)
        << where << " " << key << " = " << j[key].num() << ", true " << truth;
}

TEST(BatchEval, ExampleFilesGiveTheirModelsWithinTheNoise) {
    // Zimm, q order 2 (the coil's curvature), c order 1: Mw, Rg and A2 of the models.
    struct Case {
        const char* file;
        double mw, rgNm, a2, rgTolerance;  // the small coil's Rg rests on a slight slope
    };
    for (const Case& k : {Case{"ps-toluene.sta", 1.0e6, 40, 3.0e-7, 0.05}, Case{"ps-static.sta", 4.0e5, 22, 4.5e-7, 0.2},
                          Case{"ps-tarn.plt", 1.0e6, 40, 3.0e-7, 0.05}, Case{"ps-toluene.plx", 1.0e6, 40, 3.0e-7, 0.05},
                          Case{"ps-small.asc", 4.0e5, 22, 4.5e-7, 0.2}}) {
        const auto r = RunBatch({"eval", "--q-order", "2", "--c-order", "1", "--json", Example(k.file)});
        ASSERT_EQ(r.status, 0) << k.file << ": " << r.err;
        const auto lines = JsonLines(r.out);
        ASSERT_EQ(lines.size(), 1u);
        const JsonValue& j = lines[0];
        NearTruth(j, "MwC", k.mw, 0.015, k.file);
        NearTruth(j, "MwQ2", k.mw, 0.015, k.file);
        NearTruth(j, "RgNm", k.rgNm, k.rgTolerance, k.file);
        NearTruth(j, "A2", k.a2, 0.04, k.file);
    }
    // D-I .. D-III, q order 1, c order 1: Dz = 1.465e-7 cm²/s, C<S²> = 2.7e-12 cm², kD = 40 cm³/g.
    for (const char* file : {"ps-toluene.sta", "ps-toluene.plx"})
        for (const char* plot : {"d1", "d2", "d3"}) {
            const auto r = RunBatch({"eval", "--plot", plot, "--q-order", "1", "--c-order", "1", "--json", Example(file)});
            ASSERT_EQ(r.status, 0) << file << ": " << r.err;
            const JsonValue j = JsonReader::Parse(r.out);
            const std::string where = std::string(file) + " " + plot;
            NearTruth(j, "DzC", 14.65, 0.02, where);
            NearTruth(j, "DzQ2", 14.65, 0.02, where);
            NearTruth(j, "CS2", 2.7e-4, 0.25, where);
            NearTruth(j, "kD", 0.040, 0.6, where);
            // Stokes-Einstein from the apparent Dz of each concentration: the model's 27.0 nm
            // divided by (1 + kD c).
            for (const auto& c : j["concentrations"].items)
                EXPECT_NEAR(c["RhNm"].num() / (27.0 / (1.0 + 40.0 * c["cGPerCm3"].num())), 1.0, 0.02) << where;
        }
}

TEST(BatchEval, JsonAndDumpOfOneRunAgreeWithAnIndependentEvaluation) {
    // The set as --dump prints it (after the deactivation) is evaluated again
    // independently and must give the numbers --json printed.
    for (const char* file : {"ps-toluene.sta", "ps-tarn.plt"})
        for (int type = 1; type <= 6; ++type) {
            const char* plots[] = {"", "zimm", "berry", "guinier", "d1", "d2", "d3"};
            const auto r = RunBatch({"eval", "--plot", plots[type], "--q-order", "2", "--c-order", "1", "--smooth",
                                     "--weight", "--deactivate", "1:2,3:5", "--json", "--dump", Example(file)});
            ASSERT_EQ(r.status, 0) << r.err;
            const auto lines = JsonLines(r.out);
            ASSERT_EQ(lines.size(), 2u);
            const JsonValue &j = lines[0], &dump = lines[1];
            EXPECT_EQ(j["messages"].items.size(), dump["messages"].items.size());
            const test::RefData data = test::RefData::FromDump(dump);
            ASSERT_FALSE(data.cells[1][2].active);
            const test::RefResult ref = test::RefEvaluate(data, {type, 2, 1, true, true});
            const std::string where = std::string(file) + " " + plots[type];
            if (type >= 4 && std::string(file) == "ps-tarn.plt") {
                EXPECT_TRUE(j["DzC"].isNull()) << where;  // no dynamic data in a TARN file
                continue;
            }
            const auto expectNear = [&](const char* key, const std::optional<test::LD>& v) {
                ASSERT_TRUE(v.has_value()) << where << " " << key;
                EXPECT_NEAR(j[key].num() / static_cast<double>(*v), 1.0, 1e-7) << where << " " << key;
            };
            if (type <= 3) {
                expectNear("MwC", ref.mwC);
                expectNear("MwQ2", ref.mwQ2);
                expectNear("RgNm", ref.rgNm);
                expectNear("A2", ref.a2);
            } else {
                expectNear("DzC", ref.dzC);
                expectNear("DzQ2", ref.dzQ2);
                expectNear("CS2", ref.cs2);
                expectNear("kD", ref.kD);
            }
            for (std::size_t i = 0; i < 4; ++i) {
                const char* p[] = {"P1", "P2", "P3", "P4"};
                // No spare point on an unweighted line: its errors are not known.
                if (!ref.relErrPercent[i]) {
                    EXPECT_TRUE(j["relErrPercent"][p[i]].isNull()) << where << " " << p[i];
                    continue;
                }
                EXPECT_NEAR(j["relErrPercent"][p[i]].num() / static_cast<double>(*ref.relErrPercent[i]), 1.0, 1e-7)
                    << where << " " << p[i];
            }
        }
}

TEST(BatchEval, ResultsTextThenJson) {
    const auto r = RunBatch({"eval", "--q-order", "1", "--c-order", "1", "--results", "--json", Example("ps-toluene.plx")});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string head = "4.22 11/98\r\nStatic Light Scattering, results of Zimm-Plot, q²-dep.: 1,  c-dep.: 1\r\n";
    ASSERT_EQ(r.out.substr(0, head.size()), head);
    // The text ends with the result lines and their errors; the JSON object follows on its own line.
    const auto json = r.out.rfind("\n{\"plotType\": 1, ");
    ASSERT_NE(json, std::string::npos);
    const JsonValue j = JsonReader::Parse(r.out.substr(json + 1));
    const std::string text = r.out.substr(0, json);
    for (const auto& line : j["resultLines"].items) EXPECT_NE(text.find(line.text + " (± "), std::string::npos) << line.text;
    // One row per concentration file and the extrapolated row.
    EXPECT_EQ(Count(text, "ps1e6-toluene-c"), 3);
    EXPECT_EQ(Count(text, "Conc.=0       \t    0.0000\t"), 1);
}

} // namespace
} // namespace zeb
