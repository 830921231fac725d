// The clipboard exchange block: its byte layout, and a parser that refuses
// every block whose counts, size or values cannot be trusted.
#include "data/LittleEndian.h"
#include "export/ExchangeBlock.h"
#include "export/ExportFixture.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>

namespace zeb {
namespace {

struct SmallBlock {
    ScriptedPlatform platform;
    MeasurementSet set{platform};
    SmallBlock() { test::FillSmallSet(set); }
};

TEST(ExchangeBlock, LayoutOfTwoConcentrations) {
    SmallBlock s;
    s.set.cell(3, 2)->reserved0 = 0xA1B2C3D4;
    const std::vector<std::uint8_t> b = BuildExchangeBlock(s.set, {3, 1});
    const int n = 2, g = 2;
    ASSERT_EQ(b.size(), 8u + 8 * n + 168 * n * g + 277 * g);
    const std::uint8_t* p = b.data();
    EXPECT_EQ(le::getI32(p), 2);
    EXPECT_EQ(le::getI32(p + 4), 2);
    EXPECT_EQ(le::getF64(p + 8), 1e10);
    EXPECT_EQ(le::getF64(p + 16), 2.5e10);
    EXPECT_EQ(le::getF64(p + 24), 0.0035);  // block order = list order
    EXPECT_EQ(le::getF64(p + 32), 0.001);
    EXPECT_EQ(le::getF32(p + 40), 0.55f);   // viscosities, then temperatures
    EXPECT_EQ(le::getF32(p + 44), 0.89f);
    EXPECT_EQ(le::getF32(p + 48), 299.0f);
    EXPECT_EQ(le::getF32(p + 52), 298.15f);
    // Records: concentration 3 rows 1, 2, then concentration 1 rows 1, 2, copied whole.
    const std::size_t records = 56;
    EXPECT_EQ(0, std::memcmp(p + records, ToBytes(*s.set.cell(3, 1)).data(), 168));
    EXPECT_EQ(0, std::memcmp(p + records + 168, ToBytes(*s.set.cell(3, 2)).data(), 168));
    EXPECT_EQ(le::getU32(p + records + 168), 0xA1B2C3D4u);
    EXPECT_EQ(0, std::memcmp(p + records + 3 * 168, ToBytes(*s.set.cell(1, 2)).data(), 168));
    // Names in 261-byte fields, each ended by a zero.
    const std::size_t names = records + 4 * 168;
    EXPECT_STREQ(reinterpret_cast<const char*>(p + names), "/data/b.sta");
    EXPECT_STREQ(reinterpret_cast<const char*>(p + names + 261), "  /data/a.sta ");
    EXPECT_EQ(names + 2 * 261, b.size());
}

TEST(ExchangeBlock, ParsesWhatItBuilds) {
    SmallBlock s;
    s.set.sourceName[2] = std::string(260, 'x');  // the longest name fills its field but for the zero
    const auto block = ParseExchangeBlock(BuildExchangeBlock(s.set, {2, 1, 3}));
    ASSERT_TRUE(block);
    ASSERT_EQ(block->rowCount(), 2);
    ASSERT_EQ(block->concentrationCount(), 3);
    EXPECT_EQ(block->q2PerCm2, (std::vector<double>{1e10, 2.5e10}));
    const int order[3] = {2, 1, 3};
    for (int k = 0; k < 3; ++k) {
        const ExchangeConcentration& c = block->concentrations[static_cast<std::size_t>(k)];
        const auto i = static_cast<std::size_t>(order[k]);
        EXPECT_EQ(c.concentrationGPerCm3, s.set.concentration[i]);
        EXPECT_EQ(c.viscosityMPas, s.set.viscosity[i]);
        EXPECT_EQ(c.temperatureK, s.set.temperature[i]);
        EXPECT_EQ(c.sourceName, s.set.sourceName[i]);
        for (int a = 1; a <= 2; ++a)
            EXPECT_TRUE(test::SameRecord(c.rows[static_cast<std::size_t>(a - 1)], *s.set.cell(order[k], a)));
    }
}

TEST(ExchangeBlock, RefusesCountsAndSizesThatDoNotAgree) {
    SmallBlock s;
    const std::vector<std::uint8_t> good = BuildExchangeBlock(s.set, {1});
    auto parse = [](std::vector<std::uint8_t> b) {
        ExchangeBlockError why = ExchangeBlockError::None;
        const bool ok = ParseExchangeBlock(b, &why).has_value();
        EXPECT_EQ(ok, why == ExchangeBlockError::None);
        return why;
    };
    EXPECT_EQ(parse(good), ExchangeBlockError::None);
    EXPECT_EQ(parse({}), ExchangeBlockError::TooShort);
    EXPECT_EQ(parse({2, 0, 0, 0, 1, 0, 0}), ExchangeBlockError::TooShort);

    auto withCounts = [&](std::int32_t n, std::int32_t g) {
        std::vector<std::uint8_t> b = good;
        le::putI32(b.data(), n);
        le::putI32(b.data() + 4, g);
        return b;
    };
    for (auto [n, g] : {std::pair{0, 1}, {-1, 1}, {137, 1}, {2, 0}, {2, -5}, {2, 101},
                        {std::numeric_limits<std::int32_t>::max(), std::numeric_limits<std::int32_t>::max()}})
        EXPECT_EQ(parse(withCounts(n, g)), ExchangeBlockError::BadCounts) << n << " " << g;
    // Counts within the limits that the bytes do not hold.
    EXPECT_EQ(parse(withCounts(136, 100)), ExchangeBlockError::WrongSize);
    EXPECT_EQ(parse(withCounts(1, 1)), ExchangeBlockError::WrongSize);
    std::vector<std::uint8_t> longer = good;
    longer.push_back(0);
    EXPECT_EQ(parse(longer), ExchangeBlockError::WrongSize);
    std::vector<std::uint8_t> shorter(good.begin(), good.end() - 1);
    EXPECT_EQ(parse(shorter), ExchangeBlockError::WrongSize);
}

TEST(ExchangeBlock, RefusesValuesThatAreNotNumbersAndUnendedNames) {
    SmallBlock s;
    const std::vector<std::uint8_t> good = BuildExchangeBlock(s.set, {1});  // n = 2, g = 1
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    auto why = [](const std::vector<std::uint8_t>& b) {
        ExchangeBlockError e = ExchangeBlockError::None;
        ParseExchangeBlock(b, &e);
        return e;
    };
    auto withF64 = [&](std::size_t offset, double v) {
        std::vector<std::uint8_t> b = good;
        le::putF64(b.data() + offset, v);
        return b;
    };
    const std::size_t record = 8 + 16 + 8 + 4 + 4;
    EXPECT_EQ(why(withF64(16, nan)), ExchangeBlockError::NotANumber);           // q² of row 2
    EXPECT_EQ(why(withF64(24, inf)), ExchangeBlockError::NotANumber);           // concentration
    EXPECT_EQ(why(withF64(record + 48, nan)), ExchangeBlockError::NotANumber);  // Kc/R
    EXPECT_EQ(why(withF64(record + 168 + 144, -inf)), ExchangeBlockError::NotANumber);  // dR of row 2
    std::vector<std::uint8_t> b = good;
    le::putF32(b.data() + 32, std::numeric_limits<float>::quiet_NaN());  // viscosity
    EXPECT_EQ(why(b), ExchangeBlockError::NotANumber);
    // The plotted values belong to the sender's plot; the receiver computes its own.
    EXPECT_EQ(why(withF64(record + 16 + 8, nan)), ExchangeBlockError::None);

    b = good;
    std::memset(b.data() + b.size() - 261, 'x', 261);
    EXPECT_EQ(why(b), ExchangeBlockError::UnterminatedName);
}

TEST(ExchangeBlock, NamesThatAreNotUtf8AreMadeSafe) {
    SmallBlock s;
    s.set.sourceName[1] = "/data/L\xC3\xB6sung.sta";
    std::vector<std::uint8_t> b = BuildExchangeBlock(s.set, {1});
    EXPECT_EQ(ParseExchangeBlock(b)->concentrations[0].sourceName, "/data/L\xC3\xB6sung.sta");
    const std::size_t name = b.size() - 261;
    const char bad[] = "a\xC3\x80\xFF" "b\xE2\x82";  // a well-formed character, a stray byte, a cut one
    std::memcpy(b.data() + name, bad, sizeof bad);
    EXPECT_EQ(ParseExchangeBlock(b)->concentrations[0].sourceName, "a\xC3\x80?b??");
}

TEST(ExchangeBlock, ReadsABlockWrittenFromTheLayoutAlone) {
    const std::string bytes = test::ReadFile(test::DataFile("formats/two-conc.zebblock"));
    const auto block = ParseExchangeBlock(
        std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
    ASSERT_TRUE(block);
    EXPECT_EQ(block->q2PerCm2, (std::vector<double>{1.2e10, 3.4e10, 6.1e10}));
    ASSERT_EQ(block->concentrationCount(), 2);
    const ExchangeConcentration& c = block->concentrations[1];
    EXPECT_EQ(c.concentrationGPerCm3, 0.0025);
    EXPECT_EQ(c.viscosityMPas, 0.552f);
    EXPECT_EQ(c.temperatureK, 298.15f);
    EXPECT_EQ(c.sourceName, "/data/series/ps-2.sta");
    EXPECT_EQ(c.rows[0].hasData, 1);
    EXPECT_EQ(c.rows[0].originMark, -32767);
    EXPECT_EQ(c.rows[0].presence, kHasKcr | kHasKcrError | kHasDappI);
    EXPECT_EQ(c.rows[1].q2, 3.4e10);
    EXPECT_DOUBLE_EQ(c.rows[1].kcr, (1 + 3.4e10 * 1e-12) / 5e5 + 1e-3 * 0.0025);
    EXPECT_EQ(c.rows[1].dappI, 12.5);
    EXPECT_EQ(c.rows[1].rSample, 1.5e-5);
    EXPECT_EQ(c.rows[2].hasData, 0);
    EXPECT_EQ(c.rows[2].rSample, -1.0);
    EXPECT_EQ(c.rows[2].wavelengthCm, 632.8e-7);
}

} // namespace
} // namespace zeb
