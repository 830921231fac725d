// zebstat-batch's uncertainty: --json holds ci95 and advice, --ci adds the
// intervals to the results text, --bootstrap and --seed choose the resamples,
// --fit-form-factors the models, --chart residuals draws the residuals.
#include "support/JsonReader.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace zeb {
namespace {

using test::Example;
using test::JsonReader;
using test::RunBatch;

TEST(BatchUncertainty, JsonAndTextCarryTheIntervalsAndTheSeedRepeatsThem) {
    const std::vector<std::string> base = {"eval", "--q-order", "1", "--c-order", "1", Example("ps-toluene.sta")};
    auto with = [&](std::vector<std::string> extra) {
        std::vector<std::string> args = base;
        args.insert(args.begin() + 1, extra.begin(), extra.end());
        return RunBatch(args);
    };
    const auto a = with({"--json"}), b = with({"--json"}), other = with({"--json", "--seed", "7"});
    ASSERT_EQ(a.status, 0) << a.err;
    EXPECT_EQ(a.out, b.out) << "the same seed gives the same intervals";
    const test::JsonValue j = JsonReader::Parse(a.out), k = JsonReader::Parse(other.out);
    EXPECT_EQ(j["ci95"]["propagation"]["RgNm"].numbers(), k["ci95"]["propagation"]["RgNm"].numbers());
    EXPECT_NE(j["ci95"]["bootstrapBCa"]["RgNm"].numbers(), k["ci95"]["bootstrapBCa"]["RgNm"].numbers());
    EXPECT_EQ(j["ci95"]["bootstrap"]["resamples"].num(), 2000);
    EXPECT_TRUE(j["advice"].items.empty());
    EXPECT_TRUE(JsonReader::Parse(with({"--json", "--bootstrap", "0"}).out)["ci95"]["bootstrapBCa"].isNull());

    const auto text = with({"--ci", "--bootstrap", "300"});
    const auto plain = with({"--results"});
    ASSERT_EQ(text.status, 0);
    EXPECT_EQ(text.out.rfind(plain.out.substr(0, plain.out.size() - 1), 0), 0u) << "the results text stays as it is";
    EXPECT_NE(text.out.find("95 % confidence intervals"), std::string::npos);
    EXPECT_NE(text.out.find("Bootstrap: 300 of 300 resamples (seed 1)"), std::string::npos);
    for (const auto& bad : std::vector<std::vector<std::string>>{{"--bootstrap", "-1"}, {"--seed", "x"},
                                                                 {"--fit-form-factors", "blob"}, {"--chart", "pie"}})
        EXPECT_EQ(with(bad).status, 2) << bad[0];
}

TEST(BatchUncertainty, FormFactorFitsNameTheBestModelAndTheResidualChartIsDrawn) {
    const auto r = RunBatch({"eval", "--q-order", "1", "--c-order", "1", "--json", "--fit-form-factors", "coil-md,sphere",
                             Example("ps-toluene.sta")});
    ASSERT_EQ(r.status, 0) << r.err;
    const test::JsonValue fits = JsonReader::Parse(r.out)["formFactorFits"];
    ASSERT_EQ(fits["models"].items.size(), 2u);
    // The example is a coil of Rg 40 nm: the coil fits it better than the sphere,
    // and its Rg interval holds 40 nm where the Zimm plot of order 1 does not.
    EXPECT_EQ(fits["best"].text, "coil-md");
    const auto rg = fits["models"][0]["RgInterval"].numbers();
    ASSERT_EQ(rg.size(), 2u);
    EXPECT_TRUE(rg[0] < 40.0 && 40.0 < rg[1]) << rg[0] << " .. " << rg[1];
    EXPECT_GT(JsonReader::Parse(r.out)["ci95"]["propagation"]["RgNm"].numbers()[0], 40.0);

    test::TempDir dir;
    const auto chart = RunBatch({"eval", "--q-order", "1", "--c-order", "1", "--chart", "residuals", "--plot-file",
                                 dir.file("r.svg"), Example("ps-toluene.sta")});
    ASSERT_EQ(chart.status, 0) << chart.err;
    const std::string svg = test::ReadFile(dir.file("r.svg"));
    EXPECT_NE(svg.find("Residual of Kc/R"), std::string::npos);
    EXPECT_NE(svg.find("q² × µm²"), std::string::npos);
}

} // namespace
} // namespace zeb
