#include "ExampleData.h"
#include "analysis/FormFactor.h"
#include "analysis/FormFactorView.h"
#include "analysis/UserFormFactor.h"
#include "data/RoundSig.h"
#include "platform/ScriptedPlatform.h"
#include "support/SyntheticSets.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zeb {
namespace {

TEST(FormFactor, SeriesBranchesAndTheirNeighbours) {
    // Coil: the series below x² = 1e-7, Debye above, continuous across.
    EXPECT_EQ(ModelPz(1, std::sqrt(1e-8)), 1.0 - 1e-8 / 3.0);
    const double x = std::sqrt(1.0000001e-7);
    EXPECT_NEAR(ModelPz(1, x), 1.0 - x * x / 3.0 + x * x * x * x / 12.0, 1e-15);
    EXPECT_NEAR(ModelPz(1, 2.0), 2.0 * (4.0 + std::exp(-4.0) - 1.0) / 16.0, 1e-15);
    EXPECT_NEAR(ModelPz(1, std::sqrt(0.05)), 2.0 * (0.05 + std::exp(-0.05) - 1.0) / 0.0025, 1e-13);
    EXPECT_NEAR(ModelPz(1, std::sqrt(0.0499999)), 2.0 * (0.0499999 + std::exp(-0.0499999) - 1.0) / (0.0499999 * 0.0499999), 1e-13);
    EXPECT_NEAR(ModelPz(2, 3.0), 0.25, 1e-15);
    // Rod at L q = 1e-5: 1 - x²/36; at x = 1 the rational sine integral.
    EXPECT_EQ(ModelPz(3, 1e-5), 1.0 - 1e-10 / 36.0);
    const double si1 = SineIntegral(1.0);
    EXPECT_NEAR(si1, 0.946083070367183, 1e-6);  // Si(1); the approximation is good to about 1e-7
    EXPECT_NEAR(ModelPz(3, 1.0), 2.0 * si1 - std::pow(std::sin(0.5) / 0.5, 2), 1e-15);
    EXPECT_NEAR(SineIntegral(0.5), 0.493107418043067, 2e-12);  // the series below 1 (five terms)
    EXPECT_NEAR(SineIntegral(10.0), 1.658347594218874, 1e-6);
    // Sphere.
    EXPECT_EQ(ModelPz(4, 5e-5), 1.0 - 25e-10 / 5.0);
    EXPECT_NEAR(ModelPz(4, 1.0), std::pow(3.0 * (std::sin(1.0) - std::cos(1.0)), 2), 1e-15);
    // Size parameters.
    EXPECT_EQ(ModelSizeFactor(3), std::sqrt(12.0));
    EXPECT_EQ(ModelSizeFactor(4), std::sqrt(1.6666666666666667));
}

TEST(FormFactor, PlotFormsAndSkippedPoints) {
    ScriptedPlatform platform;
    const double rg = 50e-7, q = 2e5, u = q * rg;
    const double pz = ModelPz(1, u);
    const double expected[13][2] = {{0, 0},         {q * q, 1 / pz}, {q * q, std::sqrt(1 / pz)}, {q * q, -std::log(pz)},
                                    {q, pz * q * q}, {q, pz * q},     {u * u, 1 / pz},            {u * u, std::sqrt(1 / pz)},
                                    {u * u, -std::log(pz)}, {u, pz * u * u}, {u, pz * u},       {q, pz}, {u, pz}};
    for (int form = 1; form <= 12; ++form) {
        const auto p = FormFactorPoint(form, 1, q, rg, nullptr, &platform);
        ASSERT_TRUE(p) << form;
        EXPECT_DOUBLE_EQ(p->x, expected[form][0]) << form;
        EXPECT_DOUBLE_EQ(p->y, expected[form][1]) << form;
    }
    // A Pz below 1e-100 cannot be divided by or taken as a logarithm: the point is left out.
    const double farOut = 1e60 / (rg * std::sqrt(1.6666666666666667));
    ASSERT_LT(ModelPz(4, 1e60), 1e-100);
    for (int form : {1, 2, 3, 6, 7, 8}) EXPECT_FALSE(FormFactorPoint(form, 4, farOut, rg, nullptr, &platform));
    EXPECT_TRUE(FormFactorPoint(11, 4, farOut, rg, nullptr, &platform));
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_FALSE(FormFactorPoint(13, 1, q, rg, nullptr, &platform));
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.lastMessage().text, "FormFactor: Undef. Plot");
    EXPECT_EQ(platform.lastMessage().caption, "Error");
}

