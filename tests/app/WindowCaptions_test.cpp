// The captions that tell plot windows of the same name apart.
#include "app/WindowCaptions.h"

#include <gtest/gtest.h>

namespace zeb {
namespace {

struct CaptionCase {
    const char* what;
    std::vector<WindowCaption> windows;
    std::vector<std::string> shown;
};

TEST(WindowCaptions, NamesRepeatOnlyWhereNothingTellsThemApart) {
    const CaptionCase cases[] = {
        {"different names keep their captions",
         {{"ps-toluene", "/d/ps-toluene.sta"}, {"ps-tarn", "/d/ps-tarn.plt"}},
         {"ps-toluene", "ps-tarn"}},
        {"the extension tells them apart; others stay",
         {{"ps-toluene", "/d/ps-toluene.sta"}, {"ps-tarn", "/d/ps-tarn.plt"}, {"ps-toluene", "/d/ps-toluene.plx"}},
         {"ps-toluene.sta", "ps-tarn", "ps-toluene.plx"}},
        {"the last folder where the names are the same",
         {{"ps", "/m/run1/ps.sta"}, {"ps", "/m/run2/ps.sta"}, {"ps", "/m/run2/ps.plx"}},
         {"ps.sta (run1)", "ps.sta (run2)", "ps.plx"}},
        {"as many folders as needed",
         {{"ps", "/a/x/run/ps.sta"}, {"ps", "/b/y/run/ps.sta"}},
         {"ps.sta (x/run)", "ps.sta (y/run)"}},
        {"a folder in the root is named whole",
         {{"ps", "/run/ps.sta"}, {"ps", "/a/run/ps.sta"}},
         {"ps.sta (/run)", "ps.sta (run)"}},
        {"the same file twice: the later window is numbered",
         {{"ps", "/m/d/ps.sta"}, {"ps", "/m/d/ps.sta"}, {"ps", "/m/e/ps.sta"}},
         {"ps.sta (d)", "ps.sta (d):2", "ps.sta (e)"}},
        {"the same file twice and nothing else of its name",
         {{"ps", "/m/d/ps.sta"}, {"ps-tarn", "/m/d/ps-tarn.plt"}, {"ps", "/m/d/ps.sta"}},
         {"ps", "ps-tarn", "ps:2"}},
        {"a window still without a file keeps its caption",
         {{"", ""}, {"", ""}, {"ps", "/d/ps.sta"}},
         {"", "", "ps"}},
    };
    for (const CaptionCase& c : cases) EXPECT_EQ(DistinctCaptions(c.windows), c.shown) << c.what;
}

} // namespace
} // namespace zeb
