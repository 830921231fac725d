#include "texts/DataTexts.h"
#include "data/LittleEndian.h"
#include "data/MeasurementSet.h"
#include "data/RoundSig.h"
#include "data/DataWindow.h"
#include "platform/ScriptedPlatform.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

namespace zeb {
namespace {

class MeasurementSetTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(set.InitMeasurementSet(), 1); }
    ScriptedPlatform platform;
    MeasurementSet set{platform};
};

TEST(DataPointRecord, BytesFollowTheFixedLittleEndianLayout) {
    DataPoint p;
    p.reserved0 = 0xA1B2C3D4u;
    p.presence = 0x85;
    p.originMark = -32767;
    p.hasData = 1;
    p.active = 1;
    p.symbolState = 1000;
    p.reflectionCorrected = 1;
    p.work[0] = 1.5;
    p.work[3] = -2.25;
    p.kcr = 3.0e-6;
    p.q2 = 1.2e10;
    p.reserved72 = 7.0;
    p.kcrError = 4.0e-9;
    p.dappI = 11.0;
    p.dappIIIError = 0.125;
    p.rSample = 2.0e-5;
    p.rSampleError = -1.0;
    p.nSolvent = 1.496;
    p.wavelengthCm = 6.328e-5;
    const auto b = ToBytes(p);
    EXPECT_EQ(le::getU32(&b[0]), 0xA1B2C3D4u);
    EXPECT_EQ(b[0], 0xD4);  // little-endian on every machine
    EXPECT_EQ(b[4], 0x85);
    EXPECT_EQ(b[5], 0);
    EXPECT_EQ(le::getI16(&b[6]), -32767);
    EXPECT_EQ(le::getI16(&b[8]), 1);
    EXPECT_EQ(le::getI16(&b[12]), 1000);
    EXPECT_EQ(le::getI16(&b[14]), 1);
    EXPECT_EQ(le::getF64(&b[16]), 1.5);
    EXPECT_EQ(le::getF64(&b[40]), -2.25);
    EXPECT_EQ(le::getF64(&b[48]), 3.0e-6);
    EXPECT_EQ(le::getF64(&b[56]), 1.2e10);
    EXPECT_EQ(le::getF64(&b[72]), 7.0);
    EXPECT_EQ(le::getF64(&b[80]), 4.0e-9);
    EXPECT_EQ(le::getF64(&b[88]), 11.0);
    EXPECT_EQ(le::getF64(&b[128]), 0.125);
    EXPECT_EQ(le::getF64(&b[136]), 2.0e-5);
    EXPECT_EQ(le::getF64(&b[144]), -1.0);
    EXPECT_EQ(le::getF64(&b[152]), 1.496);
    EXPECT_EQ(le::getF64(&b[160]), 6.328e-5);

    const DataPoint back = FromBytes(b.data());
    EXPECT_EQ(ToBytes(back), b);
}

TEST(RoundSig, TruncatesTheExponentTowardZero) {
    EXPECT_EQ(RoundSig(0.0, 6), 0.0);
    // log10(0.0012) = -2.92 is truncated to -2, not floored to -3: the grid is 1e-8.
    EXPECT_DOUBLE_EQ(RoundSig(0.00123456789, 6), 0.00123457);
    EXPECT_DOUBLE_EQ(RoundSig(1.23456789e10, 6), 1.234568e10);
    EXPECT_DOUBLE_EQ(RoundSig(-1.23456789e10, 6), -1.234568e10);
    EXPECT_DOUBLE_EQ(RoundSig(123456.0, 3), 123500.0);
    // Below 1 the grid is 10^-n, so 0.5 at n = 0 rounds to a whole number.
    EXPECT_DOUBLE_EQ(RoundSig(0.5, 0), 1.0);
    EXPECT_DOUBLE_EQ(RoundSig(0.0012345, 1), 0.001);
}

TEST_F(MeasurementSetTest, InitLeavesAnEmptySet) {
    EXPECT_EQ(set.lastConcIndex, -1);
    EXPECT_EQ(set.lastAngleIndex, -1);
    EXPECT_EQ(set.savedConcIndex, -1);
    EXPECT_EQ(set.cachedAngleIndex, -1);
    EXPECT_EQ(set.appMw[5], -1.0);
    EXPECT_EQ(set.appRg[100], -1.0);
    EXPECT_EQ(set.calcTableA.size(), 101u);
    EXPECT_EQ(set.calcTableB.size(), 137u);
    EXPECT_EQ(set.cell(0, 0), nullptr);
}