TEST(FormFactor, MeasuredPointsGridRangesAndLabels) {
    ScriptedPlatform platform;
    MeasurementSet set(platform);
    test::ModelParams m;
    test::FillModelSet(set, 2, 6, m);
    for (int a = 1; a <= 6; ++a) set.cell(2, a)->hasData = 1;
    set.cell(2, 3)->active = 0;
    const double rg = m.rgNm * 1e-7, mw = m.mwGPerMol;
    const auto pts = MeasuredFormFactorPoints(set, 2, 4, rg, mw);
    ASSERT_EQ(pts.size(), 6u);
    const DataPoint& p1 = *set.cell(2, 1);
    const double q = std::sqrt(set.q2[1]);
    EXPECT_DOUBLE_EQ(pts[0].x, q);
    EXPECT_DOUBLE_EQ(pts[0].y, set.q2[1] / (p1.kcr * mw));
    EXPECT_DOUBLE_EQ(pts[0].error, p1.kcrError * set.q2[1] / (p1.kcr * p1.kcr * mw));
    EXPECT_FALSE(pts[2].active);
    const auto sqrtForm = MeasuredFormFactorPoints(set, 2, 7, rg, mw);
    EXPECT_DOUBLE_EQ(sqrtForm[0].x, set.q2[1] * rg * rg);
    EXPECT_DOUBLE_EQ(sqrtForm[0].error, p1.kcrError * mw / (2.0 * std::sqrt(p1.kcr * mw)));

    const FormFactorGrid g = MakeFormFactorGrid(set);
    ASSERT_EQ(g.q.size(), 101u);
    EXPECT_DOUBLE_EQ(g.qMax, std::sqrt(set.q2[6]));
    EXPECT_DOUBLE_EQ(g.q.front(), 1e-4 * g.qMax);
    EXPECT_EQ(g.q.back(), g.qMax);
    const FormFactorRanges r =
        ComputeFormFactorRanges(g, {1, 4}, 11, rg, nullptr, MeasuredFormFactorPoints(set, 2, 11, rg, mw));
    EXPECT_EQ(r.xMin, 0.0);
    EXPECT_EQ(r.xMax, RoundSig(g.qMax, 6));
    double lowest = 1.0;
    for (int model : {1, 4})
        for (const auto& c : FormFactorCurve(g, 11, model, rg, nullptr)) lowest = std::min(lowest, c.y);
    for (const auto& p : MeasuredFormFactorPoints(set, 2, 11, rg, mw))
        if (p.active) lowest = std::min(lowest, p.y);
    EXPECT_EQ(r.yMin, RoundSig(lowest, 6));

    EXPECT_EQ(ModelLabel(1, 45.0), "Coil, mono disperse, Rg = 45.00 nm");
    EXPECT_EQ(ModelLabel(2, 45.0), "Coil, poly disperse, Mw/Mn = 2, Rg = 45.00 nm");
    EXPECT_EQ(ModelLabel(3, 10.0), "Thin rod, L = 34.64 nm");
    EXPECT_EQ(ModelLabel(4, 10.0), "Hard sphere, Rs = 12.91 nm");
    EXPECT_EQ(ModelLabel(5, 10.0), "User defined");
    EXPECT_EQ(DataLabel(0.0005), "c = .5000 g/dm³");
    EXPECT_EQ(DataLabel(0.0), "Conc. c -> 0");
    EXPECT_EQ(DataLabel(-1.0), "");
}

TEST(UserFormFactor, FilesAndTheirMessages) {
    test::TempDir dir;
    UserFormFactor ff;
    const auto load = [&](const std::string& text) {
        const std::string path = dir.file("f.FFU");
        test::WriteFile(path, text);
        return LoadUserFormFactor(path, ff);
    };
    EXPECT_EQ(LoadUserFormFactor(dir.file("missing.FFU"), ff), FfuResult::CannotOpen);
    EXPECT_EQ(load("/ comment\n   / indented comment\n\n0.01 0.99\n0.02 0.96\n0.03 0.9\n"), FfuResult::TooFewPairs);
    EXPECT_EQ(load("0.01 0.99\n0.02 x\n0.03 0.9\n0.04 0.8\n"), FfuResult::InvalidLine);
    EXPECT_EQ(load("0.01 0.99\n0.03 0.9\n0.02 0.96\n0.04 0.8\n"), FfuResult::SplineFailed);  // not ascending
    EXPECT_FALSE(ff.loaded);
    // A comment longer than 98 characters is still one comment.
    ASSERT_EQ(load("/" + std::string(150, 'x') + "\r\n0.01 0.99\r\n 0.02 0.96\r\n\t0.03 0.91\r\n0.04 0.84\r\n0.05 0.76\r\n"),
              FfuResult::Ok);
    EXPECT_TRUE(ff.loaded);
    ASSERT_EQ(ff.qPerCm.size(), 5u);
    EXPECT_NEAR(ff.qPerCm[0], 100.0, 1e-12);  // 0.01/µm
    EXPECT_NEAR(FormFactorPz(5, 100.0, 0.0, &ff.spline), 0.99, 1e-8);
    EXPECT_NEAR(FormFactorPz(5, 300.0, 0.0, &ff.spline), 0.91, 1e-8);

    EXPECT_EQ(load("0.01 0.99\n0.03 0.9\n0.02 0.96\n0.04 0.8\n"), FfuResult::SplineFailed);
    EXPECT_EQ(ff.problem, dir.file("f.FFU") + ", line 3: q 0.02 is smaller than q 0.03 on line 2: q must ascend");
    EXPECT_STREQ(FfuMessage(FfuResult::CannotOpen), "Could not open file with form factor data !");
    EXPECT_STREQ(FfuMessage(FfuResult::InvalidLine), "Invalid file. Could not load !");
    EXPECT_STREQ(FfuMessage(FfuResult::TooFewPairs), "Less than 4 data pairs !\nCould not load !");
    EXPECT_STREQ(FfuMessage(FfuResult::NoMemory), "Could not allocate memory for spline function !");
    EXPECT_STREQ(FfuMessage(FfuResult::CountChanged), "User form factor, internal load error !");
    EXPECT_STREQ(FfuMessage(FfuResult::SplineFailed), "Could not setup spline function !");
}

