// The plot window's residual chart and form-factor fits: what the window hands
// its view, and the message when it has nothing to show.
#include "analysis/FormFactor.h"
#include "platform/ScriptedPlatform.h"
#include "plot/ResidualChart.h"
#include "export/FormFactorFitTable.h"
#include "plotwindow/PlotWindow.h"
#include "support/BuildPaths.h"
#include "support/SyntheticSets.h"
#include "texts/FormFactorTexts.h"
#include "texts/PlotWindowTexts.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <stdexcept>
#include <string>

namespace zeb {
namespace {

struct UncertaintyWindow {
    ScriptedPlatform platform;
    PlotWindow w{platform};
    UncertaintyWindow(const test::ModelParams& m, int nc, int na, double concStep = 1.0e-3) {
        test::FillModelSet(w.set(), nc, na, m, concStep);
        w.PostLoadSetup();
    }
    // The last message shown, "" when none.
    std::string lastMessage() const { return platform.messages.empty() ? "" : platform.messages.back().text; }
};

bool IntervalCovers(const std::string& interval, double truth) {
    double low = 0.0, high = 0.0;
    return std::sscanf(interval.c_str(), "[%lf, %lf]", &low, &high) == 2 && low <= truth && truth <= high;
}

TEST(PlotWindowUncertainty, ResidualChartOfTheFitsOverQ2Shown) {
    test::ModelParams m = test::NoisyPolymer();
    UncertaintyWindow x(m, 3, 6);
    EXPECT_EQ(x.w.residualChart(), nullptr);
    EXPECT_EQ(x.lastMessage(), tx::ResidualsNeedQFit);
    x.w.setCOrder(FitOrder::One);  // a fit over c alone has no residuals over q²
    EXPECT_FALSE(x.w.menuItem(PlotMenuItem::Residuals).enabled);
    EXPECT_EQ(x.w.residualChart(), nullptr);
    EXPECT_EQ(x.lastMessage(), tx::ResidualsNeedQFit);

    x.w.setQOrder(FitOrder::One);
    EXPECT_TRUE(x.w.menuItem(PlotMenuItem::Residuals).enabled);
    const std::size_t shown = x.platform.messages.size();
    const auto all = x.w.residualChart();
    ASSERT_NE(all, nullptr);
    EXPECT_EQ(x.platform.messages.size(), shown);
    EXPECT_EQ(all->points(), 18);

    x.w.set().cell(2, 3)->active = 0;
    EXPECT_EQ(x.w.residualChart(), nullptr) << "out of date";
    EXPECT_EQ(x.lastMessage(), tx::PointsChangedSinceCalculation);
    x.w.calculate();
    const auto without = x.w.residualChart();
    ASSERT_NE(without, nullptr);
    EXPECT_EQ(without->points(), 17) << "the switched-off point is no residual";

    UncertaintyWindow few(m, 2, 4);  // four angles: no fit over q² of order 5
    few.w.setQOrder(FitOrder::Five);
    EXPECT_EQ(few.w.residualChart(), nullptr);
    EXPECT_EQ(few.lastMessage(), tx::ResidualsNone);
}

// The row of a model in the window's table.
std::size_t RowOf(const FormFactorFitTable& t, int model) {
    for (std::size_t i = 0; i < t.models.size(); ++i)
        if (t.models[i] == model) return i;
    throw std::logic_error("model not in the table");
}

// Coil and sphere data of known size: the true shape holds the truth in its
// intervals, the sphere comes before the coil for a sphere, and the rows go
// by their sum of squares (the coverage of the fits is the fits' own test;
// this seed is one whose intervals cover the truth).
TEST(PlotWindowUncertainty, FormFactorFitsOfTheWindowBestFirst) {
    for (int shape : {kModelCoilMono, kModelHardSphere}) {
        UncertaintyWindow x(test::NoisyPolymer(shape, 1), 4, 13, 0.25e-3);
        x.w.setQOrder(FitOrder::One);
        EXPECT_FALSE(x.w.fitFormFactors()) << shape;
        EXPECT_EQ(x.lastMessage(), tx::FormFactorFitsNeedCFit);
        x.w.setCOrder(FitOrder::One);
        EXPECT_TRUE(x.w.menuItem(PlotMenuItem::FitFormFactors).enabled);
        const auto fits = x.w.fitFormFactors();
        ASSERT_TRUE(fits) << x.lastMessage();
        EXPECT_EQ(fits->heading, "Form factors fitted to the 13 points at c = 0, the best fit first");
        ASSERT_EQ(fits->rows.size(), 4u);
        const std::vector<std::string>& own = fits->rows[RowOf(*fits, shape)];
        EXPECT_TRUE(IntervalCovers(own[2], 1.2e6)) << own[2];
        EXPECT_TRUE(IntervalCovers(own[4], 45.0)) << own[4];
        if (shape == kModelHardSphere) {
            EXPECT_LT(RowOf(*fits, shape), RowOf(*fits, kModelCoilMono));
        }
        for (std::size_t row = 1; row < fits->rows.size(); ++row)
            EXPECT_LE(std::stod(fits->rows[row - 1][5]), std::stod(fits->rows[row][5])) << row;
        EXPECT_EQ(fits->notes.back(), "Fits best: " + fits->rows.front()[0]);

        x.w.setPlotType(PlotType::DI);
        EXPECT_FALSE(x.w.menuItem(PlotMenuItem::FitFormFactors).enabled);
        EXPECT_FALSE(x.w.fitFormFactors());
        EXPECT_EQ(x.lastMessage(), tx::FormFactorFitsNeedStatic);
    }
}

// A user form factor loaded through the menu is fitted too: Mw alone, as it
// has no size (the table is that of a coil of 40 nm, as are the data).
TEST(PlotWindowUncertainty, FormFactorFitsTakeTheLoadedUserFormFactor) {
    test::ModelParams coil40 = test::NoisyPolymer(kModelCoilMono, 1);
    coil40.rgNm = 40.0;
    UncertaintyWindow x(coil40, 4, 13, 0.25e-3);
    x.w.setQOrder(FitOrder::One);
    x.w.setCOrder(FitOrder::One);
    x.platform.openAnswers.push_back(std::string(test::build::SourceDir()) + "/examples/coil-40nm.ffu");
    x.w.toggleFormFactorModel(kModelUser);
    ASSERT_TRUE(x.w.formFactor().user.loaded) << x.lastMessage();
    const auto fits = x.w.fitFormFactors();
    ASSERT_TRUE(fits);
    ASSERT_EQ(fits->rows.size(), 5u);
    const std::vector<std::string>& user = fits->rows[RowOf(*fits, kModelUser)];
    EXPECT_TRUE(IntervalCovers(user[2], 1.2e6)) << user[2];
    EXPECT_EQ(user[3], "---");
}

// The table: fitted models by their reduced chi², those without a fit last
// with "---" and their reason.
TEST(PlotWindowUncertainty, FormFactorFitTableOrder) {
    FormFactorFits fits;
    fits.points = 9;
    FormFactorFitResult failed;
    failed.model = kModelThinRod;
    failed.name = tx::ModelThinRod;
    failed.why.text = "the fit of the model does not converge";
    fits.models.push_back(failed);
    for (auto [model, name, chi2] : {std::tuple{kModelCoilMono, tx::ModelCoilMono, 3.0},
                                     std::tuple{kModelHardSphere, tx::ModelHardSphere, 1.5}}) {
        FormFactorFitResult r;
        r.model = model;
        r.name = name;
        r.converged = true;
        r.mwGPerMol = 1e6;
        r.rgNm = 40.0;
        r.mwInterval = Interval{0.9e6, 1.1e6};
        r.chi2 = chi2 * 7;
        r.reducedChi2 = chi2;
        fits.models.push_back(r);
    }
    fits.bestModel = kModelHardSphere;
    const FormFactorFitTable t = TabulateFormFactorFits(fits, 0.95);
    EXPECT_EQ(t.models, (std::vector<int>{kModelHardSphere, kModelCoilMono, kModelThinRod}));
    EXPECT_EQ(t.columns[2], "95 % interval");
    EXPECT_EQ(t.rows[0][2], "[9.000e5, 1.100e6]");
    EXPECT_EQ(t.rows[0][4], "---");  // no interval of Rg
    EXPECT_EQ(t.rows[0][5], "10.50");
    EXPECT_EQ(t.rows[2], (std::vector<std::string>{tx::ModelThinRod, "---", "---", "---", "---", "---", "---"}));
    EXPECT_EQ(t.notes, (std::vector<std::string>{"Thin rod: not determined: the fit of the model does not converge",
                                                 "Fits best: Hard sphere"}));
}

} // namespace
} // namespace zeb
