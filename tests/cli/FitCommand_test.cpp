#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <regex>

namespace zeb {
namespace {

using test::RunBatch;

TEST(BatchFit, PrintsCoefficientsErrorsAndChiSquareAsJson) {
    test::TempDir dir;
    const std::string table = dir.file("t.txt");
    test::WriteFile(table, "# x y\n\n1 3\n2 5\r\n3 7.5\n  4 8.5 \n");
    const auto r = RunBatch({"fit", "--order", "1", table});
    ASSERT_EQ(r.status, 0) << r.err;
    // Slope 9.5/5, intercept 6 - 2.5 * 1.9, chi2 0.45 from the residuals.
    const std::regex shape(
        R"(\{"coefficients": \[(\S+), (\S+)\], "errors": \[(\S+), (\S+)\], "chi2": (\S+), "reducedChi2": (\S+)\}\n)");
    std::smatch m;
    ASSERT_TRUE(std::regex_match(r.out, m, shape)) << r.out;
    EXPECT_NEAR(std::stod(m[1]), 1.25, 1e-15);
    EXPECT_NEAR(std::stod(m[2]), 1.9, 1e-15);
    EXPECT_NEAR(std::stod(m[3]), std::sqrt(0.225 * 30.0 / 20.0), 1e-15);
    EXPECT_NEAR(std::stod(m[4]), std::sqrt(0.225 / 5.0), 1e-15);
    EXPECT_NEAR(std::stod(m[5]), 0.45, 1e-15);
    EXPECT_NEAR(std::stod(m[6]), 0.225, 1e-15);
    EXPECT_GE(m[2].length(), 17u);  // 17 significant digits
}

TEST(BatchFit, WeightingUsesTheSigmaColumn) {
    test::TempDir dir;
    const std::string table = dir.file("t.txt");
    test::WriteFile(table, "1 1 0.5\n2 2 0.5\n3 3 0.5\n");
    const auto r = RunBatch({"fit", "--weight", table});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("\"chi2\": 0"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"errors\": [0.76376261582597"), std::string::npos) << r.out;
}

TEST(BatchFit, BadInputGivesOneLineAndStatusTwo) {
    test::TempDir dir;
    const std::string table = dir.file("t.txt");
    test::WriteFile(table, "1 1\n2 x\n");
    const std::vector<std::vector<std::string>> cases = {
        {"fit", dir.file("missing.txt")},
        {"fit", table},
        {"fit", "--order", "6", table},
        {"fit", "--order"},
        {"fit", "--bogus", table},
    };
    for (const auto& args : cases) {
        const auto r = RunBatch(args);
        EXPECT_EQ(r.status, 2) << args.back();
        EXPECT_TRUE(r.out.empty());
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    }
    test::WriteFile(table, "1 1\n2 2\n");
    auto r = RunBatch({"fit", "--order", "2", table});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("needs at least 3 rows"), std::string::npos) << r.err;
    test::WriteFile(table, "1 1\n1 2\n1 3\n");
    r = RunBatch({"fit", table});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("distinct x"), std::string::npos) << r.err;
    test::WriteFile(table, "1 1\n2 nan\n3 3\n");
    EXPECT_EQ(RunBatch({"fit", table}).status, 2);
    test::WriteFile(table, "1 1\n2 2\n3 3\n");
    EXPECT_EQ(RunBatch({"fit", "--weight", table}).status, 2);
    EXPECT_EQ(RunBatch({"nonsense"}).status, 2);
}

} // namespace
} // namespace zeb
