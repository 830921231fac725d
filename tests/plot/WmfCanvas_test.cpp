#include "plot/ChartExport.h"
#include "plot/ChartFixture.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>

namespace zeb {
namespace {

std::uint16_t Word(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}
std::uint32_t Dword(const std::vector<std::uint8_t>& b, std::size_t at) { return Word(b, at) | (Word(b, at + 2) << 16); }

struct Walk {
    std::map<std::uint16_t, int> functions;
    std::uint32_t maxRecord = 0;
    int objectsCreated = 0;
    bool selectsOnlyExistingObjects = true;
    bool endsWithEof = false;
    std::uint32_t words = 0;
    int saveDepth = 0;
    bool balanced = true;
};

// Walks the records after the 18-byte header, checking that every size is
// sane and that they add up to the size the header declares.
Walk WalkRecords(const std::vector<std::uint8_t>& mf) {
    Walk w;
    std::size_t at = 18;
    w.words = 9;
    while (at + 6 <= mf.size()) {
        const std::uint32_t size = Dword(mf, at);
        const std::uint16_t fn = Word(mf, at + 4);
        EXPECT_GE(size, 3u);
        EXPECT_LE(at + size * 2, mf.size());
        if (size < 3 || at + size * 2 > mf.size()) break;
        ++w.functions[fn];
        w.maxRecord = std::max(w.maxRecord, size);
        w.words += size;
        if (fn == 0x02FA || fn == 0x02FB || fn == 0x02FC) ++w.objectsCreated;
        if (fn == 0x012D && Word(mf, at + 6) >= w.objectsCreated) w.selectsOnlyExistingObjects = false;
        if (fn == 0x001E) ++w.saveDepth;
        if (fn == 0x0127 && --w.saveDepth < 0) w.balanced = false;
        if (fn == 0x0000) {
            w.endsWithEof = at + 6 == mf.size();
            break;
        }
        at += size * 2;
    }
    return w;
}

TEST(WmfCanvas, PlaceableHeaderAndChecksum) {
    const std::vector<std::uint8_t> bytes = PlaceableWmf({});
    ASSERT_EQ(bytes.size(), 22u);
    const std::vector<std::uint8_t> head(bytes.begin(), bytes.begin() + 6);
    EXPECT_EQ(head, (std::vector<std::uint8_t>{0xD7, 0xCD, 0xC6, 0x9A, 0x00, 0x00}));
    EXPECT_EQ(static_cast<std::int16_t>(Word(bytes, 6)), -3000);
    EXPECT_EQ(static_cast<std::int16_t>(Word(bytes, 8)), -2552);
    EXPECT_EQ(Word(bytes, 10), 3000);
    EXPECT_EQ(Word(bytes, 12), 2552);
    EXPECT_EQ(Word(bytes, 14), 1000);
    EXPECT_EQ(Dword(bytes, 16), 0u);
    std::uint16_t x = 0;
    for (std::size_t i = 0; i < 20; i += 2) x ^= Word(bytes, i);
    EXPECT_EQ(Word(bytes, 20), x);
}

TEST(WmfCanvas, ChartMetafileIsWellFormed) {
    test::ChartFixture f(5, 8);
    f.in.qOrder = f.in.cOrder = 1;
    f.settings.showErrorBars = 1;
    const std::vector<std::uint8_t> file = ChartToPlaceableWmf(f.in, nullptr);
    const std::vector<std::uint8_t> mf(file.begin() + 22, file.end());
    EXPECT_EQ(Word(mf, 0), 2) << "a disk metafile";
    EXPECT_EQ(Word(mf, 2), 9);
    EXPECT_EQ(Word(mf, 4), 0x0300);
    const Walk w = WalkRecords(mf);
    EXPECT_TRUE(w.endsWithEof);
    EXPECT_EQ(Dword(mf, 6), w.words) << "the header's size is the sum of the records";
    EXPECT_EQ(w.words * 2, mf.size());
    EXPECT_EQ(Dword(mf, 12), w.maxRecord);
    EXPECT_EQ(Word(mf, 10), w.objectsCreated);
    EXPECT_TRUE(w.selectsOnlyExistingObjects);
    EXPECT_TRUE(w.balanced);
    EXPECT_EQ(w.saveDepth, 0);
    EXPECT_EQ(w.functions.at(0x01F0), w.objectsCreated) << "every object is deleted";
    EXPECT_EQ(w.functions.at(0x020C), 1) << "the window extent";
    EXPECT_GE(w.functions.at(0x0416), 1) << "a clip rectangle";
    EXPECT_GE(w.functions.at(0x0324), 40) << "square symbols";
    EXPECT_GE(w.functions.at(0x0418), 10) << "circles";
    EXPECT_GE(w.functions.at(0x0521), 10) << "texts";
    EXPECT_GE(w.functions.at(0x02FB), 3) << "axis font, its turned copy, text font";
    // Few distinct objects, however many points: each pen is created once.
    EXPECT_LT(w.objectsCreated, 20);

    // The window extent record holds 13941 and 16383.
    const std::vector<std::uint8_t> extent = {5, 0, 0, 0, 0x0C, 0x02, 0x75, 0x36, 0xFF, 0x3F};
    EXPECT_NE(std::search(mf.begin(), mf.end(), extent.begin(), extent.end()), mf.end());
    // Texts are Windows-1252: the caption's "²" is the single byte 0xB2.
    const std::string text = "(q\xB2+kc) \xD7 \xB5m\xB2";
    const std::vector<std::uint8_t> caption(text.begin(), text.end());
    EXPECT_NE(std::search(mf.begin(), mf.end(), caption.begin(), caption.end()), mf.end());

    const MetafilePicture clip = ChartToClipboardMetafile(f.in, nullptr);
    EXPECT_EQ(clip.mapMode, 7);
    EXPECT_EQ(clip.xExt, 16383);
    EXPECT_EQ(clip.yExt, 13941);
    EXPECT_EQ(Word(clip.metafile, 0), 1) << "a memory metafile";
    EXPECT_EQ(clip.metafile.size(), mf.size());
}

TEST(WmfCanvas, CoordinatesStayInSixteenBits) {
    WmfCanvas c(16383, 13941);
    c.moveTo(-100000, 100000);
    const auto mf = c.finish();
    std::size_t at = 18;
    while (at + 6 < mf.size() && Word(mf, at + 4) != 0x0214) at += Dword(mf, at) * 2;
    ASSERT_EQ(Word(mf, at + 4), 0x0214);  // MOVETO (y, x)
    EXPECT_EQ(static_cast<std::int16_t>(Word(mf, at + 6)), 32767);
    EXPECT_EQ(static_cast<std::int16_t>(Word(mf, at + 8)), -32768);
}

// A negative width (the settings file and the options dialog allow one) is
// written as the thinnest pen, never as a negative width.
TEST(WmfCanvas, NegativePenWidthIsTheThinnestPen) {
    const auto line = [](int width) {
        WmfCanvas c(16383, 13941);
        c.setPen(width, 0x00FF0000u);
        c.moveTo(0, 0);
        c.lineTo(100, 100);
        return c.finish();
    };
    EXPECT_EQ(line(-3), line(0));
    EXPECT_NE(line(3), line(0));
}

} // namespace
} // namespace zeb
