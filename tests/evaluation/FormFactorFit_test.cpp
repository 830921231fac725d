// Form-factor fits to the points at c = 0: the right shape is found and gives
// the truth within its interval; what cannot be fitted says why.
#include "evaluation/FormFactorFit.h"

#include "analysis/SmoothingSpline.h"
#include "analysis/UserFormFactor.h"
#include "evaluation/Evaluation.h"
#include "support/EvaluationFixtures.h"
#include "support/SyntheticSets.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zeb {
namespace {

constexpr double kStep = 0.25e-3;  // 0.25 .. 1 g/dm³
constexpr int kSeeds = 20;

const FormFactorFitResult& Of(const FormFactorFits& fits, int model) {
    for (const FormFactorFitResult& r : fits.models)
        if (r.model == model) return r;
    throw std::logic_error("model not fitted");
}

// Monodisperse coil and hard sphere data (Rg 45 nm, 0.5 % noise): each model
// holds the truth in its intervals, and the sphere tells a sphere from a coil.
TEST(FormFactorFit, FindsTheShapeAndItsSize) {
    int coilCovers = 0, sphereCovers = 0, sphereFitsBetter = 0;
    for (std::uint64_t seed = 1; seed <= kSeeds; ++seed) {
        for (int shape : {kModelCoilMono, kModelHardSphere}) {
            const test::ModelSet loaded(4, 13, test::NoisyPolymer(shape, seed), kStep);
            const FormFactorFits fits = FitFormFactors(Evaluation(loaded.set, test::Orders(FitOrder::One, FitOrder::One)));
            ASSERT_EQ(fits.points, 13);
            for (const FormFactorFitResult& r : fits.models) {
                ASSERT_TRUE(r.converged && r.mwInterval && r.rgInterval) << r.name << ": " << r.why.text;
                EXPECT_TRUE(r.mwInterval->contains(*r.mwGPerMol) && r.rgInterval->contains(*r.rgNm));
            }
            const FormFactorFitResult& own = Of(fits, shape);
            const bool covers = own.rgInterval->contains(45.0) && own.mwInterval->contains(1.2e6);
            (shape == kModelCoilMono ? coilCovers : sphereCovers) += covers;
            if (shape == kModelHardSphere)
                sphereFitsBetter += own.reducedChi2 < Of(fits, kModelCoilMono).reducedChi2;
            else
                EXPECT_NEAR(*own.sizeNm, *own.rgNm, 1e-12);
        }
    }
    EXPECT_GE(coilCovers, 17);
    EXPECT_GE(sphereCovers, 17);
    EXPECT_GE(sphereFitsBetter, 17);
}

// The polydisperse coil, 1/Pz = 1 + q² Rg²/3, is the straight line of the Zimm
// plot: its fit is the c -> 0 line of order 1.
TEST(FormFactorFit, PolydisperseCoilIsTheZimmLine) {
    const test::ModelSet loaded(4, 13, test::NoisyPolymer(0, 5), kStep);
    const Evaluation e(loaded.set, test::Orders(FitOrder::One, FitOrder::One));
    const FormFactorFits fits = FitFormFactors(e);
    const FormFactorFitResult& poly = Of(fits, kModelCoilPoly);
    ASSERT_TRUE(poly.converged);
    EXPECT_NEAR(*poly.mwGPerMol, *e.results.mwQ2, 1e-8 * *e.results.mwQ2);
    EXPECT_NEAR(*poly.rgNm, *e.results.rgNm, 1e-7 * *e.results.rgNm);
}

// A user table of the coil's Pz gives Mw; it has no size to give.
TEST(FormFactorFit, UserFormFactorGivesMwOnly) {
    std::vector<double> q, pz;
    for (int i = 0; i <= 40; ++i) {
        q.push_back(i * 1e4);  // cm⁻¹, beyond the largest q of the set
        pz.push_back(ModelPz(kModelCoilMono, q.back() * 45e-7));
    }
    SmoothingSpline spline;
    ASSERT_TRUE(spline.Setup(q, pz, kUserSplineSmoothing));
    int covers = 0;
    for (std::uint64_t seed = 1; seed <= 10; ++seed) {
        const test::ModelSet loaded(4, 13, test::NoisyPolymer(kModelCoilMono, seed), kStep);
        const Evaluation e(loaded.set, test::Orders(FitOrder::One, FitOrder::One));
        const FormFactorFitResult user = FitFormFactors(e, {.models = {kModelUser}, .userSpline = &spline}).models.at(0);
        ASSERT_TRUE(user.converged && user.mwInterval);
        covers += user.mwInterval->contains(1.2e6);
        EXPECT_FALSE(user.rgNm);
        EXPECT_EQ(user.why.reason, NotDeterminedReason::NoSizeParameter);
        EXPECT_EQ(FitFormFactors(e, {.models = {kModelUser}}).models.at(0).why.reason,
                  NotDeterminedReason::NoUserFormFactor);
    }
    EXPECT_GE(covers, 8);
}

TEST(FormFactorFit, NotDeterminedSaysWhy) {
    struct Case {
        int angles;
        PlotType type;
        NotDeterminedReason reason;
        bool values;
    };
    for (const Case& k : {Case{13, PlotType::DI, NotDeterminedReason::NotStaticPlot, false},
                          Case{2, PlotType::Zimm, NotDeterminedReason::TooFewPoints, true},
                          Case{1, PlotType::Zimm, NotDeterminedReason::TooFewPoints, false}}) {
        test::ModelParams m = test::NoisyPolymer(kModelCoilMono);
        m.withDynamic = true;
        const test::ModelSet loaded(4, k.angles, m, kStep);
        const Evaluation e(loaded.set, test::Orders(FitOrder::One, FitOrder::One, k.type));
        for (const FormFactorFitResult& r : FitFormFactors(e).models) {
            EXPECT_EQ(r.why.reason, k.reason) << r.name << " " << k.angles;
            EXPECT_FALSE(r.rgInterval);
            EXPECT_EQ(r.rgNm.has_value(), k.values) << r.name << " " << k.angles;
        }
    }
    // Kc/R falling with q² leaves no size to fit; Rg = 2 nm is too small to resolve.
    for (double rgNm : {0.0, 2.0}) {
        test::ModelParams m;
        m.noise = 0.02;
        m.rgNm = rgNm;
        const test::ModelSet loaded(4, 9, m);
        const Evaluation e(loaded.set, test::Orders(FitOrder::One, FitOrder::One));
        for (const FormFactorFitResult& r : FitFormFactors(e).models) {
            EXPECT_FALSE(r.rgInterval) << r.name;
            EXPECT_EQ(r.why.reason, rgNm == 0.0 ? NotDeterminedReason::Singular : NotDeterminedReason::SizeNotResolved);
            EXPECT_EQ(r.converged, r.mwGPerMol.has_value()) << r.name;
        }
    }
}

} // namespace
} // namespace zeb
