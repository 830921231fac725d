#include "platform/Platform.h"
#include "platform/ScriptedPlatform.h"

#include <gtest/gtest.h>

namespace zeb {
namespace {

TEST(MessageFileLine, TheFileGoesOnALineOfItsOwnUnlessTheTextNamesIt) {
    const struct {
        const char* text;
        const char* path;
        const char* shown;
    } cases[] = {
        {"File doesn 't contain any data record !", "/data/run 1/a.sta", "File doesn 't contain any data record !\n\na.sta"},
        {"Can not load !\n", "b.plt", "Can not load !\n\nb.plt"},  // the text's own line end is not doubled
        {"This file cannot be opened.\n/data/a.sta: gone", "/data/a.sta", "This file cannot be opened.\n/data/a.sta: gone"},
        {"No file here", "", "No file here"},
        {"A folder", "/data/", "A folder"},
    };
    for (const auto& c : cases) EXPECT_EQ(WithFileLine(c.text, c.path), c.shown) << c.text;
}

TEST(MessageFileLine, AScopeNamesTheFileAndRestoresTheOneBefore) {
    ScriptedPlatform platform;
    {
        MessageFileScope outer(platform, "a.sta, b.sta");
        {
            MessageFileScope inner(platform, "b.sta");
            platform.inform("inner", "c", MsgIcon::None);
        }
        platform.inform("outer", "c", MsgIcon::None);
    }
    platform.inform("none", "c", MsgIcon::None);
    ASSERT_EQ(platform.messages.size(), 3u);
    EXPECT_EQ(platform.messages[0].file, "b.sta");
    EXPECT_EQ(platform.messages[1].file, "a.sta, b.sta");
    EXPECT_EQ(platform.messages[2].file, "");
}

} // namespace
} // namespace zeb
