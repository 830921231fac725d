#include "ExampleData.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <regex>

namespace zeb {
namespace {

using test::RunBatch;

std::string Example(const std::string& name) { return std::string(ZEBSTAT_SOURCE_DIR) + "/examples/" + name; }

int Count(const std::string& text, const std::string& what) {
    int n = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

TEST(BatchEval, DumpPrintsTheSetOfAllFiles) {
    const auto r = RunBatch({"eval", "--dump", Example("ps-toluene.sta"), Example("ps-static.sta")});
    ASSERT_EQ(r.status, 0) << r.err;
    // The static file has no Dapp: one warning, also on stderr as CAPTION: TEXT.
    EXPECT_EQ(r.err, "ZEBstat: Information: Missing or negative measurement values, ignored, any way.\n");
    const std::regex head(R"(^\{"sampleName": "PS 4.0e5 in toluene", "solventName": "", "lastConcIndex": 9, )"
                          R"("lastAngleIndex": 13, "concentrations": \[\{"index": 1, "cGPerCm3": 0.0005000000237487256\d*, )"
                          R"("viscosity": 0.55199998617172241, "temperature": 298.14999389648438, "source": ")");
    EXPECT_TRUE(std::regex_search(r.out, head)) << r.out.substr(0, 400);
    EXPECT_NE(r.out.find("\"source\": \"" + Example("ps-static.sta") + "\"}"), std::string::npos);
    EXPECT_NE(r.out.find("\"q2PerCm2\": [0, 5912109"), std::string::npos);
    // every existing cell: (9 + 1) columns × (13 + 1) rows
    EXPECT_EQ(Count(r.out, "{\"c\": "), 10 * 14);
    EXPECT_NE(r.out.find("\"messages\": [{\"caption\": \"ZEBstat: Information\", \"text\": \"Missing or negative"),
              std::string::npos);
    EXPECT_EQ(r.out.back(), '\n');
}

TEST(BatchEval, StatusTellsFailedLoadsAndBadUsage) {
    const auto missing = RunBatch({"eval", "--dump", Example("ps-toluene.sta"), "/nonexistent/x.sta"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "ZEBstat Error: This file cannot be opened.\n");
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