TEST_F(MeasurementSetTest, FirstQ2BeforeAnyConcentrationCreatesNoCellsUntilTheColumnComes) {
    EXPECT_EQ(set.AddQ2(1.0e10), 1);
    EXPECT_EQ(set.lastAngleIndex, 1);
    EXPECT_EQ(set.lastConcIndex, -1);
    EXPECT_EQ(set.cell(0, 0), nullptr);
    set.defaultSourceName = "/data/run.sta";
    set.AddConcentration(std::nullopt, 298.15f, 0.55f, 0.001);
    EXPECT_EQ(set.lastConcIndex, 1);
    for (int c = 0; c <= 1; ++c)
        for (int a = 0; a <= 1; ++a) ASSERT_NE(set.cell(c, a), nullptr) << c << "," << a;
    EXPECT_EQ(set.sourceName[1], "/data/run.sta");
    EXPECT_FLOAT_EQ(set.temperature[0], 298.15f);
    const DataPoint& p = *set.cell(1, 1);
    EXPECT_EQ(p.originMark, -32767);
    EXPECT_EQ(p.symbolState, 1);
    EXPECT_EQ(p.active, 1);
    EXPECT_EQ(p.hasData, 0);
    EXPECT_EQ(p.rSample, -1.0);
    EXPECT_EQ(p.rSampleError, -1.0);
    EXPECT_EQ(p.nSolvent, -1.0);
    EXPECT_EQ(p.wavelengthCm, -1.0);
    EXPECT_EQ(p.kcr, 0.0);
}

TEST_F(MeasurementSetTest, Q2MatchingUsesSevenSignificantDigits) {
    set.AddConcentration(std::string("x"), 0, 0, 0.001);
    const int a1 = set.AddQ2(1.0e10);
    EXPECT_EQ(set.AddQ2(1.00000004e10), a1);           // same after rounding
    const int a2 = set.AddQ2(1.0000004e10);            // rounds to 1.000000e10
    const int a3 = set.AddQ2(1.0000006e10);            // rounds to 1.000001e10
    EXPECT_EQ(a2, a1);
    EXPECT_NE(a3, a1);
    EXPECT_EQ(set.lastAngleIndex, 2);
    EXPECT_EQ(set.q2[2], 1.0000006e10);  // stored unrounded
}

TEST_F(MeasurementSetTest, EqualConcentrationsGiveTwoColumnsAndByValueStoresReachTheNewer) {
    set.AddQ2(2.0e10);
    set.AddConcentration(std::string("a"), 0, 0, 0.001);
    set.AddConcentration(std::string("b"), 0, 0, 0.001);
    EXPECT_EQ(set.lastConcIndex, 2);
    set.storeValue(kCodeKcr, -1, -1, 2.5e-6, 2.0e10, 0.001);
    EXPECT_EQ(set.cell(2, 1)->kcr, 2.5e-6);
    EXPECT_EQ(set.cell(1, 1)->kcr, 0.0);
}

TEST_F(MeasurementSetTest, TheHundredthConcentrationIsRefused) {
    set.AddQ2(1.0e10);
    for (int i = 1; i <= 99; ++i) set.AddConcentration(std::string("c"), 0, 0, i * 1e-4);
    EXPECT_EQ(set.lastConcIndex, 99);
    EXPECT_THROW(set.AddConcentration(std::string("c"), 0, 0, 0.5), DataWindow::EOvlConcAngle);
    EXPECT_EQ(set.lastConcIndex, 99);
    EXPECT_EQ(set.cell(100, 1), nullptr);
}

TEST_F(MeasurementSetTest, TheHundredThirtySixthQ2IsRefused) {
    set.AddConcentration(std::string("c"), 0, 0, 0.001);
    for (int i = 1; i <= 135; ++i) EXPECT_EQ(set.AddQ2(i * 1.0e8), i);
    EXPECT_THROW(set.AddQ2(136 * 1.0e8), DataWindow::EOvlConcAngle);
    EXPECT_EQ(set.lastAngleIndex, 135);
    EXPECT_EQ(set.AddQ2(135 * 1.0e8), 135);  // a matching value is still found
}

