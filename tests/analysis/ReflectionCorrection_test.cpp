#include "analysis/KFactor.h"
#include "analysis/ReflectionCorrection.h"
#include "data/RoundSig.h"
#include "evaluation/Evaluation.h"
#include "support/SyntheticSets.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace zeb {
namespace {

TEST(Reflection, ReflectanceAndAngles) {
    const Reflectance water = ReflectanceOf(1.46, 1.332);
    EXPECT_NEAR(water.rF, std::pow(0.128 / 2.792, 2), 1e-15);
    EXPECT_NEAR(water.rF, 0.0021, 0.0001);
    EXPECT_DOUBLE_EQ(water.t, 1.0 - water.rF);
    const Reflectance same = ReflectanceOf(1.47, 1.47);
    EXPECT_EQ(same.rF, 0.0);
    EXPECT_EQ(same.t, 1.0);
    const double q2 = Q2OfAngle(90.0, 632.8e-7, 1.332);
    EXPECT_NEAR(AngleOfQ2Deg(q2, 632.8e-7, 1.332), 90.0, 1e-9);
    EXPECT_TRUE(std::isnan(AngleOfQ2Deg(1e13, 632.8e-7, 1.332)));  // no angle scatters that far
}

// An exactly linear Zimm set over the angles given, prepared and fitted in
// place with q order 1, as the window holds it when the correction starts.
struct FittedSet {
    MessageLog log;
    MeasurementSet set{log};
    explicit FittedSet(int na, double from, double to) {
        test::ModelParams m;
        m.withDynamic = false;
        test::FillModelSet(set, 2, na, m, 1e-3, from, to);
        PreparePlottedPoints(set, PlotType::Zimm, AutomaticK(set), true);
        EvaluationOptions o;
        o.qOrder = FitOrder::One;
        Calculate(set, o);
    }
};

TEST(Reflection, AtNinetyDegreesTheCounterAngleIsTheAngleItself) {
    FittedSet x(3, 60.0, 120.0);  // 60°, 90°, 120°: every counter angle is measured
    MeasurementSet& s = x.set;
    const double before = s.cell(1, 2)->kcr;
    bool applied = false;
    ReflectionInput in;
    in.nGlass = 1.46;
    Reflectance used;
    ASSERT_EQ(CorrectConcentration(s, 1, in, applied, &used), CorrectionOutcome::Corrected);
    EXPECT_TRUE(applied);
    const double S = 1.0 / before;
    const double expected = S * (1.0 - 2.0 * used.rF) / ((1.0 - used.rF) * (1.0 - used.rF));
    EXPECT_NEAR(s.cell(1, 2)->kcr / (1.0 / expected), 1.0, 1e-12);
    // 60° sees 120° and the other way round.
    for (int a = 1; a <= 3; ++a) EXPECT_EQ(s.cell(1, a)->reflectionCorrected, 1);
    EXPECT_EQ(s.cell(2, 1)->reflectionCorrected, 0);
    EXPECT_EQ(CorrectConcentration(s, 1, in, applied), CorrectionOutcome::AlreadyCorrected);
}

TEST(Reflection, MatchingIndicesChangeNothing) {
    FittedSet x(4, 40.0, 140.0);
    MeasurementSet& s = x.set;
    std::vector<double> before;
    for (int a = 1; a <= 4; ++a) before.push_back(s.cell(2, a)->kcr);
    bool applied = false;
    ReflectionInput in;
    in.nGlass = 1.332;
    ASSERT_EQ(CorrectConcentration(s, 2, in, applied), CorrectionOutcome::Corrected);
    for (int a = 1; a <= 4; ++a) EXPECT_DOUBLE_EQ(s.cell(2, a)->kcr, before[static_cast<std::size_t>(a - 1)]);
}

TEST(Reflection, OutsideTheMeasuredRangeTheAnswersDecide) {
    // 30° .. 80°: every counter angle (100° .. 150°) lies outside.
    FittedSet x(6, 30.0, 80.0);
    MeasurementSet& s = x.set;
    std::vector<double> asked;
    std::vector<int> answers;
    ReflectionInput in;
    in.nGlass = 1.46;
    in.askOutside = [&](double theta) {
        asked.push_back(theta);
        const int answer = answers.front();
        answers.erase(answers.begin());
        return answer;
    };
    const double kcr1 = s.cell(1, 1)->kcr, kcr3 = s.cell(1, 3)->kcr;
    // Extrapolate, skip, then "skip for others also": three questions, the rest skipped.
    answers = {1, 2, 7};
    bool applied = false;
    CorrectConcentration(s, 1, in, applied);
    ASSERT_EQ(asked.size(), 3u);
    EXPECT_NEAR(asked[0], 30.0, 1e-6);
    EXPECT_LT(s.cell(1, 1)->kcr, kcr1);  // corrected: the weaker counter angle adds less than T² removes
    EXPECT_EQ(s.cell(1, 3)->kcr, kcr3);                    // skipped
    // "Extrapolation for others also": one question for the next concentration.
    asked.clear();
    answers = {5};
    CorrectConcentration(s, 2, in, applied);
    EXPECT_EQ(asked.size(), 1u);
    EXPECT_EQ(ModeOfAnswer(0), kModeSkipAsk);  // closed without an answer: skipped
}

TEST(Reflection, NoFitAndMissingWavelength) {
    FittedSet x(3, 60.0, 120.0);
    MeasurementSet& s = x.set;
    s.cell(2, 0)->hasData = 0;
    bool applied = false;
    EXPECT_EQ(CorrectConcentration(s, 2, ReflectionInput{}, applied), CorrectionOutcome::NoFit);
    EXPECT_FALSE(applied);
    EXPECT_FALSE(AnyPointWithoutWavelength(s));
    s.cell(1, 2)->wavelengthCm = -1.0;
    EXPECT_TRUE(AnyPointWithoutWavelength(s));
    EXPECT_FALSE(AllPointsCorrected(s));
    EXPECT_EQ(SolventIndexOf(s, 1), 1.332);
}

TEST(KFactor, ButtonStepsFromTenDownToMinusTenAndBack) {
    const double scale = 3.0e13;  // Q/C
    double k = KDefault(scale);
    int step = kInitialKStep;
    EXPECT_EQ(k, RoundSig(3.0e14, 3));
    std::vector<int> steps;
    std::vector<double> ks;
    while (KStepDown(k, step, scale)) {
        steps.push_back(step);
        ks.push_back(k);
    }
    // 9 .. 1, then three shrinks at step 1 (1, 0.1, 0.01 of Q/C), then 0, then -1 .. -10.
    std::vector<int> expected;
    for (int s = 9; s >= 1; --s) expected.push_back(s);
    expected.insert(expected.end(), {1, 1, 1, 0});
    for (int s = -1; s >= -10; --s) expected.push_back(s);
    EXPECT_EQ(steps, expected);
    EXPECT_EQ(ks[0], RoundSig(9 * 0.1 * scale * 10, 3));
    EXPECT_NEAR(ks[9] / scale, 0.1, 1e-12);
    EXPECT_NEAR(ks[11] / scale, 0.001, 1e-12);
    EXPECT_LT(std::fabs(ks[12]), 1e-5);  // step 0: practically zero
    EXPECT_EQ(ks.back(), RoundSig(-10 * 0.1 * scale * 10, 3));
    EXPECT_EQ(step, -10);
    EXPECT_FALSE(KStepDown(k, step, scale));  // the beep: nothing changes
    EXPECT_EQ(step, -10);
    // ">>" mirrors it: from -1 the shrinking, then 0, then up to 20.
    step = -2;
    ASSERT_TRUE(KStepUp(k, step, scale));
    EXPECT_EQ(step, -1);
    ASSERT_TRUE(KStepUp(k, step, scale));
    EXPECT_EQ(step, -1);
    EXPECT_NEAR(k / scale, -0.1, 1e-12);
    step = 20;
    EXPECT_FALSE(KStepUp(k, step, scale));
    // A last concentration of 0 falls back to the largest ones.
    EXPECT_EQ(KScale(3e10, 0.0, 3e10, 2e-3), 1.5e13);
    EXPECT_EQ(KScale(0.0, 0.0, 0.0, 0.0), 1e13);
}

} // namespace
} // namespace zeb
