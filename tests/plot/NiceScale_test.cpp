#include "plot/AxisScaling.h"
#include "plot/NiceScale.h"
#include "plot/TickLabels.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <tuple>

namespace zeb {
namespace {

// A second, independently structured reading of the tick algorithm: all 48
// (pass, row) candidates are costed and the lexicographically smallest
// (cost, pass, row) wins, which is what "strictly smaller replaces" means for
// rows within a pass and for passes A, B, C in turn.
namespace reference {

int Exp10(double v) {
    double L = v == 0.0 ? -30.0 : std::log10(std::fabs(v));
    if (L >= 0) return static_cast<int>(L);
    double r = std::fabs(L) + 0.5;
    double f = std::floor(r);
    double diff = r - f;
    double n = diff > 0.5 ? f + 1 : diff < 0.5 ? f : (std::fmod(f, 2.0) == 0 ? f : f + 1);
    return -static_cast<int>(n);
}

std::vector<double> Ticks(double mn, double mx) {
    static const float len[16] = {1.00001f, 2.00001f, 3.00001f, 4.00001f, 4.00001f, 6.00001f, 6.00001f, 8.00001f,
                                  8.00001f, 1.20001f, 1.50001f, 2.40001f, 3.20001f, 4.50001f, 7.50001f, 6.00001f};
    static const float stp[16] = {0.25f, 0.5f, 1.0f, 1.0f, 1.0f, 2.0f, 2.0f, 2.0f,
                                  2.0f,  0.3f, 0.5f, 0.6f, 0.8f, 1.5f, 2.5f, 1.5f};
    static const int cnt[16] = {5, 5, 4, 5, 5, 4, 4, 5, 5, 5, 4, 5, 5, 4, 4, 5};
    if (mn > mx) std::swap(mn, mx);
    if (mn == mx) { mn -= 1; mx += 1; }
    int e = Exp10(mx - mn), em = Exp10(mn);
    double fineUnit = std::pow(10.0, e) * 0.1;
    double unit = em < e ? fineUnit : std::pow(10.0, e);
    auto roundHalfUp = [&](double v, double& frac) {
        double q = std::fabs(v) / unit;
        frac = q - std::floor(q);
        double n = std::floor(q) + (frac >= 0.5 ? 1 : 0);
        return std::copysign(n * unit, v) + 0.0;
    };
    double fmn, fmx;
    double lo = roundHalfUp(mn, fmn), hi = roundHalfUp(mx, fmx);
    if (lo == 0) lo = 0.0;
    double bigUnit = em < e ? fineUnit * 10 : unit;
    if ((hi - lo) / bigUnit <= 2) {
        if (fmn > 0.25 && fmn < 0.75) lo = std::copysign((std::trunc(std::fabs(mn) / unit) + 0.5) * unit, mn);
        if (fmx > 0.25 && fmx < 0.75) hi = std::copysign((std::trunc(std::fabs(mx) / unit) + 0.5) * unit, mx);
    }
    unit = bigUnit;
    auto snap = [&](double s) {
        if (lo == 0) return 0.0;
        double a = std::fabs(lo), su = s * unit;
        double d = std::pow(10.0, std::floor(std::log10(su)));
        double o = std::floor(a / d), v = a / d - o;
        double add = d * v / su <= 1.0 / 7.0 ? (v > 0.5 ? 1.0 : 0.0) : (v < 0.25 ? 0.0 : v < 0.75 ? 0.5 : 1.0);
        return lo < 0 ? -(d * (o + add)) : d * (o + add);
    };
    std::tuple<double, int, int> best{1e301, 9, 99};
    double bestStart = 0, bestLen = 0, bestStep = 0;
    for (int pass = 0; pass < 3; ++pass)
        for (int r = 0; r < 16; ++r) {
            double s = stp[r];
            double R = static_cast<double>(len[r]) + (pass == 0 ? 0.0 : pass == 1 ? -s : s);
            int n = cnt[r] + (pass == 0 ? 0 : pass == 1 ? -1 : 1);
            double start = snap(s);
            double cost = std::fabs(mx - R * unit - start) + 0.3 * s * unit * std::abs(n - 5);
            std::tuple<double, int, int> key{cost, pass, r};
            if (key < best) { best = key; bestStart = start; bestLen = R; bestStep = s; }
        }
    std::vector<double> t;
    for (double k = 0; k <= bestLen; k += bestStep) t.push_back(k * unit + bestStart);
    if (bestStart - mn > bestStep * unit) t.insert(t.begin(), bestStart - bestStep * unit);
    return t;
}

} // namespace reference

TEST(NiceScale, WorkedExamples) {
    // q² + k·c from 0 to 3.7e10 cm⁻²: labels in µm⁻² are plain integers.
    ManualRange autoX;
    AxisScale x = ScaleAxis(0.0, 3.7e10, autoX, AxisDirection::X, 1e-8);
    EXPECT_EQ(x.ticks, (std::vector<double>{0, 1e10, 2e10, 3e10, 4e10}));
    EXPECT_EQ(x.labels, (std::vector<std::string>{"0", "100", "200", "300", "400"}));
    EXPECT_EQ(x.multiplier, "");
    EXPECT_EQ(x.exponent, "");
    EXPECT_EQ(x.minimum, 0.0);
    EXPECT_EQ(x.maximum, 4e10);
    EXPECT_EQ(autoX.maximum, 3.7e10) << "the automatic range is shown in the options dialog";

    // Kc/R from 2e-6 to 3e-6 mol/g.
    ManualRange autoY;
    AxisScale y = ScaleAxis(2.0e-6, 3.0e-6, autoY, AxisDirection::Y, 1.0);
    ASSERT_EQ(y.ticks.size(), 5u);
    for (int i = 0; i < 5; ++i) EXPECT_NEAR(y.ticks[i], 2.0e-6 + i * 2.5e-7, 1e-20);
    EXPECT_EQ(y.labels, (std::vector<std::string>{"2.00", "2.25", "2.50", "2.75", "3.00"}));
    EXPECT_EQ(y.multiplier, "× 10");
    EXPECT_EQ(y.exponent, "-6");

    // Equal extremes open to value ± 1.
    const NiceTicks eq = NiceScale(5.0, 5.0);
    EXPECT_LE(eq.first(), 4.0);
    EXPECT_GE(eq.last(), 6.0);
    EXPECT_EQ(eq.ticks, reference::Ticks(5.0, 5.0));

    // A manual x range 0..40 is widened to 41 before scaling, its minimum stays.
    ManualRange manualX{1, 0.0, 40.0};
    AxisScale m = ScaleAxis(3.0, 7.0, manualX, AxisDirection::X, 1.0);
    EXPECT_EQ(m.ticks, NiceScale(0.0, 41.0).ticks);
    EXPECT_EQ(m.minimum, 0.0);
    EXPECT_GE(m.maximum, 41.0);
    EXPECT_EQ(manualX.maximum, 40.0) << "the entered range itself is kept";
    // A manual y range gets its margin on both sides.
    ManualRange manualY{1, 0.0, 40.0};
    AxisScale my = ScaleAxis(3.0, 7.0, manualY, AxisDirection::Y, 1.0);
    EXPECT_EQ(my.ticks, NiceScale(-1.0, 41.0).ticks);
    EXPECT_EQ(my.minimum, -1.0);
}

TEST(NiceScale, ExponentRoundsTiesToEven) {
    EXPECT_EQ(ScaleExponent(3.7e10), 10);
    EXPECT_EQ(ScaleExponent(1.0), 0);
    EXPECT_EQ(ScaleExponent(0.5), -1);
    EXPECT_EQ(ScaleExponent(0.1), -2) << "|log10| + 0.5 = 1.5 rounds to 2";
    EXPECT_EQ(ScaleExponent(0.01), -2) << "2.5 rounds to 2";
    EXPECT_EQ(ScaleExponent(0.0), -30);
    EXPECT_EQ(ScaleExponent(-250.0), 2);
}

TEST(NiceScale, AgreesWithAnIndependentReadingOnRandomRanges) {
    std::mt19937_64 rng(20261208);
    std::uniform_real_distribution<double> mant(-1.0, 1.0);
    std::uniform_int_distribution<int> dec(-12, 12);
    int compared = 0;
    for (int i = 0; i < 20000; ++i) {
        const double scale = std::pow(10.0, dec(rng));
        double a = mant(rng) * scale, b = mant(rng) * scale;
        switch (i % 5) {
        case 0: a = std::fabs(a); b = a + std::fabs(b) * 0.01; break;  // narrow, far from zero
        case 1: a = 0.0; break;                                         // from zero
        case 2: a = std::round(a / scale * 40) * scale / 40; b = std::round(b / scale * 40) * scale / 40; break;
        default: break;
        }
        const auto mine = NiceScale(a, b).ticks;
        const auto ref = reference::Ticks(a, b);
        ASSERT_EQ(mine, ref) << "range " << a << " .. " << b;
        ASSERT_GE(mine.size(), 3u);
        ASSERT_LE(mine.size(), 11u);
        ++compared;
    }
    EXPECT_EQ(compared, 20000);
}

TEST(TickLabels, FiveCases) {
    // 1: large steps get a power of ten beside the axis.
    auto big = MakeTickLabels({0, 2e4, 4e4, 6e4});
    EXPECT_EQ(big.labels, (std::vector<std::string>{"0.0", "2.0", "4.0", "6.0"}));
    EXPECT_EQ(big.multiplier, "× 10");
    EXPECT_EQ(big.exponent, "4");
    // 2: large values with small steps are written relative to a base.
    auto based = MakeTickLabels({250000, 250500, 251000});
    EXPECT_EQ(based.labels, (std::vector<std::string>{"0", "500", "1000"}));
    EXPECT_EQ(based.multiplier, "+ 250000");
    EXPECT_EQ(based.exponent, "");
    // 3: plain integers.
    auto plain = MakeTickLabels({-20, 0, 20, 40});
    EXPECT_EQ(plain.labels, (std::vector<std::string>{"-20", "0", "20", "40"}));
    EXPECT_EQ(plain.multiplier, "");
    // 4: small values with an exponent below zero.
    auto small = MakeTickLabels({0, 5e-5, 1e-4});
    EXPECT_EQ(small.labels, (std::vector<std::string>{"0.00", "0.50", "1.00"}));
    EXPECT_EQ(small.multiplier, "× 10");
    EXPECT_EQ(small.exponent, "-4");
    // 5: fixed point with one digit more than the step needs.
    auto fixed = MakeTickLabels({0.5, 0.75, 1.0, 1.25});
    EXPECT_EQ(fixed.labels, (std::vector<std::string>{"0.50", "0.75", "1.00", "1.25"}));
    EXPECT_EQ(fixed.exponent, "");
}

TEST(TickLabels, LabelsNeverMisstateATick) {
    // A tick a rounding error below zero is labelled 0, not -0.
    EXPECT_EQ(MakeTickLabels({-0.5, -1e-17, 0.5}).labels, (std::vector<std::string>{"-0.50", "0.00", "0.50"}));
    // Steps of 2.5 from a whole start: -4.5 and 0.5 keep their half (printing
    // them as integers would put "-4" and "0" on those ticks).
    const NiceTicks t = NiceScale(-7.3, 2.2);
    ASSERT_EQ(t.ticks, (std::vector<double>{-7, -4.5, -2, 0.5, 3}));
    EXPECT_EQ(MakeTickLabels(t.ticks).labels, (std::vector<std::string>{"-7.0", "-4.5", "-2.0", "0.5", "3.0"}));
    EXPECT_EQ(MakeTickLabels({100000, 100001.5, 100003}).labels, (std::vector<std::string>{"0.0", "1.5", "3.0"}));
}

} // namespace
} // namespace zeb

namespace zeb {
namespace {

TEST(NiceScale, ExtremeRangesGiveOrderlyTicks) {
    const double cases[][2] = {{1e-310, 3e-310}, {-1e308, 1e308}, {0, 1e-320}, {1e300, 1e300},
                               {-5e-7, -5e-7}, {std::nan(""), 1.0}, {0, INFINITY}, {123456789.0, 123456790.0}};
    for (const auto& c : cases) {
        const NiceTicks t = NiceScale(c[0], c[1]);
        ASSERT_GE(t.ticks.size(), 2u) << c[0] << " " << c[1];
        ASSERT_LE(t.ticks.size(), 11u);
        for (std::size_t i = 1; i < t.ticks.size(); ++i) EXPECT_LE(t.ticks[i - 1], t.ticks[i]) << c[0] << " " << c[1];
        ManualRange r;
        const AxisScale s = ScaleAxis(c[0], c[1], r, AxisDirection::Y, 1.0);
        EXPECT_EQ(s.labels.size(), s.ticks.size());
    }
}

} // namespace
} // namespace zeb
