// The ASCII and scattering-ratio export texts, byte for byte.
#include "export/ExportFixture.h"
#include "export/ExportText.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zeb {
namespace {

const std::string kSources = "Data extracted from: /data/a.sta\r\n/data/b.sta\r\n";
const std::string kZimmAxis = "x=q^2/(micrometer^(-2)); y=Kc/R/(mol/g)\r\n";

struct SmallSet {
    ScriptedPlatform platform;
    MeasurementSet set{platform};
    SmallSet() { test::FillSmallSet(set); }
    DataPoint& p(int c, int a) { return *set.cell(c, a); }
    // An extrapolated cell as the calculation leaves it.
    void extrapolated(int c, int a, double y, int active = 1) {
        p(c, a).hasData = 1;
        p(c, a).active = static_cast<std::int16_t>(active);
        p(c, a).y() = y;
    }
};

TEST(AsciiExport, MeasuredPointsInListOrderAfterTheHeader) {
    SmallSet s;
    s.extrapolated(1, 0, 1.9e-6);
    // Trimmed names, each once; the inactive point (1,2) and the empty cells are left out.
    EXPECT_EQ(BuildAsciiExport(s.set, {3, 1}, 1, nullptr),
              kSources + "No of concentrations: 2\r\n" + kZimmAxis +
                  "c=  3.500E+00 g/dm^3\r\n"
                  "   1.000E+02   3.000E-06\r\n"
                  "c=  1.000E+00 g/dm^3\r\n"
                  "   0.000E+00   1.900E-06\r\n"
                  "   1.000E+02   2.000E-06\r\n");

    // A concentration without active points still names its file.
    s.p(3, 1).active = 0;
    EXPECT_EQ(BuildAsciiExport(s.set, {3}, 1, nullptr),
              kSources + "No of concentrations: 1\r\n" + kZimmAxis + "c=  3.500E+00 g/dm^3\r\n");
}

TEST(AsciiExport, ExtrapolatedValuesLeaveThePlotUnitsMeasuredOnesStayKcR) {
    SmallSet s;
    s.extrapolated(1, 0, 2e-3);  // Berry plots sqrt(Kc/R)
    const std::string berry = BuildAsciiExport(s.set, {1}, 2, nullptr);
    EXPECT_NE(berry.find("c=  1.000E+00 g/dm^3\r\n   0.000E+00   4.000E-06\r\n   1.000E+02   2.000E-06\r\n"),
              std::string::npos)
        << berry;
    s.extrapolated(1, 0, std::log(5e-6));  // Guinier plots ln(Kc/R)
    const std::string guinier = BuildAsciiExport(s.set, {1}, 3, nullptr);
    EXPECT_NE(guinier.find("   0.000E+00   5.000E-06\r\n   1.000E+02   2.000E-06\r\n"), std::string::npos)
        << guinier;
}

TEST(AsciiExport, TheCZeroGroupGivesTheInterceptAndTheExtrapolatedRow) {
    SmallSet s;
    DataPoint c0;
    c0.hasData = 1;
    c0.active = 1;
    c0.y() = 1.5e-6;
    s.extrapolated(0, 1, 1.7e-6);
    s.extrapolated(0, 2, 1.8e-6, 0);  // inactive: left out
    const std::string head = kSources + "No of concentrations: 1\r\n" + kZimmAxis + "c=  0.000E+00 g/dm^3\r\n";
    EXPECT_EQ(BuildAsciiExport(s.set, {0}, 1, &c0),
              head + "   0.000E+00   1.500E-06\r\n   1.000E+02   1.700E-06\r\n");
    c0.active = 0;
    EXPECT_EQ(BuildAsciiExport(s.set, {0}, 1, &c0), head + "   1.000E+02   1.700E-06\r\n");
    c0.active = 1;
    c0.hasData = 0;  // no intercept fitted
    EXPECT_EQ(BuildAsciiExport(s.set, {0}, 1, &c0), head + "   1.000E+02   1.700E-06\r\n");
}

TEST(AsciiExport, DynamicPlotsExportTheirDapp) {
    const char* axes[3] = {"x=q^2/(micrometer^(-2)); y=DappI/(micrometer^2/s)\r\n",
                           "x=q^2/(micrometer^(-2)); y=DappII/(micrometer^2/s)\r\n",
                           "x=q^2/(micrometer^(-2)); y=DappIII/(micrometer^2/s)\r\n"};
    const char* lines[3] = {"   1.000E+02   1.100E+01\r\n", "   1.000E+02   1.200E+01\r\n",
                            "   1.000E+02   1.300E+01\r\n"};
    SmallSet s;
    for (int type = 4; type <= 6; ++type)
        EXPECT_EQ(BuildAsciiExport(s.set, {1}, type, nullptr),
                  kSources + "No of concentrations: 1\r\n" + axes[type - 4] + "c=  1.000E+00 g/dm^3\r\n" +
                      lines[type - 4]);
}

TEST(ScatteringRatioExport, SkipsTheCZeroGroupButCountsItsPosition) {
    SmallSet s;
    const std::string expected =
        "Excess Scattering Ratio R vs q for the concentrations given below.\r\n"
        "With R = (RSolu - RSolv)/RStd*RRStd*(nSolv/nStd)**2,\r\n"
        "the refractive index term is the Hermans, Levinson correction factor.\r\n"
        "In the first column are the q-values, the next columns contain the\r\n"
        "Ratio and its error dR for each concentration, i.e.:\r\n"
        "  q R(c1) dR(c1) R(c2) dR(c2) ...\r\n"
        "q in 1/micrometer; conc. in g/dm^3 (dm^3 = litre); R in 1/m\r\n"
        "Negative R because source of data not being\r\nZEB-binary Static and Dynamic .STA-file.\r\n"
        "No. of concentrations: 2\r\n"
        "c[2] =  3.50000E+00  from file: /data/b.sta\r\n"
        "c[3] =  1.00000E+00  from file:   /data/a.sta \r\n"
        // (1,1) holds data but no R: -1 x 100; (3,2) holds nothing: -1; (1,2) is inactive but written.
        " 1.00000000E+01  1.50000E-03  1.00000E-05 -1.00000E+02 -1.00000E+02\r\n"
        " 1.58113883E+01 -1.00000E+00 -1.00000E+00  2.00000E-03  2.00000E-05\r\n";
    EXPECT_EQ(BuildScatteringRatioExport(s.set, {0, 3, 1}), expected);
}

// A point the calculation marked as having no value of the plot type shown
// (hasData 2, as static-only data in a D plot) gives -1 and -1 like a point
// without data; its R still makes the export possible.
TEST(ScatteringRatioExport, RatiosOnlyOfPointsOfThePlot) {
    SmallSet s;
    s.p(3, 1).hasData = 2;
    const std::string text = BuildScatteringRatioExport(s.set, {3, 1}).value_or("");
    EXPECT_NE(text.find("\r\n 1.00000000E+01 -1.00000E+00 -1.00000E+00 -1.00000E+02 -1.00000E+02\r\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("\r\n 1.58113883E+01 -1.00000E+00 -1.00000E+00  2.00000E-03  2.00000E-05\r\n"),
              std::string::npos)
        << text;
    EXPECT_TRUE(BuildScatteringRatioExport(s.set, {3}));
}

TEST(ScatteringRatioExport, NothingWithoutAnRatioOfZeroOrMore) {
    SmallSet s;
    EXPECT_FALSE(BuildScatteringRatioExport(s.set, {2}));     // data, but R never set
    EXPECT_FALSE(BuildScatteringRatioExport(s.set, {0}));     // only the c = 0 group
    EXPECT_FALSE(BuildScatteringRatioExport(s.set, {}));
    EXPECT_TRUE(BuildScatteringRatioExport(s.set, {2, 1}));  // an inactive point's R counts
    s.p(3, 1).rSample = 0.0;
    EXPECT_TRUE(BuildScatteringRatioExport(s.set, {3}));
    s.p(3, 1).hasData = 0;
    EXPECT_FALSE(BuildScatteringRatioExport(s.set, {3}));
}

} // namespace
} // namespace zeb
