#include "analysis/DecimalFormat.h"
#include "data/CFormat.h"
#include "analysis/NumberText.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>

namespace zeb {
namespace {

TEST(NumberText, CleanupOfPrintedNumbers) {
    EXPECT_EQ(CleanNumber("1.234e+05"), "1.234e5");
    EXPECT_EQ(CleanNumber("2.500e-003"), "2.500e-3");  // three-digit exponents lose both zeros
    EXPECT_EQ(CleanNumber("2.500e-03"), "2.500e-3");
    EXPECT_EQ(CleanNumber("1.000e+10"), "1.000e10");
    EXPECT_EQ(CleanNumber("1.e-020"), "1e-20");        // ".e" goes
    EXPECT_EQ(CleanNumber("5."), "5");                 // a final point goes
    EXPECT_EQ(CleanNumber("   4.500e+05\t"), "  4.500e5\t");  // only the first blank goes
    EXPECT_EQ(CleanNumber("Conc. 1.\t"), "Conc.1.\t");  // the first '.' is not the last character
    EXPECT_EQ(CleanNumber("---"), "---");
}

TEST(NumberText, ShortestSixDigitsAndTypedNumbers) {
    EXPECT_EQ(Gcvt6(0.035), "0.035");
    EXPECT_EQ(Gcvt6(2176.0), "2176");
    EXPECT_EQ(Gcvt6(1.5e-5), "1.5e-05");
    EXPECT_EQ(Gcvt6(1234567.0), "1.23457e+06");
    EXPECT_EQ(Gcvt6(NAN), "---");
    EXPECT_EQ(Sci3(123456.0), "1.235e+05");
    EXPECT_EQ(Sci3(INFINITY), "---");

    EXPECT_EQ(ParseTypedNumber("1,5e1"), 15.0);
    EXPECT_EQ(ParseTypedNumber("  -2.25 "), -2.25);
    EXPECT_EQ(ParseTypedNumber("1,5,3"), std::nullopt);  // only the first comma is a point
    EXPECT_EQ(ParseTypedNumber(""), std::nullopt);
    EXPECT_EQ(ParseTypedNumber("12abc"), std::nullopt);
    EXPECT_EQ(ParseTypedNumber("1e999"), std::nullopt);
    EXPECT_EQ(ParseTypedNumber("nan"), std::nullopt);
}

TEST(NumberText, PointWhateverTheProcessLocale) {
    // A German desktop locale must not turn the points of the results into commas.
    const char* old = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = old ? old : "C";
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8")) GTEST_SKIP() << "no German locale installed";
    EXPECT_EQ(CFormat("%.3f", 1.5), "1.500");
    EXPECT_EQ(ParseTypedNumber("2.5"), 2.5);
    EXPECT_EQ(CFormat("%12.5E|%.5f", 298.15, 0.5), " 2.98150E+02|0.50000");
    std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(DecimalFormat, LabelPatterns) {
    EXPECT_EQ(DecimalFormat("Coil',' mono disperse',' Rg = .00 nm", 45.0), "Coil, mono disperse, Rg = 45.00 nm");
    EXPECT_EQ(DecimalFormat("Coil',' poly disperse',' Mw/Mn = 2',' Rg = .00 nm", 12.345),
              "Coil, poly disperse, Mw/Mn = 2, Rg = 12.35 nm");
    EXPECT_EQ(DecimalFormat("c = .0000 g/dm³", 0.5), "c = .5000 g/dm³");  // no leading zero below 1
    EXPECT_EQ(DecimalFormat("c = .0000 g/dm³", 12.0), "c = 12.0000 g/dm³");
    EXPECT_EQ(DecimalFormat("0.000E-0", 15.0), "1.500E1");
    EXPECT_EQ(DecimalFormat("0.000E-0", 0.00123456), "1.235E-3");
    EXPECT_EQ(DecimalFormat("0.000E-0", -250000.0), "-2.500E5");
    EXPECT_EQ(DecimalFormat("0.000E+00", 15.0), "1.500E+01");
    EXPECT_EQ(DecimalFormat("0.##", 2.5), "2.5");
}

} // namespace
} // namespace zeb
