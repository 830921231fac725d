#include "LoadTestSupport.h"

#include "app/texts/DataTexts.h"

#include <gtest/gtest.h>

namespace zeb {
namespace {

using test::LoadWindow;

TEST(AscFile, NumberTableLoadsKcrWithOnePercentErrors) {
    test::TempDir dir;
    const auto path = test::Write(dir, "t.asc", test::ReadFile(test::DataFile("formats/table.asc")));
    LoadWindow w;
    ASSERT_TRUE(w.first(path));
    const auto& set = w.set();
    ASSERT_EQ(set.lastConcIndex, 2);
    ASSERT_EQ(set.lastAngleIndex, 3);
    EXPECT_EQ(set.concentration[2], double(0.002f));
    EXPECT_EQ(set.q2[3], double(8.9e9f));
    EXPECT_EQ(set.sourceName[1], path);
    EXPECT_EQ(set.temperature[1], 0.0f);
    const DataPoint& p = *set.cell(2, 2);
    EXPECT_EQ(p.kcr, double(1.3e-6f));
    EXPECT_EQ(p.kcrError, 0.01 * double(1.3e-6f));
    EXPECT_EQ(p.q2, double(4.5e9f));
    EXPECT_EQ(p.originMark, 1);
    EXPECT_TRUE(w.platform.messages.empty());
    EXPECT_EQ(w.platform.pendingCalls, 3);  // once per angle row
}

TEST(AscFile, CountsAreTruncatedAndLimited) {
    test::TempDir dir;
    {
        LoadWindow w;
        ASSERT_TRUE(w.first(test::Write(dir, "a.asc", "2.9 1 1e-3 2e-3 90 1e10 1e-6 2e-6")));
        EXPECT_EQ(w.set().lastConcIndex, 2);
    }
    {
        LoadWindow w;
        EXPECT_FALSE(w.first(test::Write(dir, "b.asc", "100 1")));
        EXPECT_EQ(w.platform.lastMessage().text, tx::TooManyConcOrAngles);
        EXPECT_EQ(w.platform.lastMessage().caption, "ZEBstat Error");
    }
    {
        std::string text = "99 1";
        for (int i = 1; i <= 99; ++i) text += " " + std::to_string(i) + "e-5";
        text += " 90 1e10";
        for (int i = 1; i <= 99; ++i) text += " 1e-6";
        LoadWindow w;
        ASSERT_TRUE(w.first(test::Write(dir, "c.asc", text)));
        EXPECT_EQ(w.set().lastConcIndex, 99);
    }
}

TEST(AscFile, EveryMissingValueIsReported) {
    test::TempDir dir;
    LoadWindow w;
    ASSERT_TRUE(w.first(test::Write(dir, "m.asc", "3 1 1e-3 2e-3 3e-3 90 1e10 0 -1 nan")));
    EXPECT_EQ(w.messagesWith("Missing or negative measurement values, ignored, any way."), 3);
    EXPECT_EQ(w.set().cell(1, 1)->hasData, 0);
    EXPECT_EQ(w.set().cell(3, 1)->hasData, 0);
}

TEST(AscFile, TruncatedTableFailsAndAnAddedOneLeavesTheWindow) {
    test::TempDir dir;
    LoadWindow w;
    ASSERT_TRUE(w.first(test::Write(dir, "good.asc", "1 1 1e-3 90 1e10 1e-6")));
    EXPECT_EQ(w.add(test::Write(dir, "bad.asc", "2 2 5e-3 6e-3 30 1e9 1e-6 1e-6 60 2e9 1e-6")), kLoadFailed);
    EXPECT_EQ(w.platform.lastMessage().text, "Unexpected end of file ! Invalid data file !");
    EXPECT_EQ(w.set().lastConcIndex, 1);
    EXPECT_EQ(w.set().lastAngleIndex, 1);
    EXPECT_EQ(w.add(test::Write(dir, "word.asc", "1 1 1e-3 90 1e10 x")), kLoadFailed);
    EXPECT_EQ(w.platform.lastMessage().text, "Unexpected end of file ! Invalid data file !");
}

} // namespace
} // namespace zeb