TEST_F(MeasurementSetTest, ValueCodesStoreWithTheirConversionsAndDefaultErrors) {
    set.AddConcentration(std::string("c"), 0, 0, 0.002);
    set.AddQ2(3.0e10);
    set.storeValue(kCodeKcr, 1, 1, 2.0e-6, 0, 0);
    const DataPoint& p = *set.cell(1, 1);
    EXPECT_EQ(p.presence, kHasKcr);
    EXPECT_EQ(p.hasData, 1);
    EXPECT_DOUBLE_EQ(p.kcrError, 2.0e-9);  // 0.1 % default
    set.storeValue(kCodeKcrError, 1, 1, 5.0e-8, 0, 0);
    EXPECT_EQ(p.kcrError, 5.0e-8);
    EXPECT_EQ(p.presence, kHasKcr | kHasKcrError);

    set.storeValue(kCodeDappII, 1, 1, 4.0e-8, 0, 0);  // cm²/s in, µm²/s stored
    EXPECT_DOUBLE_EQ(p.dappII, 4.0);
    EXPECT_DOUBLE_EQ(p.dappIIError, 0.004);
    set.storeValue(kCodeDappIIError, 1, 1, 1.0e-9, 0, 0);
    EXPECT_DOUBLE_EQ(p.dappIIError, 0.1);
    EXPECT_TRUE(p.presence & kHasDappII);
    EXPECT_TRUE(p.presence & kHasDappIIError);

    // rSample on a fresh cell keeps the error at -1: the default applies only to an error of 0.
    set.storeValue(kCodeRSample, 1, 1, 1.0e-5, 0, 0);
    EXPECT_EQ(p.rSampleError, -1.0);
    set.storeValue(kCodeWavelengthCm, 1, 1, 6.328e-5, 0, 0);
    set.storeValue(kCodeNSolvent, 1, 1, 1.496, 0, 0);
    set.storeValue(kCodeWorkY, 1, 1, 9.0, 0, 0);
    EXPECT_EQ(p.wavelengthCm, 6.328e-5);
    EXPECT_EQ(p.nSolvent, 1.496);
    EXPECT_EQ(p.work[1], 9.0);
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(MeasurementSetTest, RefusedStoresShowTheirMessageAndRaise) {
    set.AddConcentration(std::string("c"), 0, 0, 0.002);
    set.AddQ2(3.0e10);

    // A code outside the table (only a cast makes one) is refused.
    EXPECT_THROW(set.storeValue(static_cast<ValueCode>(16), 1, 1, 1.0, 0, 0), DataWindow::EInternalError);
    EXPECT_EQ(platform.lastMessage().text, "DPSetWert, Internal Error");
    EXPECT_EQ(platform.lastMessage().caption, "Error");
    EXPECT_EQ(platform.lastMessage().icon, MsgIcon::None);
    EXPECT_EQ(platform.lastMessage().buttons, MsgButtons::Ok);
    for (int code : {0, 5, 6, 7, 8, 21})
        EXPECT_THROW(set.storeValue(static_cast<ValueCode>(code), 1, 1, 1.0, 0, 0), DataWindow::EInternalError) << code;

    EXPECT_THROW(set.storeValue(kCodeKcr, 2, 1, 1.0, 0, 0), DataWindow::EInternalError);
    EXPECT_EQ(platform.lastMessage().text, "DPSetWert, internal error!");
    EXPECT_EQ(platform.lastMessage().caption, "ZEB-Stat: Information");

    EXPECT_THROW(set.storeValue(kCodeKcr, -1, -1, 1.0, 3.1e10, 0.002), DataWindow::EInternalError);
    EXPECT_EQ(platform.lastMessage().text, "DPSetWert, internal error!");
    EXPECT_THROW(set.storeValue(kCodeKcr, -1, -1, 1.0, 3.0e10, 0.003), DataWindow::EInternalError);

    EXPECT_THROW(set.storeFlag(0, 0, 1, kFlagActive), DataWindow::EInternalError);
    EXPECT_EQ(platform.lastMessage().text, "DPSetWert( 0, 0, ... )");
    EXPECT_EQ(platform.lastMessage().caption, "Internal Error");
    EXPECT_THROW(set.storeFlag(1, 1, 1, static_cast<FlagCode>(9)), DataWindow::EInternalError);
    EXPECT_THROW(set.storeFlag(5, 1, 1, kFlagActive), DataWindow::EInternalError);  // no such cell
}

TEST_F(MeasurementSetTest, LoadedPointsRefuseByValueStoresButNotExplicitOnes) {
    set.AddConcentration(std::string("c"), 0, 0, 0.002);
    set.AddQ2(3.0e10);
    set.storeValue(kCodeKcr, -1, -1, 1.0e-6, 3.0e10, 0.002);
    set.MarkLoadedPoints();
    EXPECT_EQ(set.cell(1, 1)->originMark, 1);
    EXPECT_EQ(set.cell(0, 1)->originMark, -32767);  // the reserved row and column stay
    EXPECT_THROW(set.storeValue(kCodeKcr, -1, -1, 2.0e-6, 3.0e10, 0.002), DataWindow::EInternalError);
    EXPECT_EQ(platform.lastMessage().text, tx::DataAlreadyExist);
    EXPECT_EQ(platform.lastMessage().caption, "ZEB-Stat: ERROR");
    set.storeValue(kCodeKcr, 1, 1, 2.0e-6, 0, 0);
    EXPECT_EQ(set.cell(1, 1)->kcr, 2.0e-6);
}

TEST_F(MeasurementSetTest, ByValueLookupRemembersTheAngle) {
    set.AddConcentration(std::string("c"), 0, 0, 0.002);
    set.AddQ2(1.0e10);
    set.AddQ2(2.0e10);
    set.storeValue(kCodeQ2, -1, -1, 2.0e10, 2.0e10, 0.002);
    EXPECT_EQ(set.cachedAngleIndex, 2);
    EXPECT_EQ(set.cell(1, 2)->q2, 2.0e10);
}

TEST_F(MeasurementSetTest, RestoredIndicesGetFreshCellsWhenReachedAgain) {
    set.AddQ2(1.0e10);
    set.AddConcentration(std::string("a"), 0, 0, 0.001);
    set.savedConcIndex = set.lastConcIndex;
    set.AddConcentration(std::string("b"), 0, 0, 0.002);
    set.storeValue(kCodeKcr, 2, 1, 5e-6, 0, 0);
    set.lastConcIndex = set.savedConcIndex;  // a failed added load
    set.AddConcentration(std::string("c"), 0, 0, 0.003);
    EXPECT_EQ(set.lastConcIndex, 2);
    EXPECT_EQ(set.cell(2, 1)->hasData, 0);
    EXPECT_EQ(set.sourceName[2], "c");
}

TEST_F(MeasurementSetTest, CellsMadeInAnyOrderAreFoundInTheSetItsCopyAndTheSetTakenOver) {
    const std::vector<std::pair<int, int>> made = {{3, 5}, {100, 136}, {0, 0}, {1, 136}, {100, 0}};
    for (const auto& [c, a] : made) set.CreateDataPoint(c, a).kcr = c * 1000 + a;
    ScriptedPlatform otherPlatform;
    MeasurementSet copy(set, otherPlatform);
    const MeasurementSet taken(std::move(copy), otherPlatform);
    for (const MeasurementSet* s : {static_cast<const MeasurementSet*>(&set), &taken}) {
        int found = 0;
        for (int c = -1; c <= MeasurementSet::kConcSlots; ++c)
            for (int a = -1; a <= MeasurementSet::kAngleSlots; ++a)
                if (const DataPoint* p = s->cell(c, a)) {
                    EXPECT_EQ(p->kcr, c * 1000 + a);
                    ++found;
                }
        EXPECT_EQ(found, static_cast<int>(made.size()));
    }
    EXPECT_FALSE(copy.initialised());
}

TEST_F(MeasurementSetTest, FreeReleasesEverything) {
    set.AddQ2(1.0e10);
    set.AddConcentration(std::string("a"), 0, 0, 0.001);
    set.FreeMeasurementSet();
    EXPECT_EQ(set.cell(1, 1), nullptr);
    EXPECT_EQ(set.lastConcIndex, 0);
    EXPECT_FALSE(set.initialised());
}

} // namespace
} // namespace zeb

