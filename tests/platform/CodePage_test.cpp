#include "platform/CodePage.h"
#include "platform/ScriptedPlatform.h"

#include <gtest/gtest.h>

namespace zeb {
namespace {

TEST(CodePage, Cp850RoundTripKeepsGermanAndGreekLetters) {
    const std::string dos("Polystyrol \x84\x94\x81\x8E\x99\x9A\xE1 \xE6m", 21);
    const std::string utf8 = Cp850ToUtf8(dos);
    EXPECT_EQ(utf8, "Polystyrol äöüÄÖÜß µm");
    EXPECT_EQ(Utf8ToCp850(utf8), dos);
}

TEST(CodePage, Cp1252AndUnmappableCharacters) {
    EXPECT_EQ(Utf8ToCp1252("µm² °"), std::string("\xB5m\xB2 \xB0", 5));
    EXPECT_EQ(Utf8ToCp850("€"), "?");
}

TEST(CodePage, Utf8HelpersCountCodePointsAndSurviveBrokenInput) {
    EXPECT_EQ(Utf8Length("µm²"), 3u);
    EXPECT_EQ(Utf8Left("äöü-x", 2), "äö");
    EXPECT_EQ(Utf8Left("abc", 10), "abc");
    const std::string broken("a\xC3", 2);  // truncated sequence
    EXPECT_EQ(Utf8Length(broken), 2u);
    EXPECT_EQ(Utf8ToCp850(broken), "a?");
}

TEST(ScriptedPlatform, AnswersFromTheQueueThenWithTheDefault) {
    ScriptedPlatform p;
    p.answers.push_back(MsgAnswer::Yes);
    EXPECT_EQ(p.message("q1", "c", MsgButtons::YesNo, MsgIcon::Question, MsgAnswer::No), MsgAnswer::Yes);
    EXPECT_EQ(p.message("q2", "c", MsgButtons::YesNo, MsgIcon::Question, MsgAnswer::No), MsgAnswer::No);
    ASSERT_EQ(p.messages.size(), 2u);
    EXPECT_EQ(p.messages[1].defaultAnswer, MsgAnswer::No);
    EXPECT_TRUE(p.saw("q1"));
    EXPECT_FALSE(p.saw("q3"));
    EXPECT_EQ(p.openFileName({}), std::nullopt);  // no answer queued = Cancel
    p.openAnswers.push_back(std::string("/tmp/a.sta"));
    EXPECT_EQ(p.openFileName({}), std::optional<std::string>("/tmp/a.sta"));
    EXPECT_EQ(p.openRequests.size(), 2u);
}

} // namespace
} // namespace zeb
