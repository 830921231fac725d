// zebstat-batch series: a manifest of every plot type gives rows whose numbers
// are eval --json's, in the manifest's order with several jobs, failed rows
// with their errors among them; a malformed manifest stops before anything
// runs. Beside it, eval's warning about files of different samples and its
// results text when nothing else is asked for.
#include "support/JsonReader.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <sstream>

namespace zeb {
namespace {

using test::Example;
using test::JsonReader;
using test::JsonValue;
using test::RunBatch;

std::vector<JsonValue> Rows(const std::string& jsonLines) {
    std::vector<JsonValue> rows;
    std::istringstream in(jsonLines);
    for (std::string line; std::getline(in, line);) rows.push_back(JsonReader::Parse(line));
    return rows;
}

TEST(BatchSeries, EveryPlotTypeGivesEvalsNumbersInTheManifestsOrder) {
    test::TempDir dir;
    const std::string sta = Example("ps-toluene.sta"), plx = Example("ps-toluene.plx"), asc = Example("ps-small.asc");
    struct Row {
        std::string group, files, options;        // as the manifest gives them
        std::vector<std::string> eval;             // the same as eval's options
    };
    const std::vector<Row> rows = {
        {"zimm", sta, "zimm,1,1,,", {"--plot", "zimm", "--q-order", "1", "--c-order", "1"}},
        {"berry", sta, "berry,2,1,yes,", {"--plot", "berry", "--q-order", "2", "--c-order", "1", "--smooth"}},
        {"guinier", plx, "guinier,1,2,,yes", {"--plot", "guinier", "--q-order", "1", "--c-order", "2", "--weight"}},
        {"d1", sta, "d1,1,1,,", {"--plot", "d1", "--q-order", "1", "--c-order", "1"}},
        {"d2", sta, "d2,2,1,,", {"--plot", "d2", "--q-order", "2", "--c-order", "1"}},
        {"d3", sta, "d3,,,,", {"--plot", "d3", "--q-order", "1", "--c-order", "2"}},  // the series' orders
        {"two files", asc + ";" + plx, ",,,,", {"--q-order", "1", "--c-order", "2"}},
    };
    std::string manifest = "group,files,plot,q_order,c_order,smooth,weight\n";
    for (const Row& r : rows) manifest += "\"" + r.group + "\",\"" + r.files + "\"," + r.options + "\n";
    manifest += "missing,gone.sta,,,,,\n";
    manifest += "zimm,gone.sta,,,,,\n";  // a repeated group
    manifest += "bad plot,x.sta,kratky,,,,\n";
    test::WriteFile(dir.file("series.csv"), manifest);

    const auto r = RunBatch({"series", "--manifest", dir.file("series.csv"), "--format", "jsonl", "--jobs", "2",
                             "--q-order", "1", "--c-order", "2", "--ci"});
    EXPECT_EQ(r.status, 1) << r.err;  // rows failed
    EXPECT_EQ(r.err, "") << "no progress bar when standard error is no terminal";
    const std::vector<JsonValue> got = Rows(r.out);
    ASSERT_EQ(got.size(), rows.size() + 3);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const JsonValue& row = got[i];
        EXPECT_EQ(row["group"].text, rows[i].group);
        ASSERT_EQ(row["status"].text, "ok") << rows[i].group << ": " << row["error"].text;
        std::vector<std::string> args = {"eval", "--json"};
        args.insert(args.end(), rows[i].eval.begin(), rows[i].eval.end());
        std::istringstream files(rows[i].files);
        for (std::string f; std::getline(files, f, ';');) args.push_back(f);
        const auto eval = RunBatch(args);
        ASSERT_EQ(eval.status, 0) << eval.err;
        const JsonValue j = JsonReader::Parse(eval.out);
        const bool dynamic = rows[i].group[0] == 'd' && rows[i].group[1] != 'u';
        for (const char* key : dynamic ? std::vector<const char*>{"DzC", "DzQ2", "CS2", "kD"}
                                       : std::vector<const char*>{"MwC", "MwQ2", "RgNm", "A2"}) {
            EXPECT_EQ(row[key].isNull(), j[key].isNull()) << rows[i].group << " " << key;
            if (!j[key].isNull()) {
                EXPECT_EQ(row[key].num(), j[key].num()) << rows[i].group << " " << key;
            }
        }
        for (const char* p : {"P1", "P2", "P3", "P4"}) {
            if (!j["relErrPercent"][p].isNull()) {
                EXPECT_EQ(row[std::string("relErr") + p].num(), j["relErrPercent"][p].num()) << rows[i].group;
            }
        }
        // The intervals by propagation as eval --json gives them.
        for (const auto& [key, bounds] : j["ci95"]["propagation"].members) {
            if (key == "notDetermined") continue;
            for (std::size_t b = 0; b < 2; ++b) {
                const JsonValue& cell = row[key + (b == 0 ? "_ci95_low" : "_ci95_high")];
                if (bounds.isNull()) EXPECT_TRUE(cell.isNull()) << rows[i].group << " " << key;
                else EXPECT_EQ(cell.num(), bounds.items.at(b).num()) << rows[i].group << " " << key;
            }
        }
        EXPECT_EQ(row["k"].num(), j["k"].num());
        EXPECT_EQ(row["qOrder"].num(), j["qOrder"].num());
        EXPECT_EQ(row["cOrder"].num(), j["cOrder"].num());
        EXPECT_EQ(row["messages"].items.size(), j["messages"].items.size()) << rows[i].group;
    }
    EXPECT_EQ(got[6]["concentrations"].num(), 4 + 3);  // both files in one measurement
    EXPECT_EQ(got[0]["sample"].text, "PS 1.0e6 in toluene");
    EXPECT_EQ(got[0]["wavelengthNm"].num(), 632.8);
    EXPECT_EQ(got[rows.size()]["status"].text, "failed");
    EXPECT_NE(got[rows.size()]["error"].text.find("This file cannot be opened."), std::string::npos);
    EXPECT_EQ(got[rows.size() + 1]["error"].text, "the group name \"zimm\" is used by an earlier row");
    EXPECT_EQ(got[rows.size() + 2]["error"].text, "plot must be zimm, berry, guinier, d1, d2 or d3, not \"kratky\"");
}

TEST(BatchSeries, FoldersPatternsAndTheTablesFormats) {
    test::TempDir dir;
    for (const char* name : {"ps-toluene.sta", "ps-small.asc", "ps-tarn.plt"})
        test::WriteFile(dir.file(name), test::ReadFile(Example(name)));
    test::WriteFile(dir.file("notes.txt"), "not a measurement");
    auto r = RunBatch({"series", dir.path().string(), "--q-order", "1", "--c-order", "1"});
    EXPECT_EQ(r.status, 0) << r.err;
    std::istringstream lines(r.out);
    std::string header, line;
    std::getline(lines, header);
    EXPECT_EQ(header.rfind("group,files,sample,solvent,wavelengthNm,temperatureK,concentrations,angles,plot,", 0), 0u);
    EXPECT_EQ(header.find("ci95"), std::string::npos) << "the intervals only with --ci";
    std::vector<std::string> groups;
    while (std::getline(lines, line)) groups.push_back(line.substr(0, line.find(',')));
    EXPECT_EQ(groups, (std::vector<std::string>{dir.file("ps-small.asc"), dir.file("ps-tarn.plt"),
                                                dir.file("ps-toluene.sta")}));
    r = RunBatch({"series", "--format", "tsv", dir.file("*.sta"), dir.file("*.none")});
    EXPECT_EQ(r.status, 1);
    const std::string tsv = r.out;
    EXPECT_NE(tsv.find("group\tfiles\t"), std::string::npos);
    EXPECT_NE(tsv.find(dir.file("ps-toluene.sta") + "\t"), std::string::npos);
    EXPECT_NE(tsv.find("no file matches the pattern"), std::string::npos);
}

TEST(BatchSeries, UsageErrorsStopBeforeAnythingRuns) {
    test::TempDir dir;
    test::WriteFile(dir.file("bad.csv"), "group,files,colour\nA,a.sta,red\n");
    test::WriteFile(dir.file("open.csv"), "group,files\n\"A,a.sta\n");
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"series", "--manifest", dir.file("bad.csv")},
             {"series", "--manifest", dir.file("open.csv")},
             {"series", "--manifest", dir.file("bad.csv"), Example("ps-toluene.sta")},
             {"series", "--format", "xlsx", Example("ps-toluene.sta")},
             {"series", "--jobs", "0", Example("ps-toluene.sta")},
             {"series", "--deactivate", "1:1", Example("ps-toluene.sta")},
             {"series", "--bogus", Example("ps-toluene.sta")}}) {
        const auto r = RunBatch(args);
        EXPECT_EQ(r.status, 2) << args.back();
        EXPECT_EQ(r.out, "") << args.back();
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    }
    EXPECT_EQ(RunBatch({"series", "--manifest", dir.file("missing.csv")}).status, 1);
}