namespace zeb {
namespace {

// The table-driven RoundSig must give the same bits as the formula with log10 and pow.
TEST(RoundSig, AgreesWithTheDirectFormulaEverywhere) {
    auto direct = [](double x, int n) {
        const double e = std::trunc(std::log10(std::fabs(x)));
        const double unit = std::pow(10.0, e - n);
        return unit * std::floor(x / unit + 0.5);
    };
    std::uint64_t state = 0x9E3779B97F4A7C15ull;
    auto next = [&] {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        return state;
    };
    for (int i = 0; i < 200000; ++i) {
        const double mantissa = 1.0 + static_cast<double>(next() % 1000000007) / 1000000007.0 * 9.0;
        const int exponent = static_cast<int>(next() % 80) - 40;
        const double x = (next() & 1 ? -1.0 : 1.0) * mantissa * std::pow(10.0, exponent);
        for (int n : {2, 3, 5, 6}) ASSERT_EQ(RoundSig(x, n), direct(x, n)) << x << " " << n;
    }
    for (double x : {1.0, 10.0, 1e-3, 999.9999999999999, 1000.0000000000001, 0.0009999999999999999,
                     1e-300, 1e300, 123.45e-310})
        for (int n : {0, 3, 6}) EXPECT_EQ(RoundSig(x, n), direct(x, n)) << x << " " << n;
}

} // namespace
} // namespace zeb