// Damaged form-factor files: each is refused with a message that names the
// file and the line, and nothing of it is loaded.
TEST(UserFormFactor, DamagedFilesAreNamedAndNotLoaded) {
    test::TempDir dir;
    const std::string good = examples::ExampleFile("coil-40nm.ffu");  // two comments, 30 pairs on lines 3..32
    auto replaced = [&good](const std::string& from, const std::string& to) {
        std::string s = good;
        return s.replace(s.find(from), from.size(), to);
    };
    const std::string line5 = good.substr(good.find("3.0000"), good.find('\n', good.find("3.0000")) + 1 - good.find("3.0000"));
    struct Case {
        std::string name, text;
        FfuResult result;
        std::string detail;
    };
    const std::vector<Case> cases = {
        {"cut", good.substr(0, good.size() - 3), FfuResult::InvalidLine, "line 32: the file ends inside the number"},
        {"twice", replaced(line5, line5 + line5), FfuResult::SplineFailed, "line 6: q 3 is listed twice (line 5)"},
        {"third-number", replaced("3.0000 0.99521723", "3.0000 0.99521723 1"), FfuResult::InvalidLine, "line 5: a data line holds two numbers"},
        {"letters", replaced("3.0000 0.99521723", "3.0000 0.99521723x"), FfuResult::InvalidLine, "line 5: a data line"},
        {"decimal-comma", replaced("3.0000 0.99521723", "3,0000 0.99521723"), FfuResult::InvalidLine, "line 5: a data line"},
        {"too-long", replaced("3.0000 0.99521723", std::string(100, ' ') + "3.0000 0.99521723"), FfuResult::InvalidLine,
         "line 5: a data line longer than 98 characters"},
        {"too-long-before-blanks", replaced("3.0000 0.99521723", "3." + std::string(90, '0') + " 0.99521723  \t"),
         FfuResult::InvalidLine, "line 5: a data line longer than 98 characters"},
        {"binary", replaced("3.0000", "\x02" "3.0000"), FfuResult::InvalidLine, "line 5: this is no text file"},
    };
    for (const auto& c : cases) {
        const std::string path = dir.file(c.name + ".FFU");
        test::WriteFile(path, c.text);
        UserFormFactor ff;
        EXPECT_EQ(LoadUserFormFactor(path, ff), c.result) << c.name;
        EXPECT_FALSE(ff.loaded) << c.name;
        EXPECT_TRUE(ff.qPerCm.empty()) << c.name;
        EXPECT_EQ(ff.problem.rfind(path + ", " + c.detail, 0), 0u) << c.name << ": " << ff.problem;
        EXPECT_EQ(FfuMessageText(c.result, ff), std::string(FfuMessage(c.result)) + "\n" + ff.problem);
    }
    // The example, a file without a last line end and one whose data line is
    // long only by the blanks after its numbers still load.
    for (const std::string& text : {good, good.substr(0, good.size() - 1),
                                    replaced("3.0000 0.99521723", "3.0000 0.99521723" + std::string(100, ' ') + "\t")}) {
        test::WriteFile(dir.file("ok.FFU"), text);
        UserFormFactor ff;
        EXPECT_EQ(LoadUserFormFactor(dir.file("ok.FFU"), ff), FfuResult::Ok);
        EXPECT_EQ(ff.qPerCm.size(), 30u);
    }
}

} // namespace
} // namespace zeb
