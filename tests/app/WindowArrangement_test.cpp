// The frame inside the screen and the cascade of plot windows inside the frame.
#include "app/WindowArrangement.h"

#include <gtest/gtest.h>

namespace zeb {
namespace {

TEST(WindowArrangement, FrameKeepsItsSizeWhereThereIsRoomAndShrinksWhereThereIsNot) {
    // A 1920 x 1040 desktop: the start size, centred.
    const WindowRect big = FitFrame({0, 0, 1920, 1040}, 8, 32, 8, 8);
    EXPECT_EQ(big.width, kFrameWidth);
    EXPECT_EQ(big.height, kFrameHeight);
    EXPECT_EQ(big.x, 8 + (1904 - kFrameWidth) / 2);
    EXPECT_EQ(big.y, 32 + (1000 - kFrameHeight) / 2);
    // A 1600 x 1000 screen at scale 2 offers 800 x 500 (here less a panel at
    // the top): the frame and its window system frame lie wholly inside.
    const WindowRect small = FitFrame({0, 24, 800, 476}, 8, 32, 8, 8);
    EXPECT_EQ(small, (WindowRect{8, 56, 784, 436}));
    // A second screen to the right.
    const WindowRect right = FitFrame({1920, 0, 1280, 1024}, 8, 32, 8, 8);
    EXPECT_GE(right.x - 8, 1920);
    EXPECT_LE(right.x + right.width + 8, 1920 + 1280);
    // No room at all still gives a window.
    const WindowRect none = FitFrame({0, 0, 10, 10}, 8, 32, 8, 8);
    EXPECT_GE(none.width, 1);
    EXPECT_GE(none.height, 1);
}

TEST(WindowArrangement, CascadeKeepsEveryWindowInsideHoweverMany) {
    for (int n : {1, 2, 7, 20, 100})
        for (const auto& [w, h] : {std::pair{1084, 700}, std::pair{600, 300}, std::pair{150, 90}}) {
            const auto rects = CascadeWindows(n, w, h, 26, 740, 560);
            ASSERT_EQ(rects.size(), static_cast<std::size_t>(n));
            for (const WindowRect& r : rects) {
                EXPECT_GE(r.x, 0);
                EXPECT_GE(r.y, 0);
                EXPECT_GE(r.width, 1);
                EXPECT_GE(r.height, 1);
                EXPECT_LE(r.x + r.width, w) << n << " windows in " << w << " x " << h;
                EXPECT_LE(r.y + r.height, h) << n << " windows in " << w << " x " << h;
            }
        }
    // Room enough: the preferred size, one step apart, the title bars all visible.
    const auto few = CascadeWindows(3, 1084, 700, 26, 740, 560);
    EXPECT_EQ(few[0], (WindowRect{0, 0, 740, 560}));
    EXPECT_EQ(few[2], (WindowRect{52, 52, 740, 560}));
    // Many: none starts beyond half the area; the run starts again at the top left.
    const auto many = CascadeWindows(40, 1084, 700, 26, 740, 560);
    int restarts = 0;
    for (const WindowRect& r : many) {
        EXPECT_LE(r.y, 350);
        restarts += r.x == 0;
    }
    EXPECT_GT(restarts, 1);
    EXPECT_EQ(many[0].height, 700 - 13 * 26);  // 14 in a run: 0 .. 338
}

} // namespace
} // namespace zeb