TEST(BatchEval, FilesOfDifferentSamplesAreToldAndEvaluatedAllTheSame) {
    const auto r = RunBatch({"eval", "--json", Example("ps-toluene.sta"), Example("ps-static.sta")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("The added file differs from the data loaded before; its data are added all the same:\n"),
              std::string::npos)
        << r.err;
    EXPECT_NE(r.err.find("sample name \"PS 4.0e5 in toluene\" (before: \"PS 1.0e6 in toluene\")"), std::string::npos);
    EXPECT_EQ(JsonReader::Parse(r.out)["concentrations"].items.size(), 4u + 5u);
    // One sample in two files: nothing to tell.
    test::TempDir dir;
    test::WriteFile(dir.file("a.sta"), test::ReadFile(Example("ps-toluene.sta")));
    const auto same = RunBatch({"eval", "--json", Example("ps-toluene.sta"), dir.file("a.sta")});
    EXPECT_EQ(same.err.find("differs"), std::string::npos) << same.err;
}

TEST(BatchEval, WithoutAnOutputOptionItPrintsTheResultsText) {
    const auto plain = RunBatch({"eval", "--q-order", "1", "--c-order", "1", Example("ps-toluene.sta")});
    const auto asked = RunBatch({"eval", "--q-order", "1", "--c-order", "1", "--results", Example("ps-toluene.sta")});
    ASSERT_EQ(plain.status, 0);
    EXPECT_EQ(plain.out, asked.out);
    EXPECT_NE(plain.out.find("results of Zimm-Plot"), std::string::npos);
    test::TempDir dir;
    const auto svg = RunBatch({"eval", "--plot-file", dir.file("c.svg"), Example("ps-toluene.sta")});
    EXPECT_EQ(svg.out, "") << "a chart file is output enough";
}

} // namespace
} // namespace zeb
