#include "LoadTestSupport.h"

#include "texts/DataTexts.h"

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

TEST(AscFile, CountsAreWholeNumbersAndLimited) {
    test::TempDir dir;
    {  // a count written as a number of the table's own form
        LoadWindow w;
        ASSERT_TRUE(w.first(test::Write(dir, "a.asc", "2.000000E+00 1 1e-3 2e-3 90 1e10 1e-6 2e-6")));
        EXPECT_EQ(w.set().lastConcIndex, 2);
    }
    {  // 2.9 is no count: it is refused, not taken as 2
        LoadWindow w;
        const auto path = test::Write(dir, "f.asc", "2.9 1 1e-3 2e-3 90 1e10 1e-6 2e-6");
        EXPECT_FALSE(w.first(path));
        EXPECT_EQ(w.platform.lastMessage().text, "Invalid data file ! Nothing of it is loaded.\n" + path +
                                                     ", line 1: the number of concentrations \"2.9\" is not a whole number");
        EXPECT_EQ(w.platform.lastMessage().caption, "ZEBStat: Information");
    }
    {
        LoadWindow w;
        EXPECT_FALSE(w.first(test::Write(dir, "b.asc", "100 1")));
        EXPECT_EQ(w.platform.lastMessage().text,
                  std::string(tx::TooManyConcOrAngles) +
                      "The file holds 100 concentration values, 1 more than the 99 there is room for.");
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

TEST(AscFile, MissingValuesAreReportedInOneMessageWithTheirNumber) {
    test::TempDir dir;
    LoadWindow w;
    const auto path = test::Write(dir, "m.asc", "3 1 1e-3 2e-3 3e-3 90 1e10 0 -1 nan");
    ASSERT_TRUE(w.first(path));
    ASSERT_EQ(w.platform.messages.size(), 1u);
    EXPECT_EQ(w.platform.lastMessage().text,
              "Missing or negative measurement values, ignored, any way.\n" + path + ": 3 values.");
    EXPECT_EQ(w.platform.lastMessage().caption, "ZEBstat: Information");
    EXPECT_EQ(w.set().cell(1, 1)->hasData, 0);
    EXPECT_EQ(w.set().cell(3, 1)->hasData, 0);

    // A table of zeros: one message for all 13,365 values, not 13,365 boxes.
    std::string zeros = "99 135";
    for (int i = 1; i <= 99; ++i) zeros += " " + std::to_string(i) + "e-5";
    for (int a = 1; a <= 135; ++a) {
        zeros += "\n" + std::to_string(a) + " " + std::to_string(a) + "e9";
        for (int i = 1; i <= 99; ++i) zeros += " 0";
    }
    LoadWindow z;
    const auto zpath = test::Write(dir, "zeros.asc", zeros + "\n");
    ASSERT_TRUE(z.first(zpath));
    ASSERT_EQ(z.platform.messages.size(), 1u);
    EXPECT_EQ(test::DetailOf(z.platform.lastMessage().text), zpath + ": 13365 values.");
}

TEST(AscFile, TruncatedTableFailsAndAnAddedOneLeavesTheWindow) {
    test::TempDir dir;
    LoadWindow w;
    ASSERT_TRUE(w.first(test::Write(dir, "good.asc", "1 1 1e-3 90 1e10 1e-6")));
    const auto bad = test::Write(dir, "bad.asc", "2 2 5e-3 6e-3 30 1e9 1e-6 1e-6 60 2e9 1e-6");
    EXPECT_EQ(w.add(bad), kLoadFailed);
    EXPECT_EQ(w.platform.lastMessage().text,
              "Unexpected end of file ! Invalid data file !\n" + bad + ", line 1: the file ends before angle row 2 of 2");
    EXPECT_EQ(w.set().lastConcIndex, 1);
    EXPECT_EQ(w.set().lastAngleIndex, 1);
    const auto word = test::Write(dir, "word.asc", "1 1 1e-3 90 1e10 x");
    EXPECT_EQ(w.add(word), kLoadFailed);
    EXPECT_EQ(w.platform.lastMessage().text,
              "Invalid data file ! Nothing of it is loaded.\n" + word + ", line 1: \"x\" in angle row 1 of 1 is no number");
}

} // namespace
} // namespace zeb
